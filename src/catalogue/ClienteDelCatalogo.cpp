#include "catalogue/ClienteDelCatalogo.h"

#include <cmath>
#include <set>

#include "catalogue/VersionDelCatalogo.h"
#include "core/Texto.h"
#include "download/ArchivoCompleto.h"
#include "startup/TiposDeAsistente.h"

namespace evalora {

namespace {

constexpr const char* kSinArchivos = "No se encontraron archivos para descargar.";

// The size column, trimmed and read as a whole number (64-bit, so files of 2 GiB and more fit).
std::optional<int64_t> Peso(const FilaDelCatalogo& fila) {
  const auto texto = fila.Texto("Peso");
  if (!texto) return std::nullopt;
  const auto numero = ANumero(*texto);
  if (!numero || std::fabs(*numero) > 9007199254740992.0) return std::nullopt;
  return static_cast<int64_t>(RedondearPar(*numero, 0));
}

}  // namespace

ClienteDelCatalogo::ClienteDelCatalogo(EstadoDeEjecucion& estado, ConexionCatalogo& conexion,
                                       ServiciosDelCatalogo servicios, std::string sitioWeb)
    : estado_(estado), conexion_(conexion), servicios_(servicios), sitioWeb_(std::move(sitioWeb)) {}

void ClienteDelCatalogo::RegistraFalla(const std::string& texto) {
  if (!conexion_.AbrirCatalogo()) return;
  conexion_.Ejecutar(SentenciaRegistraFalla(texto));
  conexion_.CerrarCatalogo();
}

void ClienteDelCatalogo::RegistraCorreo(const std::string& correo, const std::string& telefono,
                                        const std::string& nombre, bool avisoAntivirus) {
  const IndicadoresDeContacto indicadores{avisoAntivirus, estado_.ImpresoraNoInstalable, estado_.InstalacionFallida,
                                          estado_.NetFrameworkFaltante};
  if (!conexion_.AbrirCatalogo()) return;
  // A failing statement ends the operation silently, like the other reports.
  conexion_.Ejecutar(SentenciaRegistraCorreo(correo, telefono, nombre, indicadores, estado_));
  conexion_.CerrarCatalogo();
}

void ClienteDelCatalogo::ObtenerPesoInstalador() {
  if (!conexion_.AbrirCatalogo()) return;
  const auto filas = conexion_.Consultar(SentenciaObtenerPesoInstalador(estado_));
  if (!filas) return;
  if (filas->empty()) {
    estado_.PesoInstalador = 0;
    return;
  }
  if (const auto total = filas->front().Numero("Total")) estado_.PesoInstalador = *total;
  // The connection stays until the next opening releases it.
}

void ClienteDelCatalogo::ObtenerPesosRecursos() {
  if (!conexion_.AbrirCatalogo()) return;
  const auto filas = conexion_.Consultar(SentenciaObtenerPesosRecursos(estado_));
  if (!filas) return;
  const std::pair<const char*, double*> columnas[] = {{"MS2010", &estado_.PesoMS2010},
                                                      {"MS2013", &estado_.PesoMS2013},
                                                      {"MS2016", &estado_.PesoMS2016},
                                                      {"MS2019", &estado_.PesoMS2019},
                                                      {"CS6", &estado_.PesoCS6},
                                                      {"CC2014", &estado_.PesoCC2014},
                                                      {"Programacion", &estado_.PesoProgramacion}};
  for (const auto& [nombre, destino] : columnas) {
    if (filas->empty()) {
      *destino = 0;
      continue;
    }
    const auto valor = filas->front().Numero(nombre);
    if (!valor) return;  // the columns read before the error keep their new values
    *destino = *valor;
  }
}

bool ClienteDelCatalogo::VersionVigente(const VersionDelEjecutable& propia, std::string& aviso) {
  aviso.clear();
  if (!conexion_.AbrirCatalogo()) return false;
  const auto filas = conexion_.Consultar(SentenciaVersionVigente(std::to_string(propia.Menor), estado_.VersionMayor));
  if (!filas) return false;
  std::optional<FilaDeVersion> primera;
  if (!filas->empty()) {
    primera = FilaDeVersion{filas->front().Logico("Activa").value_or(false), ""};
    if (primera->activa) {
      const auto version = filas->front().Texto("Version");
      if (!version) return false;  // unreadable: the label stays empty
      primera->version = *version;
    }
  }
  switch (JuzgarVersion(primera, propia)) {
    case VeredictoDeVersion::kVigente:
      conexion_.CerrarCatalogo();
      return true;
    case VeredictoDeVersion::kMantenimiento:
      aviso = kTextoMantenimiento;
      conexion_.CerrarCatalogo();
      return false;
    case VeredictoDeVersion::kDesactualizada:
      aviso = TextoVersionDesactualizada(sitioWeb_);
      conexion_.CerrarCatalogo();
      return false;
    case VeredictoDeVersion::kFallo:
      return false;
  }
  return false;
}

bool ClienteDelCatalogo::ValidaIDLanzador(const std::string& id) {
  estado_.AplicacionesDelLanzador.clear();
  estado_.DescargarActividades = false;
  if (!conexion_.AbrirCatalogo()) return false;
  const auto filas = conexion_.Consultar(SentenciaValidaIDLanzador(id));
  if (!filas) return false;
  if (filas->empty()) {
    conexion_.CerrarCatalogo();
    return false;
  }
  if (filas->front().Numero("Lanzador") != 1.0) {
    conexion_.CerrarCatalogo();
    return false;
  }
  const auto aplicaciones = filas->front().Texto("Aplicaciones");
  if (!aplicaciones) return true;  // what was not read keeps its reset value
  estado_.AplicacionesDelLanzador = *aplicaciones;
  const auto actividades = filas->front().Logico("DescargarActividades");
  if (!actividades) return true;
  estado_.DescargarActividades = *actividades;
  conexion_.CerrarCatalogo();
  return true;
}

std::optional<FilasDelCatalogo> ClienteDelCatalogo::FilasDeLanzadores() {
  // A long filter goes in several calls of whole conditions; each file comes once.
  FilasDelCatalogo todas;
  std::set<std::pair<std::string, std::string>> vistas;
  for (const auto& parte : PartesDelFiltro(FiltroDelLanzador(estado_.AplicacionesDelLanzador))) {
    const auto filas =
        conexion_.LlamarLanzadores(kTipoSistemaLanzadores, estado_.VersionMayor, parte, estado_.DescargarActividades);
    if (!filas) return std::nullopt;
    for (const auto& fila : *filas) {
      const auto clave =
          std::make_pair(fila.Texto("RutaServidor").value_or(""), fila.Texto("RutaLocal").value_or(""));
      if (vistas.insert(clave).second) todas.push_back(fila);
    }
  }
  return todas;
}

bool ClienteDelCatalogo::ObtenerListaDeArchivos(const SuitesElegidas& suites) {
  estado_.TodosLosArchivosExisten = estado_.NingunArchivoExiste = estado_.AlgunArchivoExiste = true;
  if (!conexion_.AbrirCatalogo()) return false;
  std::optional<FilasDelCatalogo> filas;
  if (PideLanzador(estado_)) {
    filas = FilasDeLanzadores();
  } else {
    const std::string solicitud = SolicitudDeArchivos(estado_, suites);
    if (solicitud.empty()) return false;
    filas = conexion_.Consultar(solicitud);
  }
  if (!filas) return false;
  if (filas->empty()) {
    servicios_.mensajes.Mostrar(kSinArchivos, kMensajeSinIcono, std::nullopt);
    servicios_.terminacion.Terminar();
  }
  // Every row has its entry, however many there are; an error leaves the rest empty.
  estado_.ListaCatalogo.assign(filas->size(), ArchivoADescargar{});
  for (size_t i = 0; i < filas->size(); ++i) {
    servicios_.eventos.Ceder();
    const FilaDelCatalogo& fila = (*filas)[i];
    const auto servidor = fila.Texto("RutaServidor");
    const auto local = fila.Texto("RutaLocal");
    const auto peso = Peso(fila);
    if (!servidor || !local || !peso) return false;  // the connection is left for the next opening
    ArchivoADescargar& entrada = estado_.ListaCatalogo[i];
    entrada.RutaServidor = RecortarBlancos(*servidor);
    entrada.RutaLocal = estado_.CarpetaDeInstalacion + "\\" + RecortarBlancos(*local);
    entrada.Peso = *peso;
    entrada.Descargado = false;
    if (ArchivoCompleto(servicios_.archivos, entrada.RutaLocal, entrada.Peso)) {
      entrada.Pendiente = false;
      estado_.NingunArchivoExiste = false;
      estado_.AlgunArchivoExiste = true;
    } else {
      entrada.Pendiente = true;
      estado_.TodosLosArchivosExisten = false;
    }
  }
  conexion_.CerrarCatalogo();
  return true;
}

}  // namespace evalora

#include "download/GestorDeDescargas.h"

#include <cmath>
#include <map>
#include <set>

#include "core/Texto.h"
#include "download/ArchivoCompleto.h"
#include "download/DescargaParcial.h"
#include "platform/CodigosWin.h"
#include "startup/TiposDeAsistente.h"

namespace evalora {

namespace {

constexpr const char* kErrorDeCarpeta = "Error - no se pudo crear la carpeta.";

int32_t AlEntero(double valor) { return static_cast<int32_t>(RedondearPar(valor, 0)); }

// A name Windows keeps for a device (CON, NUL, COM1, …), with or without an extension: a file of
// that name would be the device.
bool NombreDeDispositivo(const std::string& componente) {
  std::string base = Mayusculas(componente.substr(0, componente.find('.')));
  while (!base.empty() && (base.back() == ' ' || base.back() == '.')) base.pop_back();
  if (base == "CON" || base == "PRN" || base == "AUX" || base == "NUL") return true;
  return base.size() == 4 && (base.rfind("COM", 0) == 0 || base.rfind("LPT", 0) == 0) && base[3] >= '1' &&
         base[3] <= '9';
}

// The catalogue's part of a local path must stay below the destination folder: no "..", no
// drive, no path of another machine, no device name. A part that starts with one "\" is below it
// too (the doubled separator reads as one).
bool QuedaDentro(const std::string& base, const std::string& local) {
  const std::string prefijo = base + "\\";
  if (local.compare(0, prefijo.size(), prefijo) != 0) return false;
  std::string relativa = local.substr(prefijo.size());
  if (!relativa.empty() && (relativa[0] == '\\' || relativa[0] == '/')) relativa.erase(0, 1);
  // Still a separator: a path of another machine (\\server\share), never below the folder.
  if (relativa.empty() || relativa[0] == '\\' || relativa[0] == '/' || relativa.find(':') != std::string::npos) {
    return false;
  }
  size_t inicio = 0;
  while (inicio <= relativa.size()) {
    size_t fin = relativa.find_first_of("\\/", inicio);
    if (fin == std::string::npos) fin = relativa.size();
    const std::string componente = relativa.substr(inicio, fin - inicio);
    if (RecortarBlancos(componente) == ".." || NombreDeDispositivo(componente)) return false;
    inicio = fin + 1;
  }
  return true;
}

// The transfer's own temporary files: "EVL" + hexadecimal digits + ".tmp".
bool EsTemporalDeDescarga(const std::string& nombre) {
  const std::string m = Mayusculas(nombre);
  if (m.size() < 8 || m.rfind("EVL", 0) != 0 || m.substr(m.size() - 4) != ".TMP") return false;
  return m.substr(3, m.size() - 7).find_first_not_of("0123456789ABCDEF") == std::string::npos;
}

}  // namespace

double Megas(double bytes) { return std::floor(bytes / 1048576.0 * 100.0) / 100.0; }

bool AvastEnEjecucion(Procesos& procesos) {
  for (const auto& nombre : procesos.NombresEnEjecucion()) {
    if (Mayusculas(nombre) == "AVASTUI.EXE") return true;
  }
  return false;
}

GestorDeDescargas::GestorDeDescargas(EstadoDeEjecucion& estado, ServiciosDeDescarga servicios, BarrasDeDescarga& barras,
                                     std::function<void(const std::string&)> registraFalla)
    : estado_(estado), servicios_(servicios), barras_(barras), registraFalla_(std::move(registraFalla)) {}

void GestorDeDescargas::Esperar(uint32_t milisegundos) {
  const uint32_t inicio = servicios_.reloj.Milisegundos();
  servicios_.eventos.Ceder();
  while (servicios_.reloj.Milisegundos() - inicio < milisegundos) {
    servicios_.reloj.Dormir(std::min<uint32_t>(20, milisegundos - (servicios_.reloj.Milisegundos() - inicio)));
    servicios_.eventos.Ceder();
  }
}

void GestorDeDescargas::PrepararListaDeDescarga() {
  MegasTotales = 0;
  if (estado_.DescargarTodo) {
    ListaDeDescarga = estado_.ListaCatalogo;
    for (const auto& e : ListaDeDescarga) MegasTotales += Megas(static_cast<double>(e.Peso));
    return;
  }
  std::vector<ArchivoADescargar> pendientes;
  for (const auto& e : estado_.ListaCatalogo) {
    if (!e.Pendiente) continue;
    pendientes.push_back(e);
    MegasTotales += Megas(static_cast<double>(e.Peso));
  }
  if (!pendientes.empty()) ListaDeDescarga = std::move(pendientes);
}

bool GestorDeDescargas::CrearCarpetasDelArchivo(const std::string& base, const std::string& local) {
  SistemaDeArchivos& a = servicios_.archivos;
  std::string relativa = local;
  for (size_t p; (p = relativa.find(base + "\\")) != std::string::npos;) relativa.erase(p, base.size() + 1);
  servicios_.eventos.Ceder();
  const auto barra = relativa.rfind('\\');
  if (barra == std::string::npos) {
    if (a.ExisteCarpeta(base)) return true;
    a.CrearCarpeta(base);
    Esperar(1000);
    return a.ExisteCarpeta(base);
  }
  const std::string carpetas = relativa.substr(0, barra + 1);
  if (a.ExisteCarpeta(base + "\\" + carpetas)) return true;
  if (!a.ExisteCarpeta(base)) a.CrearCarpeta(base);
  std::string acumulada;
  size_t inicio = 0;
  while (inicio < carpetas.size()) {
    const size_t fin = carpetas.find('\\', inicio);
    acumulada += "\\" + carpetas.substr(inicio, fin - inicio);
    inicio = fin + 1;
    servicios_.eventos.Ceder();
    if (a.ExisteCarpeta(base + acumulada)) continue;
    a.CrearCarpeta(base + acumulada);
    Esperar(1000);
    if (!a.ExisteCarpeta(base + acumulada)) break;
  }
  return a.ExisteCarpeta(base + "\\" + carpetas);
}

bool GestorDeDescargas::DescargaElArchivo(const std::string& local, const std::string& url,
                                          std::optional<int64_t> bytesEsperados) {
  if (!descarga_) {
    transporte_ = servicios_.red.NuevoTransporte();
    descarga_ = std::make_unique<netDownload>(servicios_.archivos, servicios_.reloj, servicios_.eventos, *transporte_);
    descarga_->Progreso = [this](const EventoProgreso& e, bool&) {
      BytesRecibidos = descarga_->BytesTraidos();
      Down_Progreso(e);
    };
  }
  netDownload& down = *descarga_;
  down.BytesEsperados = bytesEsperados;
  down.Fichero(local);
  down.URL(url);
  // Three attempts that bring nothing more of the file: one that was cut short after taking it
  // further is not among them, and the next goes on from there at once.
  for (int fallidos = 0; fallidos < 3;) {
    servicios_.eventos.Ceder();
    down.Descargar(1);
    BytesRecibidos = down.BytesTraidos();
    servicios_.eventos.Ceder();
    if (!down.HuboError()) return true;
    if (!down.Avanzo()) ++fallidos;
  }
  // What stays of it waits on the disk for the next pass or the next run.
  down.AsegurarParcial();
  return false;
}

void GestorDeDescargas::AsegurarParcial() {
  if (descarga_) descarga_->AsegurarParcial();
}

void GestorDeDescargas::Down_Progreso(const EventoProgreso& e) {
  servicios_.eventos.Ceder();
  BytesDelArchivoActual = static_cast<double>(e.BytesTotales);
  if (e.BytesTotales == -1) return;
  if (ContadorDeRefresco == 0) {
    barras_.DibujarArchivo(AlEntero(e.Porcentaje));
    const double hechos = Megas(static_cast<double>(e.BytesRecibidos)) + MegasDescargados;
    if (MegasTotales != 0) barras_.DibujarGeneral(AlEntero(90.0 / MegasTotales * hechos));
    ++ContadorDeRefresco;
  } else if (ContadorDeRefresco < 400) {
    ++ContadorDeRefresco;
  } else {
    ContadorDeRefresco = 0;
  }
  servicios_.eventos.Ceder();
}

bool GestorDeDescargas::IntentarEntrada(size_t i) {
  ArchivoADescargar& e = ListaDeDescarga[i];
  BytesDelArchivoActual = 0;
  if (!QuedaDentro(estado_.CarpetaDeInstalacion, e.RutaLocal)) {
    // A path from the catalogue that leaves the destination folder is never written.
    e.Descargado = false;
    registraFalla_(e.RutaServidor);
    return false;
  }
  if (!CrearCarpetasDelArchivo(estado_.CarpetaDeInstalacion, e.RutaLocal)) {
    e.Descargado = false;
    registraFalla_(kErrorDeCarpeta);
    return false;
  }
  if (DescargaElArchivo(e.RutaLocal, e.RutaServidor, e.Peso) &&
      ArchivoCompleto(servicios_.archivos, e.RutaLocal, e.Peso)) {
    e.Descargado = true;
    return true;
  }
  BorrarTemporales(e.RutaLocal, false);
  e.Descargado = false;
  registraFalla_(e.RutaServidor);
  return false;
}

// A partial body stays only beside a file that is still incomplete: one that is whole now (it came
// in this run, or another way) loses what an earlier run kept of it. Each folder of the list is
// read once.
void GestorDeDescargas::DescartarParcialesDeCompletos() {
  SistemaDeArchivos& a = servicios_.archivos;
  std::map<std::string, const ArchivoADescargar*> porRuta;
  std::set<std::string> carpetas;
  for (const auto& e : estado_.ListaCatalogo) {
    const auto barra = e.RutaLocal.rfind('\\');
    if (barra == std::string::npos || !QuedaDentro(estado_.CarpetaDeInstalacion, e.RutaLocal)) continue;
    porRuta[Mayusculas(e.RutaLocal)] = &e;
    carpetas.insert(e.RutaLocal.substr(0, barra));
  }
  for (const auto& carpeta : carpetas) {
    for (const auto& nombre : a.ListarArchivos(carpeta)) {
      for (const std::string& deQue : {NombreDelParcial(""), NombreDelRegistro("")}) {
        if (nombre.size() <= deQue.size() ||
            !IgualesSinMayusculas(nombre.substr(nombre.size() - deQue.size()), deQue)) {
          continue;
        }
        const auto e = porRuta.find(Mayusculas(carpeta + "\\" + nombre.substr(0, nombre.size() - deQue.size())));
        if (e != porRuta.end() && ArchivoCompleto(a, e->second->RutaLocal, e->second->Peso)) {
          DescartarParcial(a, e->second->RutaLocal);
        }
      }
    }
  }
}

void GestorDeDescargas::ReintentarDescargas() {
  Esperar(2000);
  servicios_.eventos.Ceder();
  for (size_t i = 0; i < ListaDeDescarga.size(); ++i) {
    if (!ListaDeDescarga[i].Descargado) IntentarEntrada(i);
  }
}

Paso GestorDeDescargas::Descargar() {
  BytesDelArchivoActual = 0;
  PrepararListaDeDescarga();
  // "Descargar todo": what was held of any file is fetched again from its first byte.
  if (estado_.DescartarParciales) {
    for (const auto& e : ListaDeDescarga) DescartarParcial(servicios_.archivos, e.RutaLocal);
  }
  barras_.Preparar();
  for (size_t i = 0; i < ListaDeDescarga.size(); ++i) {
    if (!IntentarEntrada(i)) continue;
    const ArchivoADescargar& e = ListaDeDescarga[i];
    if (e.RutaLocal.find("autorun.inf") != std::string::npos) {
      servicios_.archivos.EstablecerAtributos(e.RutaLocal, win::kAtributoOculto);  // a failure is ignored
    }
    MegasDescargados += Megas(BytesDelArchivoActual);
    if (MegasTotales != 0) barras_.DibujarGeneral(AlEntero(90.0 / MegasTotales * MegasDescargados));
  }
  for (int pasada = 1; pasada <= 5 && !ListaDescargada(); ++pasada) ReintentarDescargas();
  barras_.Ocultar();
  BorrarTemporales(estado_.CarpetaDeInstalacion, true);
  DescartarParcialesDeCompletos();
  if (!ListaDescargada()) return Paso::kDescargaIncorrecta;
  if (AvastEnEjecucion(servicios_.procesos) && !ArchivosCompletos()) return Paso::kDescargaIncorrecta;
  return Instala(estado_) ? Paso::kIniciaInstalacion : Paso::kDescargaCorrecta;
}

void BorrarTemporales(SistemaDeArchivos& a, const std::string& ruta, bool recursivo) {
  auto borrarEn = [&](const std::string& carpeta) {
    for (const auto& nombre : a.ListarArchivos(carpeta)) {
      if (EsTemporalDeDescarga(nombre)) a.BorrarArchivo(carpeta + "\\" + nombre, true);
    }
  };
  if (!recursivo) {
    const auto barra = ruta.rfind('\\');
    borrarEn(barra == std::string::npos ? ruta : ruta.substr(0, barra));
    return;
  }
  std::vector<std::string> carpetas;
  for (const auto& nombre : a.ListarSubcarpetas(ruta)) {
    const std::string m = Mayusculas(nombre);
    if (m.find("INSTALADOR EVALORA") != std::string::npos ||
        m.find("INSTALADOR DE RECURSOS EVALORA") != std::string::npos ||
        m.find("INSTALADOR LANZADORES EVALORA") != std::string::npos) {
      carpetas.push_back(ruta + "\\" + nombre);
    }
  }
  for (size_t i = 0; i < carpetas.size(); ++i) {
    for (const auto& sub : a.ListarSubcarpetas(carpetas[i])) carpetas.push_back(carpetas[i] + "\\" + sub);
  }
  for (const auto& carpeta : carpetas) borrarEn(carpeta);
}

bool GestorDeDescargas::ArchivosCompletos() const {
  for (const auto& e : ListaDeDescarga) {
    if (!ArchivoCompleto(servicios_.archivos, e.RutaLocal, e.Peso)) return false;
  }
  return true;
}

bool GestorDeDescargas::ListaDescargada() const {
  for (const auto& e : ListaDeDescarga) {
    if (!e.Descargado) return false;
  }
  return true;
}

}  // namespace evalora

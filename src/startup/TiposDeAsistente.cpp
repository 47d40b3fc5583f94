#include "startup/TiposDeAsistente.h"

#include "core/Texto.h"

namespace evalora {

namespace {

constexpr const char* kDescargaDelSistema =
    "Este asistente descargará el instalador del sistema Evalora {v} para poder utilizarlo después en diferentes "
    "equipos. {peso}";
constexpr const char* kDescargaDeRecursos =
    "Este asistente descargará el instalador de recursos didácticos Evalora {v} para poder utilizarlo después en "
    "diferentes equipos. {peso}";
constexpr const char* kInstalacionDelSistema =
    "Este asistente descargará e instalará el sistema Evalora {v} en este equipo. {peso}";
constexpr const char* kInstaladores = "Este asistente descargará los instaladores Evalora ";

// clang-format off
constexpr std::array<FichaDeTipo, 8> kTipos{{
  {1, "AsistenteDeInstalacionEvalora{v}Cloud", "Asistente para la instalación de Evalora {v} Cloud",
   "Cloud", true, false, false, false, true, Paso::kDescarga,
   kInstalacionDelSistema, kInstaladores, "\\Instalador Evalora {edicion}"},
  {2, "AsistenteBaseDeDatosEvalora{v}Local",
   "Asistente para la instalación de la Base de datos de Evalora {v} Local",
   "Local", true, true, false, false, true, Paso::kIndicaIdEV,
   "Este asistente descargará e instalará la base de datos del sistema Evalora {v} Local. \r\n{peso}",
   kInstaladores, "\\Instalador Evalora {edicion}"},
  {3, "AsistenteDeInstalacionEvalora{v}Local", "Asistente para la instalación de Evalora {v} Local",
   "Local", true, false, false, false, true, Paso::kDescarga,
   kInstalacionDelSistema, kInstaladores, "\\Instalador Evalora {edicion}"},
  {4, "AsistenteDescargaEvalora{v}Cloud", "Asistente para la descarga de Evalora {v} Cloud",
   "Cloud", false, false, false, false, true, Paso::kSolicitaCarpeta,
   kDescargaDelSistema, kInstaladores, "\\Instalador Evalora {edicion}"},
  {5, "AsistenteDescargaEvalora{v}Local", "Asistente para la descarga de Evalora {v} Local",
   "Local", false, false, false, false, true, Paso::kSolicitaCarpeta,
   kDescargaDelSistema, kInstaladores, "\\Instalador Evalora {edicion}"},
  {6, "AsistenteMaterialDidacticoEvalora{v}Cloud",
   "Asistente para la descarga del material didáctico de Evalora {v} Cloud",
   "Cloud", false, false, true, false, false, Paso::kSolicitaSuite,
   kDescargaDeRecursos, kInstaladores, "\\Instalador de Recursos Evalora {edicion}"},
  {7, "AsistenteMaterialDidacticoEvalora{v}Local",
   "Asistente para la descarga del material didáctico Evalora {v} Local",
   "Local", false, false, true, false, false, Paso::kSolicitaSuite,
   kDescargaDeRecursos, kInstaladores, "\\Instalador de Recursos Evalora {edicion}"},
  {8, "AsistenteLanzadoresEvalora{v}", "Asistente para la descarga de los Lanzadores Evalora {v}",
   "Local", false, false, false, true, false, Paso::kSolicitaCarpeta,
   "Este asistente descargará el instalador de los lanzadores Evalora {v} para poder utilizarlo después en "
   "diferentes equipos.",
   "Este asistente descargará los instaladores de los lanzadores Evalora ", "\\Instalador lanzadores Evalora"},
}};
// clang-format on

}  // namespace

const std::array<FichaDeTipo, 8>& TiposDeAsistente() { return kTipos; }

const FichaDeTipo* FichaDelTipo(const EstadoDeEjecucion& estado) {
  for (const FichaDeTipo& tipo : kTipos) {
    if (estado.TipoDeAsistente == std::to_string(tipo.numero)) return &tipo;
  }
  return nullptr;
}

std::string Rellenar(const char* plantilla, const EstadoDeEjecucion& estado, const std::string& peso) {
  return Reemplazar(Reemplazar(Reemplazar(plantilla, "{v}", estado.VersionMayor), "{peso}", peso), "{edicion}",
                    estado.Edicion);
}

std::string NombreDelEjecutable(const FichaDeTipo& tipo, const std::string& version) {
  return Reemplazar(tipo.ejecutable, "{v}", version);
}

bool Instala(const EstadoDeEjecucion& estado) {
  const FichaDeTipo* tipo = FichaDelTipo(estado);
  return tipo && tipo->instala;
}

bool InstalaElSistema(const EstadoDeEjecucion& estado) {
  const FichaDeTipo* tipo = FichaDelTipo(estado);
  return tipo && tipo->instala && !tipo->instalaBaseDeDatos;
}

bool PideSuites(const EstadoDeEjecucion& estado) {
  const FichaDeTipo* tipo = FichaDelTipo(estado);
  return tipo && tipo->pideSuites;
}

bool PideLanzador(const EstadoDeEjecucion& estado) {
  const FichaDeTipo* tipo = FichaDelTipo(estado);
  return tipo && tipo->pideLanzador;
}

std::string EdicionInstalada(const EstadoDeEjecucion& estado) {
  const FichaDeTipo* tipo = FichaDelTipo(estado);
  return InstalaElSistema(estado) && std::string(tipo->edicion) == "Local" ? "Local" : "Cloud";
}

void EstablecerVersion(EstadoDeEjecucion& estado, const VersionDelEjecutable& version) {
  estado.VersionMayor = std::to_string(version.Mayor);
  estado.TipoDeAsistente = std::to_string(version.Menor);
}

std::optional<std::string> TituloDelAsistente(const EstadoDeEjecucion& estado) {
  const FichaDeTipo* tipo = FichaDelTipo(estado);
  if (!tipo) return std::nullopt;
  return Rellenar(tipo->titulo, estado);
}

void EstablecerTitulos(const EstadoDeEjecucion& estado, TitulosDeVentana& ventana,
                       const std::function<void()>& obtenerPesoInstalador) {
  const FichaDeTipo* tipo = FichaDelTipo(estado);
  if (tipo && tipo->pesaElInstalador && obtenerPesoInstalador) obtenerPesoInstalador();
  if (const auto titulo = TituloDelAsistente(estado)) ventana.EscribirTitulo(*titulo);
  ventana.EscribirCaption(ventana.TituloActual() + kSufijoDeCaption);
}

std::optional<Paso> IniciarFlujo(EstadoDeEjecucion& estado, const Entorno& entorno,
                                 const std::function<void()>& obtenerPesosRecursos) {
  estado.CarpetaDeInstalacion.clear();
  const FichaDeTipo* tipo = FichaDelTipo(estado);
  if (!tipo) return std::nullopt;
  if (tipo->instalaBaseDeDatos) estado.InstalarBaseDeDatos = true;
  if (tipo->pideSuites && obtenerPesosRecursos) obtenerPesosRecursos();
  estado.Edicion = tipo->edicion;
  if (tipo->instala) {
    estado.CarpetaDeInstalacion = entorno.Valor("ProgramFiles") + "\\Evalora " + estado.VersionMayor + " " + tipo->edicion;
  }
  return tipo->pasoTrasBienvenida;
}

std::string NombreDelAsistenteCloud(const EstadoDeEjecucion& estado) {
  return NombreDelEjecutable(kTipos[0], estado.VersionMayor);
}

std::string NombreDelAsistenteLocal(const EstadoDeEjecucion& estado) {
  return NombreDelEjecutable(kTipos[2], estado.VersionMayor);
}

}  // namespace evalora

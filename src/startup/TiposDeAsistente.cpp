#include "startup/TiposDeAsistente.h"

namespace evalora {

void EstablecerVersion(EstadoDeEjecucion& estado, const VersionDelEjecutable& version) {
  estado.VersionMayor = std::to_string(version.Mayor);
  estado.TipoDeAsistente = std::to_string(version.Menor);
}

std::optional<std::string> TituloDelAsistente(const EstadoDeEjecucion& estado) {
  const std::string& v = estado.VersionMayor;
  const std::string& tipo = estado.TipoDeAsistente;
  if (tipo == "1") return "Asistente para la instalación de Evalora " + v + " Cloud";
  if (tipo == "2") return "Asistente para la instalación de la Base de datos de Evalora " + v + " Local";
  if (tipo == "3") return "Asistente para la instalación de Evalora " + v + " Local";
  if (tipo == "4") return "Asistente para la descarga de Evalora " + v + " Cloud";
  if (tipo == "5") return "Asistente para la descarga de Evalora " + v + " Local";
  if (tipo == "6") return "Asistente para la descarga del material didáctico de Evalora " + v + " Cloud";
  if (tipo == "7") return "Asistente para la descarga del material didáctico Evalora " + v + " Local";
  if (tipo == "8") return "Asistente para la descarga de los Lanzadores Evalora " + v;
  return std::nullopt;
}

void EstablecerTitulos(const EstadoDeEjecucion& estado, TitulosDeVentana& ventana,
                       const std::function<void()>& obtenerPesoInstalador) {
  if (estado.TipoComoNumero() < 6 && obtenerPesoInstalador) obtenerPesoInstalador();
  if (const auto titulo = TituloDelAsistente(estado)) ventana.EscribirTitulo(*titulo);
  ventana.EscribirCaption(ventana.TituloActual() + kSufijoDeCaption);
}

void IniciarFlujo(EstadoDeEjecucion& estado, const Entorno& entorno, const std::function<void()>& obtenerPesosRecursos,
                  const std::function<void(const std::string& paso)>& muestraPaso) {
  estado.CarpetaDeInstalacion.clear();
  const std::string carpetaDelSistema = entorno.Valor("ProgramFiles") + "\\Evalora " + estado.VersionMayor;
  const std::string& tipo = estado.TipoDeAsistente;
  const double numero = estado.TipoComoNumero();
  std::string paso;
  if (tipo == "1") {
    estado.Edicion = "Cloud";
    estado.CarpetaDeInstalacion = carpetaDelSistema + " Cloud";
    paso = "Descarga";
  } else if (tipo == "2") {
    estado.InstalarBaseDeDatos = true;
    estado.Edicion = "Local";
    estado.CarpetaDeInstalacion = carpetaDelSistema + " Local";
    paso = "IndicaIdEV";
  } else if (tipo == "3") {
    estado.Edicion = "Local";
    estado.CarpetaDeInstalacion = carpetaDelSistema + " Local";
    paso = "Descarga";
  } else if (tipo == "4" || tipo == "5") {
    estado.Edicion = numero == 4 ? "Cloud" : "Local";
    paso = "SolicitaCarpeta";
  } else if (tipo == "6" || tipo == "7") {
    if (obtenerPesosRecursos) obtenerPesosRecursos();
    estado.Edicion = numero == 6 ? "Cloud" : "Local";
    paso = "SolicitaSuite";
  } else if (tipo == "8") {
    estado.Edicion = "Local";
    paso = "SolicitaCarpeta";
  }
  if (!paso.empty() && muestraPaso) muestraPaso(paso);
}

std::string NombreDelAsistenteCloud(const EstadoDeEjecucion& estado) {
  return "AsistenteDeInstalacionEvalora" + estado.VersionMayor + "Cloud";
}

std::string NombreDelAsistenteLocal(const EstadoDeEjecucion& estado) {
  return "AsistenteDeInstalacionEvalora" + estado.VersionMayor + "Local";
}

}  // namespace evalora

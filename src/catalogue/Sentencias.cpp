#include "catalogue/Sentencias.h"

namespace evalora {

namespace {

std::string Digito(bool valor) { return valor ? "1" : "0"; }

std::string Entre(const std::string& texto) { return "'" + Citar(texto) + "'"; }

}  // namespace

std::string Citar(const std::string& texto) {
  std::string salida;
  salida.reserve(texto.size());
  for (char c : texto) {
    salida += c;
    if (c == '\'') salida += '\'';
  }
  return salida;
}

std::string SentenciaRegistraFalla(const std::string& texto) { return "spRegistraFalla " + Entre(texto); }

std::string SentenciaRegistraCorreo(const std::string& correo, const std::string& telefono, const std::string& nombre,
                                    const IndicadoresDeContacto& i, const EstadoDeEjecucion& estado) {
  return "spRegistraCorreo " + Entre(correo) + "," + Entre(estado.TipoDeAsistente) + "," + Digito(i.avisoAntivirus) +
         "," + Digito(i.impresoraNoInstalable) + "," + Digito(i.instalacionFallida) + "," +
         Digito(i.netFrameworkFaltante) + "," + Entre(telefono) + "," + Entre(nombre) + "," +
         Entre(estado.VersionMayor);
}

std::string SentenciaObtenerPesoInstalador(const EstadoDeEjecucion& estado) {
  return "spObtienePesoInstalador " + estado.TipoDeAsistente + "," + Entre(estado.VersionMayor);
}

std::string SentenciaObtenerPesosRecursos(const EstadoDeEjecucion& estado) {
  return "spObtienePesosRecursos " + Entre(estado.VersionMayor);
}

std::string SentenciaVersionVigente(const std::string& tipo, const std::string& versionMayor) {
  return "SELECT Activa, Version FROM TBL_DMVersionDM WHERE SUBSTRING ( Version ,6 , 1 )=" + tipo +
         " and versionEV=" + Entre(versionMayor);
}

std::string SentenciaValidaIDLanzador(const std::string& id) { return "Exec spValidaIDLanzador " + Entre(id); }

std::string SufijoDeVariante(const EstadoDeEjecucion& estado) { return estado.UsarVariante01TE ? "01TE" : "02GE"; }

std::string SolicitudDeArchivos(const EstadoDeEjecucion& estado, const SuitesElegidas& s) {
  const std::string& tipo = estado.TipoDeAsistente;
  const std::string version = Entre(estado.VersionMayor);
  const std::string sufijo = Entre(SufijoDeVariante(estado));
  // The first literal alone has a blank after "2,": the catalogue receives it so.
  if (tipo == "1") return "Exec spDescargaSistema 'Cloud',2, " + version + "," + sufijo;
  if (tipo == "2") return "Exec spDescargaBDServidorLocal " + version;
  if (tipo == "3") return "Exec spDescargaSistema 'Local',2," + version + "," + sufijo;
  if (tipo == "4") return "Exec spDescargaSistema 'Cloud',1," + version + "," + sufijo;
  if (tipo == "5") return "Exec spDescargaSistema 'Local',1," + version + "," + sufijo;
  if (tipo == "6" || tipo == "7") {
    return "Exec spDescargaRecursos " + Digito(s.office2010) + "," + Digito(s.office2013) + "," + Digito(s.adobeCS6) +
           "," + Digito(s.adobeCC2014) + "," + Entre(estado.Edicion) + "," + version + "," + Digito(s.office2016) +
           "," + Digito(s.programacion) + "," + sufijo + "," + Digito(s.office2019);
  }
  return std::string();
}

FiltroDeAplicaciones FiltroDelLanzador(const std::string& aplicaciones) {
  std::vector<std::string> partes;
  size_t inicio = 0;
  while (true) {
    const size_t fin = aplicaciones.find(';', inicio);
    partes.push_back(aplicaciones.substr(inicio, fin == std::string::npos ? std::string::npos : fin - inicio));
    if (fin == std::string::npos) break;
    inicio = fin + 1;
  }
  FiltroDeAplicaciones filtro;
  // From the first part to the last-but-one: what follows the final ";" is not a name.
  for (size_t i = 0; i + 1 < partes.size(); ++i) {
    if (partes[i].empty()) continue;
    filtro.condiciones.push_back("RutaServidor LIKE '%" + Citar(partes[i]) + "%'");
  }
  return filtro;
}

std::string TextoDelFiltro(const FiltroDeAplicaciones& filtro) {
  std::string texto;
  for (size_t i = 0; i < filtro.condiciones.size(); ++i) {
    texto += filtro.condiciones[i];
    if (i + 1 < filtro.condiciones.size()) texto += " OR ";
  }
  return texto;
}

std::vector<std::string> PartesDelFiltro(const FiltroDeAplicaciones& filtro, size_t maximo) {
  std::vector<std::string> partes;
  std::string actual;
  for (const auto& condicion : filtro.condiciones) {
    if (!actual.empty() && actual.size() + 4 + condicion.size() > maximo) {
      partes.push_back(actual);
      actual.clear();
    }
    actual += (actual.empty() ? "" : " OR ") + condicion;
  }
  partes.push_back(actual);
  return partes;
}

}  // namespace evalora

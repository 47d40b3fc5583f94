#include "AtencionDelCatalogo.h"

#include <fstream>

#include "core/Texto.h"

namespace evalora::servidor {

namespace {

using tds::Columna;
using tds::TipoDeColumna;

void Responder(const Tabla& tabla, tds::Escritor& r) {
  tds::MetadatosDeColumnas(r, tabla.columnas);
  for (const auto& fila : tabla.filas) tds::Fila(r, tabla.columnas, fila);
  tds::Done(r, tds::kDoneCuenta, tabla.filas.size(), 0xC1);
}

void Fallo(tds::Escritor& r, int32_t numero, const std::string& mensaje) {
  tds::Error(r, numero, 16, mensaje, "Catalogo Evalora de desarrollo");
  tds::Done(r, tds::kDoneError);
}

// Arguments as the procedure expects them: 'T' a quoted text, 'N' a bare number.
bool Firma(const LlamadaAProcedimiento& llamada, const std::string& firma) {
  if (llamada.argumentos.size() != firma.size()) return false;
  for (size_t i = 0; i < firma.size(); ++i) {
    if (llamada.argumentos[i].esTexto != (firma[i] == 'T')) return false;
  }
  return true;
}

std::vector<std::string> Valores(const LlamadaAProcedimiento& llamada) {
  std::vector<std::string> valores;
  for (const auto& a : llamada.argumentos) valores.push_back(a.valor);
  return valores;
}

const std::vector<Columna> kColumnasDeArchivos{
    {"RutaServidor", TipoDeColumna::kTexto}, {"RutaLocal", TipoDeColumna::kTexto}, {"Peso", TipoDeColumna::kTexto}};

}  // namespace

AtencionDelCatalogo::AtencionDelCatalogo(Catalogo& catalogo, std::string registro)
    : catalogo_(catalogo), registro_(std::move(registro)) {}

void AtencionDelCatalogo::FijarBaseHttp(std::string base) {
  std::lock_guard<std::mutex> bloqueo(candado_);
  baseHttp_ = std::move(base);
}

void AtencionDelCatalogo::Anotar(const std::string& linea) {
  if (registro_.empty()) return;
  std::ofstream(registro_, std::ios::app) << linea << "\n";
}

void AtencionDelCatalogo::Lote(const std::string& sql, tds::Escritor& r) {
  std::lock_guard<std::mutex> bloqueo(candado_);
  Anotar(sql);
  const auto peticion = LeerPeticion(sql);
  if (!peticion) return Fallo(r, 102, "Sentencia no reconocida por el catálogo de desarrollo: " + sql);
  if (std::holds_alternative<InformacionDeTipos>(*peticion)) return tds::Done(r, 0);
  if (const auto* version = std::get_if<ConsultaDeVersion>(&*peticion)) {
    return Responder(catalogo_.Consultar("SELECT Activa, Version FROM TBL_DMVersionDM WHERE substr(Version, 6, 1) = ? "
                                         "AND versionEV = ? ORDER BY rowid",
                                         {version->tipo, version->versionEV},
                                         {{"Activa", TipoDeColumna::kBit}, {"Version", TipoDeColumna::kTexto}}),
                     r);
  }
  Procedimiento(std::get<LlamadaAProcedimiento>(*peticion), r);
}

void AtencionDelCatalogo::Procedimiento(const LlamadaAProcedimiento& llamada, tds::Escritor& r) {
  const std::string nombre = Minusculas(llamada.procedimiento);
  const auto v = Valores(llamada);
  auto firma = [&](const std::string& f) {
    if (Firma(llamada, f)) return true;
    Fallo(r, 8144, "Argumentos que " + llamada.procedimiento + " no espera.");
    return false;
  };
  if (nombre == "spregistrafalla") {
    if (!firma("T")) return;
    catalogo_.Modificar("INSERT INTO Fallas (Texto) VALUES (?)", v);
    return tds::Done(r, tds::kDoneCuenta, 1);
  }
  if (nombre == "spregistracorreo") {
    if (!firma("TTNNNNTTT")) return;
    catalogo_.Modificar(
        "INSERT INTO Contactos (Correo, Tipo, Antivirus, ImpresoraNoInstalable, InstalacionFallida, "
        "NetFrameworkFaltante, Telefono, Nombre, VersionEV) VALUES (?,?,?,?,?,?,?,?,?)",
        v);
    return tds::Done(r, tds::kDoneCuenta, 1);
  }
  if (nombre == "spobtienepesoinstalador") {
    if (!firma("NT")) return;
    return Responder(catalogo_.Consultar("SELECT Total FROM PesoInstalador WHERE Tipo = ? AND VersionEV = ?", v,
                                         {{"Total", TipoDeColumna::kReal}}),
                     r);
  }
  if (nombre == "spobtienepesosrecursos") {
    if (!firma("T")) return;
    std::vector<Columna> columnas;
    for (const char* c : {"MS2010", "MS2013", "MS2016", "MS2019", "CS6", "CC2014", "Programacion"}) {
      columnas.push_back({c, TipoDeColumna::kReal});
    }
    return Responder(catalogo_.Consultar("SELECT MS2010, MS2013, MS2016, MS2019, CS6, CC2014, Programacion FROM "
                                         "PesosRecursos WHERE VersionEV = ?",
                                         v, columnas),
                     r);
  }
  if (nombre == "spvalidaidlanzador") {
    if (!firma("T")) return;
    return Responder(catalogo_.Consultar("SELECT Lanzador, Aplicaciones, DescargarActividades FROM Lanzadores "
                                         "WHERE ID = ?",
                                         v,
                                         {{"Lanzador", TipoDeColumna::kEntero},
                                          {"Aplicaciones", TipoDeColumna::kTexto},
                                          {"DescargarActividades", TipoDeColumna::kBit}}),
                     r);
  }
  if (nombre == "spdescargasistema") {
    if (!firma("TNTT")) return;
    return Archivos("Producto = 'Sistema' AND Edicion = ? AND Modo = ? AND VersionEV = ? AND Variante = ?", v, r,
                    false);
  }
  if (nombre == "spdescargabdservidorlocal") {
    if (!firma("T")) return;
    return Archivos("Producto = 'BDServidorLocal' AND VersionEV = ?", v, r, false);
  }
  if (nombre == "spdescargarecursos") {
    if (!firma("NNNNTTNNTN")) return;
    // d2010, d2013, dCS6, dCC2014, edition, version, d2016, dProgramacion, variant, d2019
    const std::pair<size_t, const char*> suites[] = {{0, "MS2010"}, {1, "MS2013"},       {2, "CS6"},   {3, "CC2014"},
                                                     {6, "MS2016"}, {7, "Programacion"}, {9, "MS2019"}};
    std::string elegidas = "''";
    for (const auto& [indice, suite] : suites) {
      if (v[indice] == "1") elegidas += std::string(",'") + suite + "'";
    }
    return Archivos(
        "Producto = 'Recursos' AND Edicion = ? AND VersionEV = ? AND Variante = ? AND Suite IN (" + elegidas + ")",
        {v[4], v[5], v[8]}, r, false);
  }
  Fallo(r, 2812, "No se encontró el procedimiento almacenado '" + llamada.procedimiento + "'.");
}

void AtencionDelCatalogo::Archivos(const std::string& condicion, const std::vector<std::string>& parametros,
                                   tds::Escritor& r, bool enProcedimiento) {
  Tabla tabla =
      catalogo_.Consultar("SELECT RutaServidor, RutaLocal, Peso FROM Archivos WHERE " + condicion + " ORDER BY rowid",
                          parametros, kColumnasDeArchivos);
  if (!baseHttp_.empty()) {
    for (auto& fila : tabla.filas) {
      if (auto* ruta = std::get_if<std::string>(&fila[0])) {
        for (size_t p; (p = ruta->find("${HTTP}")) != std::string::npos;) ruta->replace(p, 7, baseHttp_);
      }
    }
  }
  if (!enProcedimiento) return Responder(tabla, r);
  tds::MetadatosDeColumnas(r, tabla.columnas);
  for (const auto& fila : tabla.filas) tds::Fila(r, tabla.columnas, fila);
  tds::DoneEnProcedimiento(r, tds::kDoneMas | tds::kDoneCuenta, tabla.filas.size());
  tds::EstadoDeRetorno(r, 0);
  tds::DoneDeProcedimiento(r, 0);
}

void AtencionDelCatalogo::Rpc(const tds::LlamadaRpc& llamada, tds::Escritor& r) {
  std::lock_guard<std::mutex> bloqueo(candado_);
  std::string linea = "RPC " + llamada.procedimiento + ":";
  for (size_t i = 0; i < llamada.parametros.size(); ++i) {
    const auto& p = llamada.parametros[i];
    linea += (i ? " | " : " ") + (p.nulo ? std::string("NULL") : p.esTexto ? p.texto : std::to_string(p.entero));
  }
  Anotar(linea);
  const auto& p = llamada.parametros;
  auto falloEnProcedimiento = [&](int32_t numero, const std::string& mensaje) {
    tds::Error(r, numero, 16, mensaje, "Catalogo Evalora de desarrollo");
    tds::DoneDeProcedimiento(r, tds::kDoneError);
  };
  if (Minusculas(llamada.procedimiento) != "spdescargalanzadores") {
    return falloEnProcedimiento(2812, "No se encontró el procedimiento almacenado '" + llamada.procedimiento + "'.");
  }
  if (p.size() != 4 || !p[0].esTexto || !p[1].esTexto || !p[2].esTexto || p[3].esTexto || p[3].nulo) {
    return falloEnProcedimiento(8144,
                                "spDescargaLanzadores espera TipoSistema, VersionEV, Aplicaciones y "
                                "DescargarActividades.");
  }
  const auto nombres = LeerFiltroDeAplicaciones(p[2].texto);
  if (!nombres) return falloEnProcedimiento(4145, "Filtro de aplicaciones no válido: " + p[2].texto);
  std::string condicion = "Producto = ? AND VersionEV = ? AND (Actividades = 0 OR ? = '1') AND (0";
  std::vector<std::string> parametros{p[0].texto, p[1].texto, p[3].entero ? "1" : "0"};
  for (const auto& nombre : *nombres) {
    condicion += " OR RutaServidor LIKE '%' || ? || '%'";
    parametros.push_back(nombre);
  }
  Archivos(condicion + ")", parametros, r, true);
}

}  // namespace evalora::servidor

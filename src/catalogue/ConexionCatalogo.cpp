#include "catalogue/ConexionCatalogo.h"

#include <algorithm>

#include "core/Texto.h"

#ifndef EVALORA_SERVIDOR_CATALOGO
#define EVALORA_SERVIDOR_CATALOGO "127.0.0.1"
#endif
#ifndef EVALORA_PUERTO_CATALOGO
#define EVALORA_PUERTO_CATALOGO 1433
#endif

namespace evalora {

namespace {

constexpr const char* kBaseDeDatos = "downloadmanager";
constexpr const char* kUsuario = "downloadmanager";
constexpr const char* kClave = "Qm58wLx2Zb";
constexpr unsigned kEsperaDeLogin = 10;

std::optional<FilasDelCatalogo> Filas(std::optional<std::vector<FilaOdbc>> filas) {
  if (!filas) return std::nullopt;
  FilasDelCatalogo resultado;
  for (auto& fila : *filas) resultado.emplace_back(std::move(fila));
  return resultado;
}

}  // namespace

DireccionDelCatalogo DireccionDelCatalogoPara(const Entorno& entorno) {
  DireccionDelCatalogo direccion{EVALORA_SERVIDOR_CATALOGO, EVALORA_PUERTO_CATALOGO};
  const std::string otra = RecortarBlancos(entorno.Valor("EVALORA_CATALOGO"));
  if (otra.empty()) return direccion;
  const auto dos = otra.rfind(':');
  if (dos == std::string::npos) {
    direccion.host = otra;
    return direccion;
  }
  const std::string puerto = otra.substr(dos + 1);
  if (!puerto.empty() && puerto.size() <= 5 && puerto.find_first_not_of("0123456789") == std::string::npos &&
      std::stoul(puerto) <= 65535) {
    direccion.host = otra.substr(0, dos);
    direccion.puerto = static_cast<uint16_t>(std::stoul(puerto));
  }
  return direccion;
}

std::string DriverPedido(const Entorno& entorno) { return RecortarBlancos(entorno.Valor("EVALORA_DRIVER_ODBC")); }

std::string DriverDelCatalogo(const std::string& pedido, const std::vector<std::string>& instalados) {
  if (!pedido.empty()) return pedido;
  for (const auto& driver : instalados) {
    if (IgualesSinMayusculas(driver, "SQL Server") || IgualesSinMayusculas(driver, "FreeTDS")) return driver;
  }
  return "";
}

std::string TextoDeConexion(const std::string& driver, const DireccionDelCatalogo& direccion, int esperaDeSentencia) {
  const std::string comun = std::string("DATABASE=") + kBaseDeDatos + ";UID=" + kUsuario + ";PWD=" + kClave + ";";
  if (IgualesSinMayusculas(driver, "SQL Server")) {
    return "DRIVER={" + driver + "};SERVER=" + direccion.host + "," + std::to_string(direccion.puerto) + ";" + comun;
  }
  // FreeTDS's own limit for every answer of the server. When it passes, the driver cancels and
  // waits as long again for the cancel's answer: half of the statement's time each, so no
  // statement holds the window longer.
  return "DRIVER={" + driver + "};SERVER=" + direccion.host + ";PORT=" + std::to_string(direccion.puerto) + ";" +
         comun + "TDS_Version=7.4;ClientCharset=UTF-8;Timeout=" + std::to_string(std::max(1, esperaDeSentencia / 2)) +
         ";";
}

ConexionCatalogo::ConexionCatalogo(Odbc& odbc, DireccionDelCatalogo direccion, int esperaDeSentencia,
                                   std::string driver)
    : direccion_(std::move(direccion)),
      driver_(std::move(driver)),
      esperaDeSentencia_(esperaDeSentencia),
      gestor_(odbc),
      odbc_(odbc.NuevaConexion()) {}

ConexionCatalogo::~ConexionCatalogo() = default;

bool ConexionCatalogo::AbrirCatalogo() {
  CerrarCatalogo();
  const std::string driver = DriverDelCatalogo(driver_, gestor_.Drivers());
  if (driver.empty()) return false;
  // FreeTDS keeps its time-out in the connection text; "SQL Server" is told it per statement.
  const unsigned espera = IgualesSinMayusculas(driver, "SQL Server") ? static_cast<unsigned>(esperaDeSentencia_) : 0;
  return odbc_->Conectar(TextoDeConexion(driver, direccion_, esperaDeSentencia_), kEsperaDeLogin, espera);
}

void ConexionCatalogo::CerrarCatalogo() { odbc_->Cerrar(); }

bool ConexionCatalogo::Ejecutar(const std::string& sentencia) { return odbc_->Ejecutar(sentencia); }

std::optional<FilasDelCatalogo> ConexionCatalogo::Consultar(const std::string& sentencia) {
  return Filas(odbc_->Consultar(sentencia));
}

std::optional<FilasDelCatalogo> ConexionCatalogo::LlamarLanzadores(const std::string& tipoSistema,
                                                                   const std::string& version,
                                                                   const std::string& aplicaciones,
                                                                   bool descargarActividades) {
  return Filas(odbc_->Consultar("{CALL spDescargaLanzadores(?,?,?,?)}",
                               {tipoSistema, version, aplicaciones, descargarActividades}));
}

}  // namespace evalora

#include "catalogue/ConexionCatalogo.h"

// The ODBC headers of Windows take their basic types from windows.h.
#ifdef _WIN32
#include <windows.h>
#endif
#include <sql.h>
#include <sqlext.h>

#include <algorithm>

#include "core/Texto.h"
#include "core/Unicode.h"

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
constexpr SQLULEN kEsperaDeLogin = 10;

using TextoOdbc = std::basic_string<SQLWCHAR>;

static_assert(sizeof(SQLWCHAR) == 2, "the wide ODBC calls take UTF-16");

TextoOdbc AOdbc(const std::string& texto) {
  const std::u16string unidades = Utf8AUtf16(texto);
  return TextoOdbc(unidades.begin(), unidades.end());
}

std::string DeOdbc(const SQLWCHAR* texto, size_t largo) { return Utf16AUtf8(std::u16string(texto, texto + largo)); }

bool Bien(SQLRETURN r) { return r == SQL_SUCCESS || r == SQL_SUCCESS_WITH_INFO; }

// An environment handle for ODBC 3.
SQLHENV NuevoEntorno() {
  SQLHENV entorno = SQL_NULL_HENV;
  if (!Bien(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &entorno))) return SQL_NULL_HENV;
  if (!Bien(SQLSetEnvAttr(entorno, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0))) {
    SQLFreeHandle(SQL_HANDLE_ENV, entorno);
    return SQL_NULL_HENV;
  }
  return entorno;
}

}  // namespace

// The handles of one open connection and its statement.
struct ConexionCatalogo::Manejadores {
  SQLHENV entorno = SQL_NULL_HENV;
  SQLHDBC conexion = SQL_NULL_HDBC;
  bool conectada = false;
  // The statement time-out the driver is told on each statement; 0 when the connection text
  // carries it already (FreeTDS).
  SQLULEN esperaDeSentencia = 0;

  ~Manejadores() {
    if (conectada) SQLDisconnect(conexion);
    if (conexion != SQL_NULL_HDBC) SQLFreeHandle(SQL_HANDLE_DBC, conexion);
    if (entorno != SQL_NULL_HENV) SQLFreeHandle(SQL_HANDLE_ENV, entorno);
  }
};

namespace {

// A statement handle freed when it goes out of scope.
class Sentencia {
 public:
  Sentencia(SQLHDBC conexion, SQLULEN espera) {
    if (!Bien(SQLAllocHandle(SQL_HANDLE_STMT, conexion, &h_))) {
      h_ = SQL_NULL_HSTMT;
      return;
    }
    if (espera > 0) SQLSetStmtAttr(h_, SQL_ATTR_QUERY_TIMEOUT, reinterpret_cast<SQLPOINTER>(espera), 0);
  }
  ~Sentencia() {
    if (h_ != SQL_NULL_HSTMT) SQLFreeHandle(SQL_HANDLE_STMT, h_);
  }
  Sentencia(const Sentencia&) = delete;
  Sentencia& operator=(const Sentencia&) = delete;
  SQLHSTMT h() const { return h_; }

 private:
  SQLHSTMT h_ = SQL_NULL_HSTMT;
};

// The whole value of a column of the current row as text; nothing for NULL or an error.
bool LeerColumna(SQLHSTMT h, SQLUSMALLINT columna, std::optional<std::string>& valor) {
  std::u16string unidades;
  SQLWCHAR bloque[2048];
  for (;;) {
    SQLLEN indicador = 0;
    const SQLRETURN r = SQLGetData(h, columna, SQL_C_WCHAR, bloque, sizeof bloque, &indicador);
    if (r == SQL_NO_DATA) break;
    if (!Bien(r)) return false;
    if (indicador == SQL_NULL_DATA) {
      valor.reset();
      return true;
    }
    // A part that did not fit fills the buffer but its terminating NUL; the last one says its length.
    const size_t capacidad = sizeof bloque / sizeof(SQLWCHAR) - 1;
    const size_t largo = (indicador == SQL_NO_TOTAL || static_cast<size_t>(indicador) / sizeof(SQLWCHAR) > capacidad)
                             ? capacidad
                             : static_cast<size_t>(indicador) / sizeof(SQLWCHAR);
    unidades.append(bloque, bloque + largo);
    if (r == SQL_SUCCESS) break;
  }
  valor = Utf16AUtf8(unidades);
  return true;
}

std::vector<std::string> NombresDeColumnas(SQLHSTMT h, SQLSMALLINT columnas) {
  std::vector<std::string> nombres;
  for (SQLSMALLINT c = 1; c <= columnas; ++c) {
    SQLWCHAR nombre[256] = {};
    SQLSMALLINT largo = 0;
    SQLSMALLINT tipo = 0;
    SQLULEN tamano = 0;
    SQLSMALLINT decimales = 0;
    SQLSMALLINT nulos = 0;
    if (!Bien(SQLDescribeColW(h, c, nombre, 256, &largo, &tipo, &tamano, &decimales, &nulos))) largo = 0;
    nombres.push_back(DeOdbc(nombre, std::clamp<SQLSMALLINT>(largo, 0, 255)));
  }
  return nombres;
}

// The rows of the statement's first result that has columns; nothing when the statement has none
// or a row cannot be read.
std::optional<FilasDelCatalogo> LeerFilas(SQLHSTMT h) {
  SQLSMALLINT columnas = 0;
  for (;;) {
    if (!Bien(SQLNumResultCols(h, &columnas))) return std::nullopt;
    if (columnas > 0) break;
    if (!Bien(SQLMoreResults(h))) return std::nullopt;
  }
  const std::vector<std::string> nombres = NombresDeColumnas(h, columnas);
  FilasDelCatalogo filas;
  for (;;) {
    const SQLRETURN r = SQLFetch(h);
    if (r == SQL_NO_DATA) break;
    if (!Bien(r)) return std::nullopt;
    FilaDelCatalogo fila;
    for (SQLSMALLINT c = 1; c <= columnas; ++c) {
      std::optional<std::string> valor;
      if (!LeerColumna(h, static_cast<SQLUSMALLINT>(c), valor)) return std::nullopt;
      fila.Agregar(nombres[c - 1], std::move(valor));
    }
    filas.push_back(std::move(fila));
  }
  return filas;
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

std::vector<std::string> DriversInstalados() {
  std::vector<std::string> drivers;
  const SQLHENV entorno = NuevoEntorno();
  if (entorno == SQL_NULL_HENV) return drivers;
  SQLUSMALLINT direccion = SQL_FETCH_FIRST;
  for (;;) {
    SQLWCHAR nombre[512] = {};
    SQLWCHAR atributos[2048] = {};
    SQLSMALLINT largoNombre = 0;
    SQLSMALLINT largoAtributos = 0;
    if (!Bien(SQLDriversW(entorno, direccion, nombre, 512, &largoNombre, atributos, 2048, &largoAtributos))) break;
    drivers.push_back(DeOdbc(nombre, std::clamp<SQLSMALLINT>(largoNombre, 0, 511)));
    direccion = SQL_FETCH_NEXT;
  }
  SQLFreeHandle(SQL_HANDLE_ENV, entorno);
  return drivers;
}

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

ConexionCatalogo::ConexionCatalogo(DireccionDelCatalogo direccion, int esperaDeSentencia, std::string driver)
    : direccion_(std::move(direccion)), driver_(std::move(driver)), esperaDeSentencia_(esperaDeSentencia) {}

ConexionCatalogo::~ConexionCatalogo() { CerrarCatalogo(); }

bool ConexionCatalogo::AbrirCatalogo() {
  CerrarCatalogo();
  auto odbc = std::make_unique<Manejadores>();
  odbc->entorno = NuevoEntorno();
  if (odbc->entorno == SQL_NULL_HENV) return false;
  if (!Bien(SQLAllocHandle(SQL_HANDLE_DBC, odbc->entorno, &odbc->conexion))) {
    odbc->conexion = SQL_NULL_HDBC;
    return false;
  }
  SQLSetConnectAttr(odbc->conexion, SQL_ATTR_LOGIN_TIMEOUT, reinterpret_cast<SQLPOINTER>(kEsperaDeLogin), 0);
  const std::string driver = DriverDelCatalogo(driver_, DriversInstalados());
  if (driver.empty()) return false;
  TextoOdbc texto = AOdbc(TextoDeConexion(driver, direccion_, esperaDeSentencia_));
  SQLWCHAR completo[1024];
  SQLSMALLINT largo = 0;
  if (!Bien(SQLDriverConnectW(odbc->conexion, nullptr, texto.data(), static_cast<SQLSMALLINT>(texto.size()), completo,
                              1024, &largo, SQL_DRIVER_NOPROMPT))) {
    return false;
  }
  odbc->conectada = true;
  if (IgualesSinMayusculas(driver, "SQL Server")) odbc->esperaDeSentencia = static_cast<SQLULEN>(esperaDeSentencia_);
  odbc_ = std::move(odbc);
  return true;
}

void ConexionCatalogo::CerrarCatalogo() { odbc_.reset(); }

bool ConexionCatalogo::Ejecutar(const std::string& sentencia) {
  if (!odbc_) return false;
  Sentencia s(odbc_->conexion, odbc_->esperaDeSentencia);
  if (s.h() == SQL_NULL_HSTMT) return false;
  TextoOdbc texto = AOdbc(sentencia);
  const SQLRETURN r = SQLExecDirectW(s.h(), texto.data(), static_cast<SQLINTEGER>(texto.size()));
  return Bien(r) || r == SQL_NO_DATA;
}

std::optional<FilasDelCatalogo> ConexionCatalogo::Consultar(const std::string& sentencia) {
  if (!odbc_) return std::nullopt;
  Sentencia s(odbc_->conexion, odbc_->esperaDeSentencia);
  if (s.h() == SQL_NULL_HSTMT) return std::nullopt;
  TextoOdbc texto = AOdbc(sentencia);
  if (!Bien(SQLExecDirectW(s.h(), texto.data(), static_cast<SQLINTEGER>(texto.size())))) return std::nullopt;
  return LeerFilas(s.h());
}

std::optional<FilasDelCatalogo> ConexionCatalogo::LlamarLanzadores(const std::string& tipoSistema,
                                                                   const std::string& version,
                                                                   const std::string& aplicaciones,
                                                                   bool descargarActividades) {
  if (!odbc_) return std::nullopt;
  Sentencia s(odbc_->conexion, odbc_->esperaDeSentencia);
  if (s.h() == SQL_NULL_HSTMT) return std::nullopt;
  TextoOdbc textos[3] = {AOdbc(tipoSistema), AOdbc(version), AOdbc(aplicaciones)};
  SQLLEN largos[3];
  for (SQLUSMALLINT i = 0; i < 3; ++i) {
    largos[i] = static_cast<SQLLEN>(textos[i].size() * sizeof(SQLWCHAR));
    const SQLULEN tamano = std::max<SQLULEN>(1, textos[i].size());
    if (!Bien(SQLBindParameter(s.h(), i + 1, SQL_PARAM_INPUT, SQL_C_WCHAR, SQL_WVARCHAR, tamano, 0, textos[i].data(),
                               largos[i], &largos[i]))) {
      return std::nullopt;
    }
  }
  unsigned char bit = descargarActividades ? 1 : 0;
  SQLLEN largoBit = 1;
  if (!Bien(SQLBindParameter(s.h(), 4, SQL_PARAM_INPUT, SQL_C_BIT, SQL_BIT, 1, 0, &bit, 1, &largoBit))) {
    return std::nullopt;
  }
  TextoOdbc llamada = AOdbc("{CALL spDescargaLanzadores(?,?,?,?)}");
  if (!Bien(SQLExecDirectW(s.h(), llamada.data(), static_cast<SQLINTEGER>(llamada.size())))) return std::nullopt;
  return LeerFilas(s.h());
}

}  // namespace evalora

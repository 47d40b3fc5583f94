#include "platform/ConexionOdbc.h"

// The system's ODBC headers, from this build's platform folder.
#include "CabecerasOdbc.h"

#include <algorithm>

#include "core/Unicode.h"

namespace evalora {

namespace {

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

// The whole value of a column of the current row as text; nothing for NULL. False on an error.
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

std::optional<std::vector<FilaOdbc>> LeerFilas(SQLHSTMT h) {
  SQLSMALLINT columnas = 0;
  for (;;) {
    if (!Bien(SQLNumResultCols(h, &columnas))) return std::nullopt;
    if (columnas > 0) break;
    if (!Bien(SQLMoreResults(h))) return std::nullopt;
  }
  const std::vector<std::string> nombres = NombresDeColumnas(h, columnas);
  std::vector<FilaOdbc> filas;
  for (;;) {
    const SQLRETURN r = SQLFetch(h);
    if (r == SQL_NO_DATA) break;
    if (!Bien(r)) return std::nullopt;
    FilaOdbc fila;
    for (SQLSMALLINT c = 1; c <= columnas; ++c) {
      std::optional<std::string> valor;
      if (!LeerColumna(h, static_cast<SQLUSMALLINT>(c), valor)) return std::nullopt;
      fila.emplace_back(nombres[c - 1], std::move(valor));
    }
    filas.push_back(std::move(fila));
  }
  return filas;
}

// The parameters' values, kept alive while the statement runs.
struct Enlaces {
  std::vector<TextoOdbc> textos;
  std::vector<unsigned char> bits;
  std::vector<SQLLEN> largos;
};

bool Enlazar(SQLHSTMT h, const std::vector<ParametroOdbc>& parametros, Enlaces& e) {
  e.textos.reserve(parametros.size());
  e.bits.reserve(parametros.size());
  e.largos.resize(parametros.size());
  for (size_t i = 0; i < parametros.size(); ++i) {
    const auto numero = static_cast<SQLUSMALLINT>(i + 1);
    SQLRETURN r;
    if (const auto* texto = std::get_if<std::string>(&parametros[i])) {
      TextoOdbc& t = e.textos.emplace_back(AOdbc(*texto));
      e.largos[i] = static_cast<SQLLEN>(t.size() * sizeof(SQLWCHAR));
      r = SQLBindParameter(h, numero, SQL_PARAM_INPUT, SQL_C_WCHAR, SQL_WVARCHAR, std::max<SQLULEN>(1, t.size()), 0,
                           t.data(), e.largos[i], &e.largos[i]);
    } else {
      unsigned char& bit = e.bits.emplace_back(std::get<bool>(parametros[i]) ? 1 : 0);
      e.largos[i] = 1;
      r = SQLBindParameter(h, numero, SQL_PARAM_INPUT, SQL_C_BIT, SQL_BIT, 1, 0, &bit, 1, &e.largos[i]);
    }
    if (!Bien(r)) return false;
  }
  return true;
}

}  // namespace

// The handles of one open connection.
struct ConexionOdbc::Manejadores {
  SQLHENV entorno = SQL_NULL_HENV;
  SQLHDBC conexion = SQL_NULL_HDBC;
  bool conectada = false;
  SQLULEN esperaDeSentencia = 0;

  ~Manejadores() {
    if (conectada) SQLDisconnect(conexion);
    if (conexion != SQL_NULL_HDBC) SQLFreeHandle(SQL_HANDLE_DBC, conexion);
    if (entorno != SQL_NULL_HENV) SQLFreeHandle(SQL_HANDLE_ENV, entorno);
  }
};

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

ConexionOdbc::ConexionOdbc() = default;
ConexionOdbc::~ConexionOdbc() = default;

bool ConexionOdbc::Conectar(const std::string& texto, unsigned esperaDeLogin, unsigned esperaDeSentencia) {
  Cerrar();
  auto h = std::make_unique<Manejadores>();
  h->entorno = NuevoEntorno();
  if (h->entorno == SQL_NULL_HENV) return false;
  if (!Bien(SQLAllocHandle(SQL_HANDLE_DBC, h->entorno, &h->conexion))) {
    h->conexion = SQL_NULL_HDBC;
    return false;
  }
  SQLSetConnectAttr(h->conexion, SQL_ATTR_LOGIN_TIMEOUT,
                    reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(esperaDeLogin)), 0);
  TextoOdbc ancho = AOdbc(texto);
  SQLWCHAR completo[1024];
  SQLSMALLINT largo = 0;
  if (!Bien(SQLDriverConnectW(h->conexion, nullptr, ancho.data(), static_cast<SQLSMALLINT>(ancho.size()), completo,
                              1024, &largo, SQL_DRIVER_NOPROMPT))) {
    return false;
  }
  h->conectada = true;
  h->esperaDeSentencia = esperaDeSentencia;
  h_ = std::move(h);
  return true;
}

void ConexionOdbc::Cerrar() { h_.reset(); }

bool ConexionOdbc::Ejecutar(const std::string& sentencia) {
  if (!h_) return false;
  Sentencia s(h_->conexion, h_->esperaDeSentencia);
  if (s.h() == SQL_NULL_HSTMT) return false;
  TextoOdbc texto = AOdbc(sentencia);
  const SQLRETURN r = SQLExecDirectW(s.h(), texto.data(), static_cast<SQLINTEGER>(texto.size()));
  return Bien(r) || r == SQL_NO_DATA;
}

std::optional<std::vector<FilaOdbc>> ConexionOdbc::Consultar(const std::string& sentencia,
                                                             const std::vector<ParametroOdbc>& parametros) {
  if (!h_) return std::nullopt;
  Sentencia s(h_->conexion, h_->esperaDeSentencia);
  if (s.h() == SQL_NULL_HSTMT) return std::nullopt;
  Enlaces enlaces;
  if (!Enlazar(s.h(), parametros, enlaces)) return std::nullopt;
  TextoOdbc texto = AOdbc(sentencia);
  if (!Bien(SQLExecDirectW(s.h(), texto.data(), static_cast<SQLINTEGER>(texto.size())))) return std::nullopt;
  return LeerFilas(s.h());
}

}  // namespace evalora

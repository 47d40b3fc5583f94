#include "localdb/ArchivoDeRegistro.h"

#include <sqlite3.h>

namespace evalora {

ValorDeCampo Texto(const std::string& t) { return {t, true}; }
ValorDeCampo Numero(const std::string& n) { return {n, false}; }

namespace {

std::string Literal(const ValorDeCampo& v) {
  if (!v.esTexto) return v.texto;
  std::string r = "'";
  for (char c : v.texto) r += c == '\'' ? std::string("''") : std::string(1, c);
  return r + "'";
}

// The library takes file names in UTF-8 on every system.
std::string Utf8(const std::filesystem::path& ruta) {
  const std::u8string texto = ruta.u8string();
  return std::string(texto.begin(), texto.end());
}

}  // namespace

ArchivoDeRegistro::~ArchivoDeRegistro() {
  if (bd_) sqlite3_close(bd_);
}

bool ArchivoDeRegistro::Abrir(const std::filesystem::path& archivo, const std::string& clave, std::string& error) {
  std::error_code e;
  if (!std::filesystem::is_regular_file(archivo, e)) {
    error = "No se encontró el archivo " + Utf8(archivo.filename());
    return false;
  }
  if (sqlite3_open_v2(Utf8(archivo).c_str(), &bd_, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK ||
      sqlite3_key(bd_, clave.data(), static_cast<int>(clave.size())) != SQLITE_OK) {
    error = bd_ ? sqlite3_errmsg(bd_) : "sin memoria";
    return false;
  }
  // Only the right password (on an undamaged file) lets the schema be read.
  if (sqlite3_exec(bd_, "SELECT count(*) FROM sqlite_master;", nullptr, nullptr, nullptr) != SQLITE_OK) {
    error = "No es una base de datos válida o la contraseña no es válida.";
    sqlite3_close(bd_);
    bd_ = nullptr;
    return false;
  }
  return true;
}

bool ArchivoDeRegistro::Ejecutar(const std::string& sentencia, std::string& error) {
  char* mensaje = nullptr;
  if (!bd_ || sqlite3_exec(bd_, sentencia.c_str(), nullptr, nullptr, &mensaje) != SQLITE_OK) {
    error = mensaje ? mensaje : "la base de datos no está abierta";
    sqlite3_free(mensaje);
    return false;
  }
  return true;
}

std::optional<std::vector<std::vector<std::string>>> ArchivoDeRegistro::Consultar(const std::string& sentencia,
                                                                                  std::string& error) {
  sqlite3_stmt* s = nullptr;
  if (!bd_ || sqlite3_prepare_v2(bd_, sentencia.c_str(), -1, &s, nullptr) != SQLITE_OK) {
    error = bd_ ? sqlite3_errmsg(bd_) : "la base de datos no está abierta";
    return std::nullopt;
  }
  std::vector<std::vector<std::string>> filas;
  int r;
  while ((r = sqlite3_step(s)) == SQLITE_ROW) {
    std::vector<std::string> fila;
    for (int c = 0; c < sqlite3_column_count(s); ++c) {
      const auto* t = sqlite3_column_text(s, c);
      fila.emplace_back(t ? reinterpret_cast<const char*>(t) : "");
    }
    filas.push_back(std::move(fila));
  }
  if (r != SQLITE_DONE) error = sqlite3_errmsg(bd_);
  sqlite3_finalize(s);
  if (r != SQLITE_DONE) return std::nullopt;
  return filas;
}

bool ArchivoDeRegistro::Agregar(const std::string& tabla,
                                const std::vector<std::pair<std::string, ValorDeCampo>>& campos, std::string& error) {
  std::string nombres, valores;
  for (const auto& [campo, valor] : campos) {
    nombres += (nombres.empty() ? "" : ",") + campo;
    valores += (valores.empty() ? "" : ",") + Literal(valor);
  }
  return Ejecutar("INSERT INTO " + tabla + " (" + nombres + ") VALUES (" + valores + ");", error);
}

}  // namespace evalora

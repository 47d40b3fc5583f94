#include "Catalogo.h"

#include <sqlite3.h>

#include <stdexcept>

namespace evalora::servidor {

namespace {

constexpr const char* kEsquema = R"SQL(
CREATE TABLE TBL_DMVersionDM (Version TEXT, versionEV TEXT, Activa INTEGER);
CREATE TABLE PesoInstalador (Tipo INTEGER, VersionEV TEXT, Total REAL);
CREATE TABLE PesosRecursos (VersionEV TEXT, MS2010 REAL, MS2013 REAL, MS2016 REAL, MS2019 REAL, CS6 REAL,
                            CC2014 REAL, Programacion REAL);
CREATE TABLE Lanzadores (ID TEXT, Lanzador INTEGER, Aplicaciones TEXT, DescargarActividades INTEGER);
CREATE TABLE Archivos (Producto TEXT, Edicion TEXT, Modo INTEGER, Variante TEXT, Suite TEXT, VersionEV TEXT,
                       Actividades INTEGER DEFAULT 0, RutaServidor TEXT, RutaLocal TEXT, Peso TEXT);
CREATE TABLE Fallas (Recibida TEXT DEFAULT CURRENT_TIMESTAMP, Texto TEXT);
CREATE TABLE Contactos (Recibido TEXT DEFAULT CURRENT_TIMESTAMP, Correo TEXT, Tipo TEXT, Antivirus INTEGER,
                        ImpresoraNoInstalable INTEGER, InstalacionFallida INTEGER, NetFrameworkFaltante INTEGER,
                        Telefono TEXT, Nombre TEXT, VersionEV TEXT);
)SQL";

}  // namespace

Catalogo::Catalogo(const std::string& archivo) {
  if (sqlite3_open(archivo.c_str(), &bd_) != SQLITE_OK) throw std::runtime_error("no se pudo abrir " + archivo);
  std::string error;
  if (!Ejecutar(kEsquema, &error)) throw std::runtime_error(error);
}

Catalogo::~Catalogo() { sqlite3_close(bd_); }

bool Catalogo::Ejecutar(const std::string& script, std::string* error) {
  char* mensaje = nullptr;
  const int r = sqlite3_exec(bd_, script.c_str(), nullptr, nullptr, &mensaje);
  if (r != SQLITE_OK && error) *error = mensaje ? mensaje : "error de SQLite";
  sqlite3_free(mensaje);
  return r == SQLITE_OK;
}

Tabla Catalogo::Consultar(const std::string& sql, const std::vector<std::string>& parametros,
                          const std::vector<tds::Columna>& columnas) {
  Tabla tabla{columnas, {}};
  sqlite3_stmt* sentencia = nullptr;
  if (sqlite3_prepare_v2(bd_, sql.c_str(), -1, &sentencia, nullptr) != SQLITE_OK) {
    throw std::runtime_error(sqlite3_errmsg(bd_));
  }
  for (size_t i = 0; i < parametros.size(); ++i) {
    sqlite3_bind_text(sentencia, static_cast<int>(i + 1), parametros[i].c_str(), -1, SQLITE_TRANSIENT);
  }
  while (sqlite3_step(sentencia) == SQLITE_ROW) {
    std::vector<tds::Valor> fila;
    for (size_t c = 0; c < columnas.size(); ++c) {
      const int i = static_cast<int>(c);
      if (sqlite3_column_type(sentencia, i) == SQLITE_NULL) {
        fila.emplace_back();
        continue;
      }
      switch (columnas[c].tipo) {
        case tds::TipoDeColumna::kTexto:
          fila.emplace_back(std::string(reinterpret_cast<const char*>(sqlite3_column_text(sentencia, i))));
          break;
        case tds::TipoDeColumna::kEntero:
          fila.emplace_back(static_cast<int32_t>(sqlite3_column_int(sentencia, i)));
          break;
        case tds::TipoDeColumna::kReal:
          fila.emplace_back(sqlite3_column_double(sentencia, i));
          break;
        case tds::TipoDeColumna::kBit:
          fila.emplace_back(sqlite3_column_int(sentencia, i) != 0);
          break;
      }
    }
    tabla.filas.push_back(std::move(fila));
  }
  sqlite3_finalize(sentencia);
  return tabla;
}

bool Catalogo::Modificar(const std::string& sql, const std::vector<std::string>& parametros) {
  sqlite3_stmt* sentencia = nullptr;
  if (sqlite3_prepare_v2(bd_, sql.c_str(), -1, &sentencia, nullptr) != SQLITE_OK) return false;
  for (size_t i = 0; i < parametros.size(); ++i) {
    sqlite3_bind_text(sentencia, static_cast<int>(i + 1), parametros[i].c_str(), -1, SQLITE_TRANSIENT);
  }
  const bool hecho = sqlite3_step(sentencia) == SQLITE_DONE;
  sqlite3_finalize(sentencia);
  return hecho;
}

}  // namespace evalora::servidor

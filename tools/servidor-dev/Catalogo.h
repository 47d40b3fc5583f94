#pragma once
// The development catalogue's data: an SQLite database (the SQLCipher library, unencrypted),
// with the tables of docs/servidor-dev.md.

#include <string>
#include <vector>

#include "tds/Escritor.h"

struct sqlite3;

namespace evalora::servidor {

struct Tabla {
  std::vector<tds::Columna> columnas;
  std::vector<std::vector<tds::Valor>> filas;
};

class Catalogo {
 public:
  // Creates the tables in a new database (":memory:" by default).
  explicit Catalogo(const std::string& archivo = ":memory:");
  ~Catalogo();
  Catalogo(const Catalogo&) = delete;
  Catalogo& operator=(const Catalogo&) = delete;

  // Runs an SQL script (seeds, test cases); false with the reason.
  bool Ejecutar(const std::string& script, std::string* error = nullptr);
  // The demo data: every kind, edition, variant and suite of 2020 (docs/servidor-dev.md).
  void SembrarDemo();

  // Runs one query of ours with its parameters bound as texts; each column read as its type.
  Tabla Consultar(const std::string& sql, const std::vector<std::string>& parametros,
                  const std::vector<tds::Columna>& columnas);
  bool Modificar(const std::string& sql, const std::vector<std::string>& parametros);

 private:
  sqlite3* bd_ = nullptr;
};

}  // namespace evalora::servidor

#pragma once
// The registration file of the local database (EVDBMSLocal.evx): a password-protected database.
// Statements run as written; records are added field by field, texts with their quotes doubled.

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

struct sqlite3;

namespace evalora {

inline constexpr const char* kClaveDelArchivoDeRegistro = "kvd4848wqB";

// A field's value as it goes into a statement: a text between quotes, or a number as it is.
struct ValorDeCampo {
  std::string texto;
  bool esTexto = true;
};
ValorDeCampo Texto(const std::string& t);
ValorDeCampo Numero(const std::string& n);

class ArchivoDeRegistro {
 public:
  ArchivoDeRegistro() = default;
  ~ArchivoDeRegistro();
  ArchivoDeRegistro(const ArchivoDeRegistro&) = delete;
  ArchivoDeRegistro& operator=(const ArchivoDeRegistro&) = delete;

  // Opens the file with its password; false (with the reason) when it is missing, damaged or the
  // password is not its own.
  bool Abrir(const std::filesystem::path& archivo, const std::string& clave, std::string& error);
  bool Ejecutar(const std::string& sentencia, std::string& error);
  // The rows of a query, each field as text (NULL as empty); nothing when it failed.
  std::optional<std::vector<std::vector<std::string>>> Consultar(const std::string& sentencia, std::string& error);
  // A new record of `tabla` with these fields.
  bool Agregar(const std::string& tabla, const std::vector<std::pair<std::string, ValorDeCampo>>& campos,
               std::string& error);

 private:
  sqlite3* bd_ = nullptr;
};

}  // namespace evalora

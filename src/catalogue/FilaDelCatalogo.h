#pragma once
// One row of an answer of the catalogue: every column by its name, its value as the driver writes
// it in text (UTF-8), or nothing for NULL.

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/ConexionOdbc.h"

namespace evalora {

class FilaDelCatalogo {
 public:
  FilaDelCatalogo() = default;
  explicit FilaDelCatalogo(FilaOdbc columnas) : columnas_(std::move(columnas)) {}
  void Agregar(std::string columna, std::optional<std::string> valor) {
    columnas_.emplace_back(std::move(columna), std::move(valor));
  }
  // The value of the first column of that name (without regard to case); nothing when the
  // column is missing or NULL.
  std::optional<std::string> Texto(const std::string& columna) const;
  // The value as a number; nothing when it is missing, NULL or no number.
  std::optional<double> Numero(const std::string& columna) const;
  // The value as a truth: a number other than 0, or "true" in any case; nothing when it is
  // missing or NULL.
  std::optional<bool> Logico(const std::string& columna) const;

 private:
  FilaOdbc columnas_;
};

using FilasDelCatalogo = std::vector<FilaDelCatalogo>;

}  // namespace evalora

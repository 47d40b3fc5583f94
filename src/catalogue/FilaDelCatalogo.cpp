#include "catalogue/FilaDelCatalogo.h"

#include "core/Texto.h"

namespace evalora {

std::optional<std::string> FilaDelCatalogo::Texto(const std::string& columna) const {
  for (const auto& [nombre, valor] : columnas_) {
    if (IgualesSinMayusculas(nombre, columna)) return valor;
  }
  return std::nullopt;
}

std::optional<double> FilaDelCatalogo::Numero(const std::string& columna) const {
  const auto texto = Texto(columna);
  if (!texto) return std::nullopt;
  return ANumero(RecortarBlancos(*texto));
}

std::optional<bool> FilaDelCatalogo::Logico(const std::string& columna) const {
  const auto texto = Texto(columna);
  if (!texto) return std::nullopt;
  const std::string limpio = RecortarBlancos(*texto);
  if (const auto numero = ANumero(limpio)) return *numero != 0;
  return IgualesSinMayusculas(limpio, "true");
}

}  // namespace evalora

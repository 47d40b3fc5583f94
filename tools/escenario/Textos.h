#pragma once
// Small text helpers of the scenario runner.

#include <QColor>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "core/Texto.h"
#include "platform/CodigosWin.h"

namespace evalora::escenario {

// "r,g,b", as scenarios write colours.
inline std::string Rgb(QColor c) {
  return std::to_string(c.red()) + "," + std::to_string(c.green()) + "," + std::to_string(c.blue());
}

// A text as a scenario would write it: in double quotes, CR and LF as \r and \n.
inline std::string Mostrable(const std::string& texto) {
  std::string r;
  for (char c : texto) {
    r += c == '\r' ? std::string("\\r") : c == '\n' ? std::string("\\n") : std::string(1, c);
  }
  return "\"" + r + "\"";
}

// A whole number of bytes or times (digits only).
inline bool Numero(const std::string& texto, int64_t& numero) {
  if (texto.empty() || texto.size() > 18 || texto.find_first_not_of("0123456789") != std::string::npos) return false;
  numero = std::stoll(texto);
  return true;
}

// A registry key as scenarios write it ("HKLM\\Software\\…"): its root and its path.
inline std::optional<std::pair<win::HKEY, std::string>> Clave(const std::string& texto) {
  const auto barra = texto.find('\\');
  const std::string raiz = Mayusculas(texto.substr(0, barra));
  const std::string ruta = barra == std::string::npos ? "" : texto.substr(barra + 1);
  const std::pair<const char*, win::HKEY> raices[] = {
      {"HKLM", win::HKEY_LOCAL_MACHINE}, {"HKEY_LOCAL_MACHINE", win::HKEY_LOCAL_MACHINE},
      {"HKCU", win::HKEY_CURRENT_USER},  {"HKEY_CURRENT_USER", win::HKEY_CURRENT_USER},
      {"HKCR", win::HKEY_CLASSES_ROOT},  {"HKEY_CLASSES_ROOT", win::HKEY_CLASSES_ROOT},
      {"HKU", win::HKEY_USERS},          {"HKEY_USERS", win::HKEY_USERS},
  };
  for (const auto& [nombre, clave] : raices) {
    if (raiz == nombre) return std::make_pair(clave, ruta);
  }
  return std::nullopt;
}

}  // namespace evalora::escenario

#include "catalogue/ValidaCorreo.h"

#include <optional>

#include "core/Texto.h"

namespace evalora {

bool ValidaCorreo(const std::string& correo) {
  const std::string s = Minusculas(RecortarBlancos(correo));
  if (s.empty()) return false;
  bool separadorAntes = false;
  std::optional<size_t> arroba, ultimoPunto;
  for (size_t i = 0; i < s.size(); ++i) {
    const char c = s[i];
    if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) {
      separadorAntes = false;
      continue;
    }
    if (c != '_' && c != '-' && c != '.' && c != '@') return false;  // a blank, "ñ", "á" (bytes of UTF-8)…
    if (separadorAntes || i == 0 || i + 1 == s.size()) return false;
    separadorAntes = true;
    if (c == '@') {
      if (arroba) return false;
      arroba = i;
    } else if (c == '.') {
      ultimoPunto = i;
    }
  }
  return arroba && ultimoPunto && *ultimoPunto > *arroba;
}

}  // namespace evalora

#include "startup/IdValido.h"

#include "core/Texto.h"
#include "core/Unicode.h"

namespace evalora {

bool IdValido(const std::string& id) {
  const std::u32string caracteres = Utf8ACodigos(RecortarBlancos(Mayusculas(id)));
  if (caracteres.size() != 10) return false;
  const std::string sufijo = CodigosAUtf8(caracteres.substr(6));
  return sufijo == "02GE" || sufijo == "01TE" || sufijo == "03AC" || sufijo == "04AT";
}

}  // namespace evalora

#pragma once
#include <string>

namespace evalora {

// The e-mail rule of the contact step: trimmed and lower-cased, only a to z, 0 to 9 and the
// separators "_", "-", ".", "@"; no separator first, last or after another; one "@", and a "."
// after it.
bool ValidaCorreo(const std::string& correo);

}  // namespace evalora

#pragma once
// A key and everything below it as the text of a .reg file ("Windows Registry Editor Version
// 5.00"), the form in which support staff move registry contents between machines.

#include <string>

#include "platform/Registro.h"

namespace evalora {

// UTF-8 text; win::kExito, or the error of the key that could not be read.
long ExportarClave(Registro& registro, win::HKEY raiz, const std::string& ruta, std::string& texto);

}  // namespace evalora

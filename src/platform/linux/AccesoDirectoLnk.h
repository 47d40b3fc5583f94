#pragma once
// The bytes of a Shell Link (.lnk) file: header, LinkInfo with the target as local base path,
// Unicode string data (description, working folder, arguments, icon) and the terminal block.

#include <cstdint>
#include <vector>

#include "platform/Shell.h"

namespace evalora {

std::vector<uint8_t> ConstruirLnk(const AccesoDirecto& acceso);

}  // namespace evalora

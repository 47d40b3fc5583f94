#pragma once
// The scalable font resource file (.fot) that points the font table at a TrueType file: a
// resource-only module (an MZ stub and an NE header) holding a font directory with the font's
// face name and metrics, and a resource with the font file's name as given.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/FuenteSfnt.h"

namespace evalora {

// `modulo` is the resource's base name ("arial" for arial.FOT); `archivoFuente` the font file's
// name as the caller gave it; `tamanoFuente` its size in bytes.
std::vector<uint8_t> ConstruirFot(const FuenteSfnt& fuente, const std::string& modulo, const std::string& archivoFuente,
                                  uint32_t tamanoFuente);

}  // namespace evalora

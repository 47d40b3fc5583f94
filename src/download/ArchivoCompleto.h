#pragma once
#include <cstdint>
#include <string>

#include "platform/SistemaDeArchivos.h"

namespace evalora {

// A file is complete when it exists at `ruta` and its size in bytes is `peso`.
bool ArchivoCompleto(const SistemaDeArchivos& archivos, const std::string& ruta, int64_t peso);

}  // namespace evalora

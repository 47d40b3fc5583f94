#pragma once
// The shared files of the system into Windows: libraries and controls into the system folder
// (registered with regsvr32), fonts into the fonts folder and the font table. Nothing present
// is overwritten.

#include "core/EstadoDeEjecucion.h"
#include "platform/Plataforma.h"

namespace evalora {

inline constexpr const char* kTextoSinLibrerias =
    "No se encontraron las librerías necesarias para instalar el sistema.";

// Without the source folder (Utilerías\DLLs): the message, then the end of the program.
void InstalarLibrerias(const EstadoDeEjecucion& estado, const Plataforma& plataforma);

// The registrations run without waiting; the system must not start before they end (its first
// start would meet an unregistered control). Waits for them with the window running, at most
// kEsperaDeRegistrosMs; true when they all ended.
inline constexpr uint32_t kEsperaDeRegistrosMs = 60000;
bool EsperarRegistros(const Plataforma& plataforma);

}  // namespace evalora

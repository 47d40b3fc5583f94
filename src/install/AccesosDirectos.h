#pragma once
// Shortcuts to the system's log-in program on the desktop and in the user's and the common Start
// and Programs menus.

#include <string>

#include "core/EstadoDeEjecucion.h"
#include "platform/Plataforma.h"

namespace evalora {

// True: also when the program or its icon is missing (then nothing is made) and when a shortcut
// cannot be written (it is skipped).
bool CrearAccesosDirectos(const std::string& carpeta, const EstadoDeEjecucion& estado, const Plataforma& plataforma);

}  // namespace evalora

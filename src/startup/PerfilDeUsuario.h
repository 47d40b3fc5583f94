#pragma once
#include "platform/Usuario.h"

namespace evalora {

// Whether the user running the wizard administers the machine.
bool UsuarioEsAdministrador(Usuario& usuario);

}  // namespace evalora

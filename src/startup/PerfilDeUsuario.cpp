#include "startup/PerfilDeUsuario.h"

namespace evalora {

bool UsuarioEsAdministrador(Usuario& usuario) { return usuario.EsAdministrador(); }

}  // namespace evalora

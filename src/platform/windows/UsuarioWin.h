#pragma once
#include "platform/Usuario.h"

namespace evalora {

// GetUserName, and the administrator check over the process token: a token group whose account
// name is that of the built-in Administrators group (S-1-5-32-544) makes the user an administrator.
class UsuarioWin : public Usuario {
 public:
  std::string Nombre() override;
  bool EsAdministrador() override;
  bool Elevado() override;  // the token's TokenElevation
};

}  // namespace evalora

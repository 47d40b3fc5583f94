#pragma once
#include <filesystem>

#include "platform/Usuario.h"

namespace evalora {

// The Unix user; it administers the machine when it is root or owns the prefix (inside a prefix
// its owner can do everything an administrator can).
class UsuarioLinux : public Usuario {
 public:
  explicit UsuarioLinux(std::filesystem::path prefijo) : prefijo_(std::move(prefijo)) {}
  std::string Nombre() override;
  bool EsAdministrador() override;
  bool Elevado() override { return false; }  // no token passes on to what the prefix starts

 private:
  std::filesystem::path prefijo_;
};

// The login name of the effective user; $USER when the account database does not know it.
std::string NombreDeUsuarioUnix();

}  // namespace evalora

#pragma once
#include <string>

namespace evalora {

// The user running the program.
class Usuario {
 public:
  virtual ~Usuario() = default;
  // The account name; empty when it cannot be read.
  virtual std::string Nombre() = 0;
  // Whether the user administers this machine.
  virtual bool EsAdministrador() = 0;
};

}  // namespace evalora

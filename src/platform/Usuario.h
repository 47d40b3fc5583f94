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
  // Whether the program runs elevated (UAC's full token): what it starts itself runs elevated too,
  // and possibly as another account than the one signed in.
  virtual bool Elevado() = 0;
};

}  // namespace evalora

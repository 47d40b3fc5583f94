#pragma once
#include "platform/Entorno.h"

namespace evalora {

// The process environment (GetEnvironmentVariable). "ProgramFiles" reads as a 32-bit program
// reads it on a 64-bit Windows: the 32-bit program-files folder, where the system the wizard
// installs (a 32-bit program) belongs.
class EntornoWin : public Entorno {
 public:
  std::string Valor(const std::string& nombre) const override;
};

}  // namespace evalora

#pragma once
#include <string>

namespace evalora {

// Environment variables as Windows has them: names without regard to case ("windir" and
// "Windir" are one variable); a variable that is not set reads as the empty text, except the
// ones the machine always has ("ProgramFiles", "windir", "USERNAME").
class Entorno {
 public:
  virtual ~Entorno() = default;
  virtual std::string Valor(const std::string& nombre) const = 0;
};

}  // namespace evalora

#pragma once
#include <string>
#include <vector>

#include "platform/Entorno.h"

namespace evalora {

// The process environment read as Windows reads it. "ProgramFiles", "windir" and "USERNAME"
// default to C:\Program Files, C:\windows and the Unix user name when not set.
class EntornoLinux : public Entorno {
 public:
  EntornoLinux();  // this process's environment
  EntornoLinux(std::vector<std::string> variables, std::string nombreDeUsuario);
  std::string Valor(const std::string& nombre) const override;

 private:
  std::vector<std::string> variables_;  // "NAME=value"
  std::string nombreDeUsuario_;
};

}  // namespace evalora

#pragma once
#include <string>
#include <vector>

namespace evalora {

// The programs running on the machine, by the name Windows shows for them (for example
// "EVLogIn.exe"), in a stable order.
class Procesos {
 public:
  virtual ~Procesos() = default;
  virtual std::vector<std::string> NombresEnEjecucion() = 0;
};

}  // namespace evalora

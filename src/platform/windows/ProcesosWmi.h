#pragma once
#include "platform/Procesos.h"

namespace evalora {

// The running programs as WMI's Win32_Process lists them (their "Name").
class ProcesosWmi : public Procesos {
 public:
  std::vector<std::string> NombresEnEjecucion() override;
};

}  // namespace evalora

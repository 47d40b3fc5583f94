#pragma once
#include <filesystem>

#include "platform/Procesos.h"

namespace evalora {

// The processes of this machine from /proc: each one's name is the base name (after the last '/'
// or '\') of its first argument, so native programs ("evlogin") and programs under Wine
// ("C:\…\EVLogIn.exe") are both seen. Processes without arguments (kernel threads) are left out.
class ProcesosProc : public Procesos {
 public:
  explicit ProcesosProc(std::filesystem::path proc = "/proc") : proc_(std::move(proc)) {}
  std::vector<std::string> NombresEnEjecucion() override;

 private:
  std::filesystem::path proc_;
};

}  // namespace evalora

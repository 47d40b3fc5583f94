#pragma once
// A prefix that Wine itself made, fresh for one test (WineDePrueba), with the environment of its
// Wine set in the test's process so the wizard's own Wine runs with it. Without Wine installed,
// the test fails.

#include <filesystem>

#include "WineDePrueba.h"

namespace evalora::pruebas {

// A temporary folder that outlives the prefix inside it (a base made before, ended after).
struct CarpetaTemporal {
  CarpetaTemporal();
  ~CarpetaTemporal();
  std::filesystem::path ruta;
};

class PrefijoDeWine : private CarpetaTemporal, public WineDePrueba {
 public:
  PrefijoDeWine();
  std::filesystem::path DriveC() const { return Raiz() / "drive_c"; }
};

}  // namespace evalora::pruebas

// EVLogIn: the demo content's stand-in for the system's log-in program. Started, it says so in
// a file next to itself (EVLogIn.txt), the proof that the installation put it in its place and
// that it runs.
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iostream>

#ifdef _WIN32
#include "platform/windows/InformacionDelEjecutableWin.h"
#endif

namespace {

// The folder of this program's own file.
std::filesystem::path CarpetaPropia() {
  std::error_code e;
#ifdef _WIN32
  const std::string archivo = evalora::InformacionDelEjecutableWin().Archivo();
  const std::u8string ancho(archivo.begin(), archivo.end());
  const std::filesystem::path propio(ancho);
#else
  const std::filesystem::path propio = std::filesystem::read_symlink("/proc/self/exe", e);
#endif
  return e || propio.empty() ? std::filesystem::current_path() : propio.parent_path();
}

}  // namespace

int main(int argc, char** argv) {
  const std::filesystem::path carpeta = CarpetaPropia();
  std::ofstream registro(carpeta / "EVLogIn.txt", std::ios::app);
  registro << "Evalora se inició (" << std::time(nullptr) << ")";
  for (int i = 1; i < argc; ++i) registro << " " << argv[i];
  registro << "\n";
  std::cout << "Evalora: el sistema está instalado en " << carpeta.string() << "\n";
  return registro ? 0 : 1;
}

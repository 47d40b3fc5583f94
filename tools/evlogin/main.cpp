// EVLogIn: the demo content's stand-in for the system's log-in program. Started, it says so in
// a file next to itself (EVLogIn.txt), the proof that the installation put it in its place and
// that it runs.
#include <unistd.h>

#include <ctime>
#include <filesystem>
#include <fstream>
#include <iostream>

int main(int argc, char** argv) {
  std::error_code e;
  const std::filesystem::path propio = std::filesystem::read_symlink("/proc/self/exe", e);
  const std::filesystem::path carpeta = e ? std::filesystem::current_path() : propio.parent_path();
  std::ofstream registro(carpeta / "EVLogIn.txt", std::ios::app);
  registro << "Evalora se inició (" << std::time(nullptr) << ")";
  for (int i = 1; i < argc; ++i) registro << " " << argv[i];
  registro << "\n";
  std::cout << "Evalora: el sistema está instalado en " << carpeta.string() << "\n";
  return registro ? 0 : 1;
}

// evalora-escenario.exe: runs scenarios of the wizard over its Win32 window, under Wine.
//   evalora-escenario.exe [--capturas DIR] [--contar] FILE.txt...
// The development server runs beside it as a Linux program (scripts/con-servidor-dev.sh, which
// gives its addresses in the environment and loads the scenario's SQL); Linux paths (/…) are read
// through Wine's drive Z:. Lines that need Wine's own tools from outside are written down for
// tests/windows/comprobar-escenario.sh.
#include <iostream>

#include "Escenario.h"
#include "RutaDelAnfitrion.h"

int main(int argc, char** argv) {
  using namespace evalora;
  using escenario::RutaDelAnfitrion;
  escenario::OpcionesDeEscenario opciones;
  std::vector<std::filesystem::path> archivos;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    auto valor = [&]() -> std::string { return i + 1 < argc ? argv[++i] : ""; };
    if (a == "--capturas") {
      opciones.capturas = RutaDelAnfitrion(valor());
    } else if (a == "--contenido") {
      opciones.contenido = RutaDelAnfitrion(valor());  // the server's, beside this program
    } else if (a == "--contar") {
      opciones.contar = true;
    } else {
      archivos.push_back(RutaDelAnfitrion(a));
    }
  }
  if (archivos.empty()) {
    std::cerr << "uso: evalora-escenario.exe [--capturas CARPETA] [--contar] ESCENARIO.txt...\n";
    return 2;
  }
  return escenario::EjecutarEscenarios(archivos, opciones);
}

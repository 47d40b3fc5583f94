// evalora-escenario.exe: runs scenarios of the wizard over its Win32 window, under Wine.
//   evalora-escenario.exe [--capturas DIR] [--contar] FILE.txt...
// The development server runs beside it as a Linux program (scripts/con-servidor-dev.sh, which
// gives its addresses in the environment and loads the scenario's SQL); Linux paths (/…) are read
// through Wine's drive Z:. Lines that need Wine's own tools from outside are written down for
// tests/windows/comprobar-escenario.sh.
#include <iostream>

#include "Escenario.h"

namespace {

// A Linux path as Wine shows it (its root is drive Z:); any other path as it is.
std::filesystem::path Ruta(std::string ruta) {
  if (!ruta.empty() && ruta.front() == '/') ruta = "Z:" + ruta;
  for (char& c : ruta) c = c == '/' ? '\\' : c;
  return std::filesystem::path(reinterpret_cast<const char8_t*>(ruta.c_str()));
}

}  // namespace

int main(int argc, char** argv) {
  using namespace evalora;
  escenario::OpcionesDeEscenario opciones;
  std::vector<std::filesystem::path> archivos;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    auto valor = [&]() -> std::string { return i + 1 < argc ? argv[++i] : ""; };
    if (a == "--capturas") {
      opciones.capturas = Ruta(valor());
    } else if (a == "--contenido") {
      opciones.contenido = Ruta(valor());  // the server's, beside this program
    } else if (a == "--contar") {
      opciones.contar = true;
    } else {
      archivos.push_back(Ruta(a));
    }
  }
  if (archivos.empty()) {
    std::cerr << "uso: evalora-escenario.exe [--capturas CARPETA] [--contar] ESCENARIO.txt...\n";
    return 2;
  }
  return escenario::EjecutarEscenarios(archivos, opciones);
}

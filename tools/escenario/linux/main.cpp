// evalora-escenario: runs scenarios of the wizard over the real window, offscreen.
//   evalora-escenario --contenido DIR [--capturas DIR] [--prefijo-wine DIR] [--contar] FILE.txt...
//   evalora-escenario --preparar-contenido DIR [--programas DIR]
//   evalora-escenario --lenguaje   (the language's table, as docs/escenarios.md holds it)
// --contenido: the download server's content folder, shared by the scenarios (made with
// --preparar-contenido before they run in parallel). --capturas: where "captura" writes
// (default: next to the scenario). --prefijo-wine: where the prefix Wine made for
// "prefijo-de-wine" is kept (made when missing; default: prefijo-wine beside bin/). --contar:
// print each step a scenario reaches.
#include <QApplication>
#include <cstdlib>
#include <ctime>
#include <iostream>

#include "Catalogo.h"
#include "ContenidoDemo.h"
#include "Escenario.h"

int main(int argc, char** argv) {
  using namespace evalora;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // Every scenario's machine keeps the same time zone, so dates read the same everywhere.
  ::setenv("TZ", "UTC", 1);
  ::tzset();
  escenario::OpcionesDeEscenario opciones;
  // Beside the build's bin folder, where the tests keep theirs.
  opciones.prefijoWine = std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path() / "prefijo-wine";
  std::vector<std::filesystem::path> archivos;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    auto valor = [&]() -> std::string { return i + 1 < argc ? argv[++i] : ""; };
    if (a == "--lenguaje") {
      std::cout << escenario::TablaDelLenguaje();
      return 0;
    }
    if (a == "--preparar-contenido") {
      servidor::Catalogo catalogo;
      catalogo.SembrarDemo();
      std::string error;
      const std::string carpeta = valor();
      // The programs the content delivers: this build's, or those of --programas (the Windows build's).
      std::filesystem::path programas = std::filesystem::read_symlink("/proc/self/exe").parent_path();
      if (i + 2 < argc && std::string(argv[i + 1]) == "--programas") {
        programas = argv[i + 2];
        i += 2;
      }
      servidor::PonerProgramasDelSistema(carpeta, programas);
      if (!servidor::PrepararContenido(catalogo, carpeta, &error)) {
        std::cerr << "evalora-escenario: " << error << "\n";
        return 1;
      }
      return 0;
    }
    if (a == "--contenido") {
      opciones.contenido = valor();
    } else if (a == "--capturas") {
      opciones.capturas = std::filesystem::absolute(valor());
    } else if (a == "--prefijo-wine") {
      opciones.prefijoWine = std::filesystem::absolute(valor());
    } else if (a == "--contar") {
      opciones.contar = true;
    } else {
      archivos.push_back(a);
    }
  }
  if (archivos.empty() || opciones.contenido.empty()) {
    std::cerr << "uso: evalora-escenario --contenido CARPETA [--capturas CARPETA] [--contar] ESCENARIO.txt...\n"
              << "     evalora-escenario --preparar-contenido CARPETA [--programas CARPETA]\n";
    return 2;
  }
  QApplication aplicacion(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Evalora"));
  return escenario::EjecutarEscenarios(archivos, opciones);
}

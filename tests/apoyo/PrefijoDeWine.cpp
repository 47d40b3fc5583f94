#include "apoyo/PrefijoDeWine.h"

#include <gtest/gtest.h>
#include <stdlib.h>

namespace evalora::pruebas {

namespace fs = std::filesystem;

CarpetaTemporal::CarpetaTemporal() {
  std::string plantilla = (fs::temp_directory_path() / "evalora-wine-XXXXXX").string();
  if (::mkdtemp(plantilla.data())) ruta = plantilla;
}

CarpetaTemporal::~CarpetaTemporal() {
  std::error_code e;
  if (!ruta.empty()) fs::remove_all(ruta, e);
}

PrefijoDeWine::PrefijoDeWine() : WineDePrueba(EVALORA_PREFIJO_WINE_BASE, CarpetaTemporal::ruta) {
  if (!Listo()) {
    ADD_FAILURE() << "No hay un prefijo hecho por Wine: " << Problema();
    return;
  }
  for (const auto& v : Entorno()) {
    const auto igual = v.find('=');
    ::setenv(v.substr(0, igual).c_str(), v.substr(igual + 1).c_str(), 1);
  }
}

}  // namespace evalora::pruebas

// What the test machine does the same in both builds: files through the build's own service.
#include "apoyo/MaquinaDePrueba.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace evalora::pruebas {

std::string MaquinaDePrueba::Leer(const std::string& ruta) {
  const auto anfitrion = Archivos().RutaAnfitrion(ruta);
  if (!anfitrion) return "";
  std::ifstream entrada(*anfitrion, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(entrada), std::istreambuf_iterator<char>());
}

void MaquinaDePrueba::Escribir(const std::string& ruta, const std::string& bytes) {
  const auto anfitrion = Archivos().RutaAnfitrion(ruta);
  if (!anfitrion) return;
  std::error_code e;
  std::filesystem::create_directories(anfitrion->parent_path(), e);
  std::ofstream(*anfitrion, std::ios::binary) << bytes;
}

void MaquinaDePrueba::CrearCarpetas(const std::string& ruta) {
  if (const auto anfitrion = Archivos().RutaAnfitrion(ruta)) {
    std::error_code e;
    std::filesystem::create_directories(*anfitrion, e);
  }
}

void MaquinaDePrueba::Borrar(const std::string& ruta) {
  if (const auto anfitrion = Archivos().RutaAnfitrion(ruta)) {
    std::error_code e;
    std::filesystem::remove_all(*anfitrion, e);
  }
}

}  // namespace evalora::pruebas

#include "apoyo/PrefijoTemporal.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <fstream>
#include <sstream>

#include "platform/linux/Prefijo.h"

namespace evalora::pruebas {

namespace fs = std::filesystem;

PrefijoTemporal::PrefijoTemporal() {
  std::string plantilla = (fs::temp_directory_path() / "evalora-prueba-XXXXXX").string();
  raiz_ = ::mkdtemp(plantilla.data());
  std::string motivo;
  EXPECT_TRUE(Prefijo(raiz_).Preparar(&motivo)) << motivo;
}

PrefijoTemporal::~PrefijoTemporal() {
  // Read-only folders inside must not keep the test's files behind.
  std::error_code error;
  for (fs::recursive_directory_iterator it(raiz_, error), fin; !error && it != fin; it.increment(error)) {
    if (!it->is_symlink()) ::chmod(it->path().c_str(), 0755);
  }
  fs::remove_all(raiz_, error);
}

void PrefijoTemporal::Escribir(const fs::path& relativa, const std::string& contenido) const {
  fs::create_directories((raiz_ / relativa).parent_path());
  std::ofstream(raiz_ / relativa, std::ios::binary) << contenido;
}

std::string PrefijoTemporal::Leer(const fs::path& relativa) const {
  std::ifstream entrada(raiz_ / relativa, std::ios::binary);
  std::stringstream texto;
  texto << entrada.rdbuf();
  return texto.str();
}

}  // namespace evalora::pruebas

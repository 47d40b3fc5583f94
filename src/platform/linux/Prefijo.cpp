#include "platform/linux/Prefijo.h"

#include <pwd.h>
#include <unistd.h>
#include <cstdlib>

namespace evalora {

namespace fs = std::filesystem;

Prefijo Prefijo::DelEntorno() {
  for (const char* nombre : {"EVALORA_PREFIJO", "WINEPREFIX"}) {
    const char* valor = std::getenv(nombre);
    if (valor && *valor) return Prefijo(valor);
  }
  const char* casa = std::getenv("HOME");
  if (!casa || !*casa) {
    const passwd* pw = ::getpwuid(::geteuid());
    casa = pw ? pw->pw_dir : "/";
  }
  return Prefijo(fs::path(casa) / ".wine");
}

bool Prefijo::Preparar(std::string* motivo) const {
  std::error_code error;
  fs::create_directories(raiz_ / "drive_c", error);
  if (!error) fs::create_directories(raiz_ / "dosdevices", error);
  const std::pair<const char*, const char*> enlaces[] = {{"c:", "../drive_c"}, {"z:", "/"}};
  for (const auto& [letra, destino] : enlaces) {
    if (error) break;
    const fs::path enlace = raiz_ / "dosdevices" / letra;
    if (!fs::is_symlink(enlace) && !fs::exists(enlace)) fs::create_directory_symlink(destino, enlace, error);
  }
  if (error && motivo) *motivo = "No se pudo preparar el prefijo " + raiz_.string() + ": " + error.message();
  return !error;
}

}  // namespace evalora

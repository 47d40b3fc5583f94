#include "platform/linux/Prefijo.h"

#include <pwd.h>
#include <unistd.h>
#include <cctype>
#include <cerrno>
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
  // The folders every Windows machine has.
  for (const char* carpeta : {"Program Files", "Program Files (x86)", "windows/system32", "windows/Fonts"}) {
    if (!error) fs::create_directories(raiz_ / "drive_c" / carpeta, error);
  }
  if (!error) fs::create_directories(raiz_ / "dosdevices", error);
  const std::pair<const char*, const char*> enlaces[] = {{"c:", "../drive_c"}, {"z:", "/"}};
  for (const auto& [letra, destino] : enlaces) {
    if (error) break;
    const fs::path enlace = raiz_ / "dosdevices" / letra;
    if (!fs::is_symlink(enlace) && !fs::exists(enlace)) fs::create_directory_symlink(destino, enlace, error);
  }
  if (error && motivo) {
    std::string causa;
    switch (error.value()) {
      case EEXIST:
      case ENOTDIR:
        causa = "hay un archivo donde debe haber una carpeta";
        break;
      case EACCES:
      case EPERM:
        causa = "no tienes permiso para escribir ahí";
        break;
      case EROFS:
        causa = "el disco es de solo lectura";
        break;
      case ENOSPC:
      case EDQUOT:
        causa = "el disco está lleno";
        break;
      default:
        causa = error.message();
    }
    *motivo = "No se pudo preparar el prefijo de Wine " + raiz_.string() + " (" + causa +
              "). Indica otra carpeta en la variable EVALORA_PREFIJO o WINEPREFIX y vuelve a intentarlo.";
  }
  return !error;
}

std::optional<std::string> Prefijo::RutaWindows(const fs::path& anfitrion) const {
  std::error_code error;
  const fs::path buscada = fs::weakly_canonical(anfitrion, error);
  if (error) return std::nullopt;
  std::optional<std::string> mejor;
  size_t largoDelMejor = 0;
  for (const auto& unidad : fs::directory_iterator(raiz_ / "dosdevices", error)) {
    const std::string letra = unidad.path().filename().string();
    if (letra.size() != 2 || letra[1] != ':' || !std::isalpha(static_cast<unsigned char>(letra[0]))) continue;
    std::error_code e;
    const fs::path destino = fs::canonical(unidad.path(), e);
    if (e) continue;
    const fs::path relativa = buscada.lexically_relative(destino);
    if (relativa.empty() || *relativa.begin() == "..") continue;
    const size_t largo = destino.string().size();
    if (mejor && largo <= largoDelMejor) continue;
    std::string ruta(1, static_cast<char>(std::toupper(static_cast<unsigned char>(letra[0]))));
    ruta += ":";
    for (const auto& parte : relativa) {
      if (parte != ".") ruta += "\\" + parte.string();
    }
    if (ruta.size() == 2) ruta += "\\";
    mejor = ruta;
    largoDelMejor = largo;
  }
  return mejor;
}

}  // namespace evalora

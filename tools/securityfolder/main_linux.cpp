// SecurityFolder on Linux: the prefix named by $WINEPREFIX or $EVALORA_PREFIJO plays Windows; a
// folder is opened to every user by the permissions of its files (read, write and enter for
// everyone), reached without following any symbolic link.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "Trabajos.h"
#include "platform/linux/ImpresorasRegistro.h"
#include "platform/linux/Prefijo.h"
#include "platform/linux/RegistroWine.h"
#include "platform/linux/SistemaDeArchivosPrefijo.h"

namespace {

using namespace evalora;
namespace fs = std::filesystem;

constexpr mode_t kParaTodos = S_IRUSR | S_IWUSR | S_IRGRP | S_IWGRP | S_IROTH | S_IWOTH;
constexpr mode_t kEntrar = S_IXUSR | S_IXGRP | S_IXOTH;

// Read, write (and enter, for folders) for everyone on what `carpeta` (an open folder) holds.
// Nothing is reached through a symbolic link: a link is neither changed nor followed, so what it
// points to (a file of the machine outside the tree) keeps its rights.
bool AbrirContenido(int carpeta) {
  DIR* listado = ::fdopendir(::dup(carpeta));
  if (!listado) return false;
  bool bien = true;
  while (const dirent* entrada = ::readdir(listado)) {
    const std::string nombre = entrada->d_name;
    if (nombre == "." || nombre == "..") continue;
    struct stat st {};
    if (::fstatat(carpeta, nombre.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
      bien = false;
      continue;
    }
    if (S_ISDIR(st.st_mode)) {
      const int hija = ::openat(carpeta, nombre.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
      if (hija < 0) {
        bien = false;
        continue;
      }
      bien = ::fchmod(hija, st.st_mode | kParaTodos | kEntrar) == 0 && bien;
      bien = AbrirContenido(hija) && bien;
      ::close(hija);
    } else if (S_ISREG(st.st_mode)) {
      // Opened without following a link, and checked to be the file that was looked at.
      const int archivo = ::openat(carpeta, nombre.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
      struct stat abierto {};
      if (archivo < 0 || ::fstat(archivo, &abierto) != 0 || abierto.st_ino != st.st_ino || !S_ISREG(abierto.st_mode)) {
        bien = false;
      } else {
        bien = ::fchmod(archivo, abierto.st_mode | kParaTodos) == 0 && bien;
      }
      if (archivo >= 0) ::close(archivo);
    }
    // Links, devices, pipes and sockets are left as they are.
  }
  ::closedir(listado);
  return bien;
}

// The folder and all it holds; a folder that is itself a link is not opened.
bool AbrirATodos(const fs::path& carpeta) {
  const int fd = ::open(carpeta.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat st {};
  const bool bien = ::fstat(fd, &st) == 0 && ::fchmod(fd, st.st_mode | kParaTodos | kEntrar) == 0 && AbrirContenido(fd);
  ::close(fd);
  return bien;
}

}  // namespace

int main(int argc, char** argv) {
  const Prefijo prefijo = Prefijo::DelEntorno();
  SistemaDeArchivosPrefijo archivos(prefijo.Raiz());
  RegistroWine registro(prefijo.Raiz());
  ImpresorasRegistro impresoras(registro);
  return securityfolder::Ejecutar(argc, argv, {archivos, registro, impresoras, AbrirATodos});
}

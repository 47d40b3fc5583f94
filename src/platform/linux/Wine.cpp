#include "platform/linux/Wine.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <thread>

extern char** environ;

namespace evalora {

namespace fs = std::filesystem;

namespace {

// Whether a process holds a lock on the file (Wine's server holds one on its "lock" for its life;
// the file itself stays after the server ended).
bool Bloqueado(const fs::path& candado) {
  const int fd = ::open(candado.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct flock consulta {};
  consulta.l_type = F_WRLCK;
  consulta.l_whence = SEEK_SET;
  consulta.l_start = 0;
  consulta.l_len = 1;
  const bool activo = ::fcntl(fd, F_GETLK, &consulta) == 0 && consulta.l_type != F_UNLCK;
  ::close(fd);
  return activo;
}

std::string Leer(const fs::path& archivo) {
  std::ifstream entrada(archivo, std::ios::binary);
  std::string texto((std::istreambuf_iterator<char>(entrada)), std::istreambuf_iterator<char>());
  while (!texto.empty() && (texto.back() == '\n' || texto.back() == '\r' || texto.back() == ' ')) texto.pop_back();
  return texto;
}

}  // namespace

std::optional<fs::path> BuscarEnPath(const std::string& nombre, const std::string& path) {
  size_t inicio = 0;
  while (inicio <= path.size()) {
    size_t fin = path.find(':', inicio);
    if (fin == std::string::npos) fin = path.size();
    const fs::path candidato = fs::path(path.substr(inicio, fin - inicio)) / nombre;
    std::error_code error;
    if (fin > inicio && fs::is_regular_file(candidato, error) && ::access(candidato.c_str(), X_OK) == 0) {
      return candidato;
    }
    inicio = fin + 1;
  }
  return std::nullopt;
}

std::optional<fs::path> BuscarWine(const std::string& path) {
  for (const char* nombre : {"wine", "wine64"}) {
    if (auto encontrado = BuscarEnPath(nombre, path)) return encontrado;
  }
  return std::nullopt;
}

std::optional<fs::path> BuscarWine() {
  const char* path = std::getenv("PATH");
  return BuscarWine(path ? path : "");
}

bool ServidorWineActivo(const fs::path& prefijo) {
  struct stat st {};
  if (::stat(prefijo.c_str(), &st) != 0) return false;
  char servidor[64];
  std::snprintf(servidor, sizeof servidor, "server-%llx-%llx", static_cast<unsigned long long>(st.st_dev),
                static_cast<unsigned long long>(st.st_ino));
  const std::string uid = std::to_string(::getuid());
  std::vector<fs::path> carpetas = {fs::path("/tmp/.wine-" + uid)};
  const std::string nombrada = Leer(prefijo / "wineserver");
  if (!nombrada.empty() && nombrada.find('\0') == std::string::npos) {
    if (nombrada.front() == '/') {
      carpetas.emplace_back(nombrada);
    } else if (nombrada.find('/') == std::string::npos && nombrada != "." && nombrada != "..") {
      if (const char* xdg = std::getenv("XDG_RUNTIME_DIR"); xdg && *xdg) carpetas.push_back(fs::path(xdg) / nombrada);
      carpetas.push_back(fs::path("/run/user") / uid / nombrada);
      carpetas.push_back(fs::path("/tmp") / nombrada);
    }
  }
  for (const auto& carpeta : carpetas) {
    if (Bloqueado(carpeta / servidor / "lock")) return true;
  }
  return false;
}

std::optional<int> EjecutarEnWine(const fs::path& wine, const fs::path& prefijo,
                                  const std::vector<std::string>& argumentos, std::chrono::milliseconds limite) {
  std::vector<std::string> textos = {wine.string()};
  textos.insert(textos.end(), argumentos.begin(), argumentos.end());
  std::vector<char*> argv;
  for (auto& t : textos) argv.push_back(t.data());
  argv.push_back(nullptr);
  std::string variablePrefijo = "WINEPREFIX=" + prefijo.string();
  std::string silencio = "WINEDEBUG=-all";
  std::vector<char*> entorno;
  for (char** v = environ; v && *v; ++v) {
    if (std::strncmp(*v, "WINEPREFIX=", 11) != 0 && std::strncmp(*v, "WINEDEBUG=", 10) != 0) entorno.push_back(*v);
  }
  entorno.push_back(variablePrefijo.data());
  entorno.push_back(silencio.data());
  entorno.push_back(nullptr);

  posix_spawn_file_actions_t acciones;
  posix_spawn_file_actions_init(&acciones);
  posix_spawn_file_actions_addopen(&acciones, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&acciones, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&acciones, 2, "/dev/null", O_WRONLY, 0);
  pid_t hijo = -1;
  const int error = ::posix_spawn(&hijo, argv[0], &acciones, nullptr, argv.data(), entorno.data());
  posix_spawn_file_actions_destroy(&acciones);
  if (error != 0) return std::nullopt;

  const auto fin = std::chrono::steady_clock::now() + limite;
  int estado = 0;
  for (;;) {
    const pid_t r = ::waitpid(hijo, &estado, WNOHANG);
    if (r == hijo) break;
    if (r < 0 && errno != EINTR) return std::nullopt;
    if (std::chrono::steady_clock::now() >= fin) {
      ::kill(hijo, SIGKILL);
      ::waitpid(hijo, &estado, 0);
      return std::nullopt;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  if (!WIFEXITED(estado)) return std::nullopt;
  return WEXITSTATUS(estado);
}

}  // namespace evalora

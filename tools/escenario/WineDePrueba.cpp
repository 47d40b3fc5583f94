#include "WineDePrueba.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>

#include "platform/linux/Wine.h"

namespace evalora::pruebas {

namespace fs = std::filesystem;

namespace {

std::string Citar(const std::string& texto) {
  std::string salida = "'";
  for (char c : texto) salida += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return salida + "'";
}

std::vector<std::string> EntornoDeWine(const fs::path& casa, const fs::path& prefijo) {
  return {"HOME=" + casa.string(), "WINEPREFIX=" + prefijo.string(),
          "WINEDLLOVERRIDES=mscoree,mshtml=,winemenubuilder.exe=d", "WINEDEBUG=-all", "DISPLAY="};
}

std::string Orden(const std::vector<std::string>& entorno, const std::string& programa,
                  const std::vector<std::string>& argumentos) {
  std::string orden = "env";
  for (const auto& v : entorno) orden += " " + Citar(v);
  orden += " " + Citar(programa);
  for (const auto& a : argumentos) orden += " " + Citar(a);
  return orden;
}

// What Wine starts on its way (its services) may outlive the command and keep its output open:
// the output goes to a file, never to a pipe that would wait for them.
WineDePrueba::Salida Correr(const std::string& orden) {
  WineDePrueba::Salida salida;
  std::string plantilla = (fs::temp_directory_path() / "evalora-salida-XXXXXX").string();
  const int fd = ::mkstemp(plantilla.data());
  if (fd < 0) return salida;
  ::close(fd);
  const int estado = std::system((orden + " >" + Citar(plantilla) + " 2>&1 </dev/null").c_str());
  salida.estado = WIFEXITED(estado) ? WEXITSTATUS(estado) : -1;
  std::ifstream entrada(plantilla, std::ios::binary);
  salida.texto.assign(std::istreambuf_iterator<char>(entrada), std::istreambuf_iterator<char>());
  ::unlink(plantilla.c_str());
  return salida;
}

fs::path ServidorDeWine() {
  const char* path = std::getenv("PATH");
  if (auto enPath = BuscarEnPath("wineserver", path ? path : "")) return *enPath;
  return "/usr/lib/wine/wineserver";
}

// The prefix Wine made once for this build; made now (one process at a time) when missing.
bool PrefijoBase(const fs::path& base, std::string& problema) {
  std::error_code e;
  fs::create_directories(base.parent_path(), e);
  const int candado = ::open((base.string() + ".lock").c_str(), O_CREAT | O_RDWR | O_CLOEXEC, 0644);
  if (candado < 0 || ::flock(candado, LOCK_EX) != 0) {
    problema = "no se pudo tomar " + base.string() + ".lock";
    if (candado >= 0) ::close(candado);
    return false;
  }
  const fs::path listo = base / ".evalora-listo";
  bool hecho = fs::exists(listo, e);
  if (!hecho) {
    if (const auto wine = BuscarWine(); !wine) {
      problema = "Wine no está instalado (scripts/bootstrap.sh instala wine y wine64)";
    } else {
      fs::remove_all(base, e);
      fs::create_directories(base / "casa", e);
      const auto entorno = EntornoDeWine(base / "casa", base / "prefijo");
      const auto arranque = Correr(Orden(entorno, wine->string(), {"wineboot", "-i"}));
      Correr(Orden(entorno, ServidorDeWine().string(), {"-w"}));
      if (fs::exists(base / "prefijo" / "system.reg", e)) {
        std::ofstream(listo) << "wineboot -i\n";
        hecho = true;
      } else {
        problema = "wineboot -i no creó el prefijo: " + arranque.texto;
      }
    }
  }
  ::flock(candado, LOCK_UN);
  ::close(candado);
  return hecho;
}

}  // namespace

WineDePrueba::WineDePrueba(const fs::path& base, const fs::path& carpeta) : carpeta_(carpeta) {
  if (!PrefijoBase(base, problema_)) return;
  std::error_code e;
  fs::create_directories(carpeta_ / "casa", e);
  fs::copy(base / "prefijo", carpeta_ / "prefijo", fs::copy_options::recursive | fs::copy_options::copy_symlinks, e);
  if (e) {
    problema_ = "no se pudo copiar el prefijo de Wine: " + e.message();
    return;
  }
  raiz_ = carpeta_ / "prefijo";
}

WineDePrueba::~WineDePrueba() {
  if (!raiz_.empty()) TerminarWine();
}

std::vector<std::string> WineDePrueba::Entorno() const { return EntornoDeWine(carpeta_ / "casa", raiz_); }

WineDePrueba::Salida WineDePrueba::Ejecutar(const std::string& programa,
                                            const std::vector<std::string>& argumentos) const {
  return Correr(Orden(Entorno(), programa, argumentos));
}

WineDePrueba::Salida WineDePrueba::Wine(const std::vector<std::string>& argumentos) const {
  const auto wine = BuscarWine();
  if (!wine) return {"Wine no está instalado", -1};
  return Ejecutar(wine->string(), argumentos);
}

WineDePrueba::Salida WineDePrueba::Servidor(const std::vector<std::string>& argumentos) const {
  return Ejecutar(ServidorDeWine().string(), argumentos);
}

bool WineDePrueba::ServidorEnMarcha() const {
  const std::string orden = "setsid " + Orden(Entorno(), ServidorDeWine().string(), {"-p"});
  if (std::system((orden + " </dev/null >/dev/null 2>&1 &").c_str()) != 0) return false;
  // A client waits until the server accepts it.
  return Wine({"reg", "query", "HKCU\\Software"}).estado == 0;
}

void WineDePrueba::TerminarWine() const {
  Servidor({"-k"});
  Servidor({"-w"});
}

}  // namespace evalora::pruebas

#include "platform/linux/ShellPrefijo.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <fstream>

#include "platform/LineaDeOrdenes.h"
#include "platform/linux/AccesoDirectoLnk.h"
#include "platform/linux/Wine.h"

namespace evalora {

namespace fs = std::filesystem;

namespace {

bool EsDireccionWeb(const std::string& texto) {
  const auto dos = texto.find(':');
  if (dos == std::string::npos || dos < 2) return false;  // "C:" is a drive
  for (size_t i = 0; i < dos; ++i) {
    const char c = texto[i];
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '+' && c != '-' && c != '.') return false;
  }
  return true;
}

std::string Inicio(const fs::path& archivo) {
  char bytes[4] = {};
  std::ifstream(archivo, std::ios::binary).read(bytes, sizeof bytes);
  return std::string(bytes, sizeof bytes);
}

}  // namespace

ShellPrefijo::ShellPrefijo(fs::path prefijo, SistemaDeArchivos& archivos, const Entorno& entorno, Usuario& usuario)
    : prefijo_(std::move(prefijo)), archivos_(archivos), entorno_(entorno), usuario_(usuario) {}

std::string ShellPrefijo::CarpetaEspecial(int csidl) {
  const std::string perfil = "C:\\users\\" + usuario_.Nombre();
  const std::string roaming = perfil + "\\AppData\\Roaming";
  const std::string comun = "C:\\ProgramData\\Microsoft\\Windows\\Start Menu";
  const std::string windows = entorno_.Valor("windir");
  std::string carpeta;
  switch (csidl) {
    case kCsidlEscritorio:
    case kCsidlCarpetaDelEscritorio:
      carpeta = perfil + "\\Desktop";
      break;
    case kCsidlProgramas:
      carpeta = roaming + "\\Microsoft\\Windows\\Start Menu\\Programs";
      break;
    case kCsidlDocumentos:
      carpeta = perfil + "\\Documents";
      break;
    case kCsidlMenuInicio:
      carpeta = roaming + "\\Microsoft\\Windows\\Start Menu";
      break;
    case kCsidlFuentes:
      carpeta = windows + "\\Fonts";
      break;
    case kCsidlMenuInicioComun:
      carpeta = comun;
      break;
    case kCsidlProgramasComunes:
      carpeta = comun + "\\Programs";
      break;
    case kCsidlEscritorioComun:
      carpeta = "C:\\users\\Public\\Desktop";
      break;
    case kCsidlDatosDeAplicacion:
      carpeta = roaming;
      break;
    case kCsidlDatosLocales:
      carpeta = perfil + "\\AppData\\Local";
      break;
    case kCsidlWindows:
      carpeta = windows;
      break;
    case kCsidlSistema:
      carpeta = windows + "\\system32";
      break;
    case kCsidlArchivosDePrograma:
      carpeta = entorno_.Valor("ProgramFiles");
      break;
    default:
      return std::string();
  }
  const auto anfitrion = archivos_.RutaAnfitrion(carpeta);
  std::error_code error;
  if (!anfitrion || (!fs::is_directory(*anfitrion, error) && !fs::create_directories(*anfitrion, error))) {
    return std::string();
  }
  return carpeta;
}

std::optional<fs::path> ShellPrefijo::BuscarPrograma(const std::string& nombre) const {
  return BuscarEnPath(nombre, entorno_.Valor("PATH"));
}

bool ShellPrefijo::Lanzar(const std::vector<std::string>& argumentos, bool oculto) {
  // Everything the child needs is prepared here: between fork and exec only async-signal-safe
  // calls are allowed (the window's process has other threads).
  std::vector<char*> argv;
  for (const auto& a : argumentos) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  const std::string prefijo = "WINEPREFIX=" + prefijo_.string();
  std::vector<char*> entorno;
  for (char** v = ::environ; v && *v; ++v) {
    if (std::strncmp(*v, "WINEPREFIX=", 11) != 0) entorno.push_back(*v);
  }
  entorno.push_back(const_cast<char*>(prefijo.c_str()));
  entorno.push_back(nullptr);
  // The grandchild's process id comes back through a pipe, for a hidden program's end to be seen.
  int tubo[2] = {-1, -1};
  if (oculto && ::pipe2(tubo, O_CLOEXEC) != 0) oculto = false;
  const pid_t hijo = ::fork();
  if (hijo < 0) {
    if (oculto) ::close(tubo[0]), ::close(tubo[1]);
    return false;
  }
  if (hijo == 0) {
    // Detached: a grandchild in its own session, so the wizard never waits for it or reaps it.
    ::setsid();
    const pid_t nieto = ::fork();
    if (nieto != 0) {
      if (oculto && nieto > 0) (void)!::write(tubo[1], &nieto, sizeof nieto);
      ::_exit(nieto > 0 ? 0 : 1);
    }
    ::execve(argv[0], argv.data(), entorno.data());
    ::_exit(127);
  }
  int estado = 0;
  ::waitpid(hijo, &estado, 0);
  const bool iniciado = WIFEXITED(estado) && WEXITSTATUS(estado) == 0;
  if (oculto) {
    ::close(tubo[1]);
    pid_t nieto = 0;
    if (iniciado && ::read(tubo[0], &nieto, sizeof nieto) == sizeof nieto) {
      // One that has ended already (and been reaped) has no descriptor: nothing to wait for.
      const int descriptor = static_cast<int>(::syscall(SYS_pidfd_open, nieto, 0));
      if (descriptor >= 0) ocultos_.push_back(descriptor);
    }
    ::close(tubo[0]);
  }
  return iniciado;
}

ShellPrefijo::~ShellPrefijo() {
  for (const int d : ocultos_) ::close(d);
}

bool ShellPrefijo::TerminaronLosOcultos(uint32_t esperaMs) {
  const auto hasta = std::chrono::steady_clock::now() + std::chrono::milliseconds(esperaMs);
  for (;;) {
    std::vector<pollfd> vigilados;
    for (const int d : ocultos_) vigilados.push_back(pollfd{d, POLLIN, 0});
    const auto falta = std::chrono::duration_cast<std::chrono::milliseconds>(hasta - std::chrono::steady_clock::now());
    if (!vigilados.empty()) ::poll(vigilados.data(), vigilados.size(), static_cast<int>(std::max<int64_t>(0, falta.count())));
    // A pidfd reads as ready once its process has ended.
    std::vector<int> enCurso;
    for (const auto& v : vigilados) {
      if (v.revents != 0) {
        ::close(v.fd);
      } else {
        enCurso.push_back(v.fd);
      }
    }
    ocultos_ = std::move(enCurso);
    if (ocultos_.empty()) return true;
    if (std::chrono::steady_clock::now() >= hasta) return false;
  }
}

bool ShellPrefijo::AbrirConEscritorio(const std::string& que) {
  const auto abrir = BuscarPrograma("xdg-open");
  return abrir && Lanzar({abrir->string(), que});
}

// The desktop's opener knows one action per type: both verbs are its.
bool ShellPrefijo::Abrir(const std::string& archivo, const std::string& argumentos, Verbo) {
  if (EsDireccionWeb(archivo)) return AbrirConEscritorio(archivo);
  std::vector<std::string> orden;
  const auto anfitrion = archivos_.RutaAnfitrion(archivo);
  const auto wine = BuscarWine(entorno_.Valor("PATH"));
  std::error_code error;
  if (!anfitrion || !fs::exists(*anfitrion, error)) {
    // A bare program name ("regsvr32") is Windows' own: only Wine has it.
    if (!wine || archivo.find_first_of("\\/:") != std::string::npos || archivo.empty()) return false;
    orden = {wine->string(), archivo};
  } else if (fs::is_directory(*anfitrion, error)) {
    return AbrirConEscritorio(anfitrion->string());
  } else {
    const std::string inicio = Inicio(*anfitrion);
    const bool nativo = inicio ==
                            "\x7f"
                            "ELF" ||
                        inicio.rfind("#!", 0) == 0;
    if (nativo && ::access(anfitrion->c_str(), X_OK) != 0) {
      // On Windows any program file may be started: a native program that arrived by download
      // gets the owner's right to run it.
      fs::permissions(*anfitrion, fs::perms::owner_exec, fs::perm_options::add, error);
    }
    if (nativo && ::access(anfitrion->c_str(), X_OK) == 0) {
      orden = {anfitrion->string()};
    } else if (inicio.rfind("MZ", 0) == 0) {
      if (!wine) return false;
      orden = {wine->string(), archivo};
    } else {
      return AbrirConEscritorio(anfitrion->string());
    }
  }
  for (auto& a : PartirArgumentos(argumentos)) orden.push_back(std::move(a));
  return Lanzar(orden, EsRegistrador(archivo));
}

bool ShellPrefijo::GuardarAccesoDirecto(const std::string& archivoLnk, const AccesoDirecto& acceso) {
  const auto anfitrion = archivos_.RutaAnfitrion(archivoLnk);
  std::error_code error;
  if (!anfitrion || !fs::is_directory(anfitrion->parent_path(), error)) return false;
  const auto bytes = ConstruirLnk(acceso);
  std::ofstream salida(*anfitrion, std::ios::binary | std::ios::trunc);
  salida.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(salida.flush());
}

std::string ShellPrefijo::ExaminarCarpeta(const std::string& titulo) {
  return explorador_ ? explorador_(titulo) : std::string();
}

}  // namespace evalora

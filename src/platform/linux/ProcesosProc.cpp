#include "platform/linux/ProcesosProc.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <map>

namespace evalora {

namespace {

// The first NUL-terminated argument. A process may end while it is read: then it has none.
std::string LeerPrimerArgumento(const std::filesystem::path& cmdline) {
  const int fd = ::open(cmdline.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::string();
  std::string texto;
  char bloque[512];
  ssize_t leidos = 0;
  while (texto.find('\0') == std::string::npos && (leidos = ::read(fd, bloque, sizeof bloque)) > 0) {
    texto.append(bloque, static_cast<size_t>(leidos));
  }
  ::close(fd);
  return texto.substr(0, texto.find('\0'));
}

}  // namespace

std::vector<std::string> ProcesosProc::NombresEnEjecucion() {
  std::map<long, std::string> porNumero;
  std::error_code error;
  for (std::filesystem::directory_iterator it(proc_, error), fin; !error && it != fin; it.increment(error)) {
    const std::string pid = it->path().filename().string();
    if (pid.empty() || !std::all_of(pid.begin(), pid.end(), [](char c) { return c >= '0' && c <= '9'; })) continue;
    const std::string primero = LeerPrimerArgumento(it->path() / "cmdline");
    if (primero.empty()) continue;
    const auto barra = primero.find_last_of("/\\");
    const std::string nombre = barra == std::string::npos ? primero : primero.substr(barra + 1);
    if (!nombre.empty()) porNumero.emplace(std::stol(pid), nombre);
  }
  std::vector<std::string> nombres;
  nombres.reserve(porNumero.size());
  for (auto& [pid, nombre] : porNumero) nombres.push_back(std::move(nombre));
  return nombres;
}

}  // namespace evalora

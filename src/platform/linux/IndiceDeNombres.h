#pragma once
// Finds a name in a folder without regard to case, as Windows does, without reading the whole
// folder for every path. A folder read once is kept as an index of its names by their upper case
// and kept current by the kernel's notifications (inotify) of every creation, deletion and rename
// in it, ours and anyone else's; a folder that moves, goes away, or whose notifications were lost
// is read again when next asked about. Without notifications (none left for this user) every
// question reads the folder, as before.

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <unordered_map>

namespace evalora {

class IndiceDeNombres {
 public:
  IndiceDeNombres();
  ~IndiceDeNombres();
  IndiceDeNombres(const IndiceDeNombres&) = delete;
  IndiceDeNombres& operator=(const IndiceDeNombres&) = delete;

  // The entry of `carpeta` (a Linux path) whose name matches `nombre` without regard to case;
  // among several (Linux allows "a" beside "A"), the first in a stable order.
  std::optional<std::string> Buscar(const std::string& carpeta, const std::string& nombre);

 private:
  struct Carpeta {
    std::unordered_map<std::string, std::set<std::string>> nombres;  // by upper case
    uint64_t usada = 0;
  };

  void AtenderAvisos();
  void Olvidar(int vigilancia);
  void OlvidarTodas();

  int avisos_ = -1;
  uint64_t turno_ = 0;
  std::map<int, Carpeta> carpetas_;  // by the folder's watch
};

// Every entry of a folder whose name matches `nombre` without regard to case, read from the
// folder itself: the first in a stable order.
std::optional<std::string> BuscarLeyendoLaCarpeta(const std::string& carpeta, const std::string& nombre);

}  // namespace evalora

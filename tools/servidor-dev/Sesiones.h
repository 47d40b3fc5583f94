#pragma once
// The connections a server attends, each on a thread of its own. Those that ended are joined and
// their descriptors closed as the next one arrives, so none piles up; the rest when it stops.

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace evalora::servidor {

class Sesiones {
 public:
  ~Sesiones() { Detener(); }
  // Attends the connection with `atender` on a thread of its own; once stopped, closes it and
  // returns false.
  bool Iniciar(int fd, std::function<void(int fd)> atender);
  // Ends every connection (the client sees the end), waits for its thread and closes it.
  void Detener();

 private:
  struct Conexion {
    int fd = -1;
    std::thread hilo;
    std::shared_ptr<std::atomic<bool>> terminada;
  };
  std::mutex candado_;
  bool detenidas_ = false;
  std::vector<Conexion> conexiones_;
};

}  // namespace evalora::servidor

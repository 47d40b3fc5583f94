#include "Sesiones.h"

#include <sys/socket.h>
#include <unistd.h>

namespace evalora::servidor {

bool Sesiones::Iniciar(int fd, std::function<void(int fd)> atender) {
  std::lock_guard<std::mutex> bloqueo(candado_);
  if (detenidas_) {
    ::close(fd);
    return false;
  }
  for (auto it = conexiones_.begin(); it != conexiones_.end();) {
    if (*it->terminada) {
      it->hilo.join();
      ::close(it->fd);
      it = conexiones_.erase(it);
    } else {
      ++it;
    }
  }
  auto terminada = std::make_shared<std::atomic<bool>>(false);
  conexiones_.push_back({fd, std::thread([fd, terminada, atender = std::move(atender)] {
                           atender(fd);
                           ::shutdown(fd, SHUT_RDWR);  // the client sees the end
                           *terminada = true;
                         }),
                         terminada});
  return true;
}

void Sesiones::Detener() {
  std::vector<Conexion> conexiones;
  {
    std::lock_guard<std::mutex> bloqueo(candado_);
    detenidas_ = true;
    conexiones.swap(conexiones_);
  }
  for (auto& c : conexiones) ::shutdown(c.fd, SHUT_RDWR);
  for (auto& c : conexiones) {
    c.hilo.join();
    ::close(c.fd);
  }
}

}  // namespace evalora::servidor

#include "Red.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace evalora::servidor {

int EscucharEnLoopback(uint16_t pedido, uint16_t& puerto, int pendientes) {
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  const int si = 1;
  ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &si, sizeof si);
  sockaddr_in direccion{};
  direccion.sin_family = AF_INET;
  direccion.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  direccion.sin_port = htons(pedido);
  socklen_t largo = sizeof direccion;
  if (::bind(fd, reinterpret_cast<sockaddr*>(&direccion), sizeof direccion) != 0 || ::listen(fd, pendientes) != 0 ||
      ::getsockname(fd, reinterpret_cast<sockaddr*>(&direccion), &largo) != 0) {
    ::close(fd);
    return -1;
  }
  puerto = ntohs(direccion.sin_port);
  return fd;
}

bool EnviarTodo(int fd, const void* datos, size_t cuantos) {
  const auto* bytes = static_cast<const char*>(datos);
  while (cuantos > 0) {
    const ssize_t n = ::send(fd, bytes, cuantos, MSG_NOSIGNAL);
    if (n <= 0) return false;
    bytes += n;
    cuantos -= static_cast<size_t>(n);
  }
  return true;
}

}  // namespace evalora::servidor

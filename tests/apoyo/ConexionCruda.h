#pragma once
// A plain TCP connection to a server of the test on loopback, for what no client library sends.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>

namespace evalora::pruebas {

// The connected descriptor, or -1.
inline int ConectarCrudo(uint16_t puerto) {
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  sockaddr_in direccion{};
  direccion.sin_family = AF_INET;
  direccion.sin_port = htons(puerto);
  direccion.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (::connect(fd, reinterpret_cast<sockaddr*>(&direccion), sizeof direccion) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

}  // namespace evalora::pruebas

#pragma once
// The sockets both halves of the development server use.

#include <cstddef>
#include <cstdint>

namespace evalora::servidor {

// A listening socket on 127.0.0.1; port 0 takes any free one. The descriptor, or -1; `puerto`
// receives the port it listens on.
int EscucharEnLoopback(uint16_t pedido, uint16_t& puerto, int pendientes);

// Sends everything (no SIGPIPE); false when the connection ended first.
bool EnviarTodo(int fd, const void* datos, size_t cuantos);

}  // namespace evalora::servidor

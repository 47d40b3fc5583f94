#include "platform/linux/InternetSocket.h"

#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "core/Texto.h"

namespace evalora {

namespace {

using Reloj = std::chrono::steady_clock;

struct Resolucion {
  std::mutex candado;
  std::condition_variable listo;
  bool terminada = false;
  addrinfo* direcciones = nullptr;
  ~Resolucion() {
    if (direcciones) ::freeaddrinfo(direcciones);
  }
};

// Resolves on a helper thread so that a resolver that does not answer cannot hold the wizard
// beyond the limit; the thread is left to finish on its own.
addrinfo* Resolver(const DestinoDeUrl& destino, Reloj::time_point hasta, std::shared_ptr<Resolucion>& estado) {
  estado = std::make_shared<Resolucion>();
  std::thread([estado, destino] {
    addrinfo pista{};
    pista.ai_socktype = SOCK_STREAM;
    addrinfo* lista = nullptr;
    const int r = ::getaddrinfo(destino.host.c_str(), destino.puerto.c_str(), &pista, &lista);
    std::lock_guard<std::mutex> bloqueo(estado->candado);
    estado->direcciones = r == 0 ? lista : nullptr;
    estado->terminada = true;
    estado->listo.notify_all();
  }).detach();
  std::unique_lock<std::mutex> bloqueo(estado->candado);
  estado->listo.wait_until(bloqueo, hasta, [&] { return estado->terminada; });
  return estado->terminada ? estado->direcciones : nullptr;
}

bool Conectar(const addrinfo& direccion, Reloj::time_point hasta) {
  const int fd =
      ::socket(direccion.ai_family, direccion.ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, direccion.ai_protocol);
  if (fd < 0) return false;
  bool conectado = ::connect(fd, direccion.ai_addr, direccion.ai_addrlen) == 0;
  if (!conectado && errno == EINPROGRESS) {
    const auto resta = std::chrono::duration_cast<std::chrono::milliseconds>(hasta - Reloj::now()).count();
    pollfd espera{fd, POLLOUT, 0};
    if (resta > 0 && ::poll(&espera, 1, static_cast<int>(resta)) == 1) {
      int error = 0;
      socklen_t largo = sizeof error;
      conectado = ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &largo) == 0 && error == 0;
    }
  }
  ::close(fd);
  return conectado;
}

}  // namespace

std::optional<DestinoDeUrl> AnalizarDestino(const std::string& url) {
  std::string resto = RecortarBlancos(url);
  std::string puerto = "80";
  const auto esquema = resto.find("://");
  if (esquema != std::string::npos) {
    const std::string nombre = Minusculas(resto.substr(0, esquema));
    if (nombre == "https")
      puerto = "443";
    else if (nombre != "http")
      return std::nullopt;
    resto = resto.substr(esquema + 3);
  }
  resto = resto.substr(0, resto.find_first_of("/?#"));
  if (const auto arroba = resto.rfind('@'); arroba != std::string::npos) resto = resto.substr(arroba + 1);
  std::string host = resto;
  if (!resto.empty() && resto[0] == '[') {
    const auto cierre = resto.find(']');
    if (cierre == std::string::npos) return std::nullopt;
    host = resto.substr(1, cierre - 1);
    if (cierre + 1 < resto.size()) {
      if (resto[cierre + 1] != ':') return std::nullopt;
      puerto = resto.substr(cierre + 2);
    }
  } else if (const auto dos = resto.find(':'); dos != std::string::npos) {
    host = resto.substr(0, dos);
    puerto = resto.substr(dos + 1);
  }
  if (host.empty() || puerto.empty() || puerto.size() > 5 ||
      puerto.find_first_not_of("0123456789") != std::string::npos || std::stoi(puerto) > 65535) {
    return std::nullopt;
  }
  return DestinoDeUrl{host, puerto};
}

bool InternetSocket::HayConexion(const std::string& url) {
  const auto destino = AnalizarDestino(url);
  if (!destino) return false;
  const auto hasta = Reloj::now() + limite_;
  std::shared_ptr<Resolucion> estado;
  const addrinfo* direcciones = Resolver(*destino, hasta, estado);
  for (const addrinfo* d = direcciones; d && Reloj::now() < hasta; d = d->ai_next) {
    if (Conectar(*d, hasta)) return true;
  }
  return false;
}

}  // namespace evalora

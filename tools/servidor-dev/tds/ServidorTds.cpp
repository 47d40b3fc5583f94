#include "tds/ServidorTds.h"

#include "Red.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <thread>

namespace evalora::tds {

namespace {

constexpr uint32_t kTds74 = 0x74000004;
constexpr const char* kPrograma = "Catalogo Evalora de desarrollo";

void RespuestaDeLogin(Escritor& e, const Login& login) {
  CambioDeBaseDeDatos(e, login.baseDeDatos.empty() ? "master" : login.baseDeDatos, "master");
  CambioDeIntercalacion(e);
  AceptacionDeLogin(e, std::min(login.versionTds, kTds74), kPrograma);
  CambioDeTamanoDePaquete(e, 4096, 4096);
  Done(e, 0);
}

}  // namespace

ServidorTds::ServidorTds(Atencion& atencion, Credenciales credenciales, Falla falla)
    : atencion_(atencion), credenciales_(std::move(credenciales)), falla_(falla) {}

ServidorTds::~ServidorTds() { Detener(); }

uint16_t ServidorTds::Escuchar(uint16_t puerto) {
  uint16_t escuchando = 0;
  escucha_ = servidor::EscucharEnLoopback(puerto, escuchando, 16);
  return escucha_ < 0 ? 0 : escuchando;
}

void ServidorTds::Atender() {
  while (!detenido_) {
    const int fd = ::accept4(escucha_, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0) {
      if (detenido_) break;
      continue;
    }
    const int si = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &si, sizeof si);
    if (!sesiones_.Iniciar(fd, [this](int conexion) { Sesion(conexion); })) break;
  }
}

void ServidorTds::Detener() {
  if (detenido_.exchange(true)) return;
  if (escucha_ >= 0) ::shutdown(escucha_, SHUT_RDWR);
  sesiones_.Detener();
  if (escucha_ >= 0) ::close(escucha_);
}

void ServidorTds::Sesion(int fd) {
  Mensaje mensaje;
  if (falla_ == Falla::kNoResponder) {
    while (LeerMensaje(fd, mensaje)) {
    }
    return;
  }
  bool conectado = false;
  while (LeerMensaje(fd, mensaje)) {
    Escritor respuesta;
    if (mensaje.tipo == kPrelogin) {
      respuesta.Bytes(RespuestaPrelogin());
    } else if (mensaje.tipo == kLogin7) {
      const auto login = LeerLogin(mensaje.datos);
      conectado = login && falla_ != Falla::kRechazarLogin && login->usuario == credenciales_.usuario &&
                  login->clave == credenciales_.clave;
      if (conectado) {
        RespuestaDeLogin(respuesta, *login);
      } else {
        Error(respuesta, 18456, 14, "Login failed for user '" + (login ? login->usuario : std::string()) + "'.",
              kPrograma);
        Done(respuesta, kDoneError);
      }
    } else if (!conectado) {
      return;  // nothing but a login before the login
    } else if (falla_ == Falla::kCallarTrasLogin) {
      continue;
    } else if (mensaje.tipo == kLote) {
      const auto sql = LeerLote(mensaje.datos);
      if (sql) {
        atencion_.Lote(*sql, respuesta);
      } else {
        Error(respuesta, 102, 15, "Lote ilegible.", kPrograma);
        Done(respuesta, kDoneError);
      }
    } else if (mensaje.tipo == kRpc) {
      const auto llamada = LeerRpc(mensaje.datos);
      if (llamada) {
        atencion_.Rpc(*llamada, respuesta);
      } else {
        Error(respuesta, 8009, 16, "Llamada RPC ilegible.", kPrograma);
        DoneDeProcedimiento(respuesta, kDoneError);
      }
    } else if (mensaje.tipo == kAtencion) {
      Done(respuesta, kDoneAtencion);
    } else {
      Done(respuesta, 0);
    }
    if (!EnviarRespuesta(fd, respuesta.Datos())) return;
    if (mensaje.tipo == kLogin7 && conectado && falla_ == Falla::kCerrarTrasLogin) return;
    if (mensaje.tipo == kLogin7 && !conectado) return;
  }
}

}  // namespace evalora::tds

#pragma once
// The HTTP transfer under netDownload: one request, its final answer's headers and its body, handed
// to a receiver as they arrive. Each build has its own (linux/TransporteCurl.cpp over libcurl,
// windows/TransporteWinInet.cpp over WinINet); what the wizard does with the answer is the same.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace evalora {

struct PeticionHttp {
  std::string esquema;  // "http" or "https"
  std::string host;
  int puerto = 80;
  std::string ruta;  // escaped, from "/"
  std::optional<std::string> usuario;
  std::optional<std::string> clave;
  std::string proxy;     // empty: none
  std::string sinProxy;  // hosts reached without the proxy
  // The rest of a file from a byte: "Range: bytes=<desde>-", and "If-Range: <siRango>" when given
  // (the validator of the part already held), so that a changed file comes whole.
  std::optional<uint64_t> desde;
  std::string siRango;
};

struct RespuestaHttp {
  int estado = 0;
  std::string textoDeEstado;
  std::string lineaDeEstado;           // "HTTP/1.0 200 OK"
  std::vector<std::string> cabeceras;  // "Name: value", in the order they came
};

// What the transfer tells as it goes. Each call returns false to stop the transfer at once.
class ReceptorHttp {
 public:
  virtual ~ReceptorHttp() = default;
  // The final answer's status and headers (interim answers and redirects are never told).
  virtual bool Cabeceras(const RespuestaHttp& respuesta) = 0;
  // Part of the body, in the sizes the network gives.
  virtual bool Datos(const char* datos, size_t cuantos) = 0;
  // The transfer waits for the network; called at least every few milliseconds meanwhile.
  virtual bool Esperando() = 0;
};

// How a transfer ended.
enum class FinDelTransporte {
  kCompleto,         // the whole body was told
  kDetenido,         // the receiver stopped it
  kSinSesion,        // no session of the transfer library (error 002)
  kSinConexion,      // the server could not be reached (003)
  kSinPeticion,      // the request could not be made (004)
  kSinRespuesta,     // the request got no answer (005)
  kCortado,          // the body broke off after the headers
};

class TransporteHttp {
 public:
  virtual ~TransporteHttp() = default;
  // An HTTP/1.0 GET without cache, following redirects (http and https only), certificates
  // verified; gives up on a connection that cannot be made within 30 s.
  virtual FinDelTransporte Transferir(const PeticionHttp& peticion, ReceptorHttp& receptor) = 0;
};

// The build's transfer.
std::unique_ptr<TransporteHttp> NuevoTransporteHttp();

// The network as a service of the run: it makes the transfers (one for a whole list, or one for
// each use that needs its own).
class Red {
 public:
  virtual ~Red() = default;
  virtual std::unique_ptr<TransporteHttp> NuevoTransporte() = 0;
};

// The build's own network.
class RedDelSistema final : public Red {
 public:
  std::unique_ptr<TransporteHttp> NuevoTransporte() override { return NuevoTransporteHttp(); }
};

}  // namespace evalora

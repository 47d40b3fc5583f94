#pragma once
// What a TDS client sends: packets joined into messages, the pre-login answer, the LOGIN7 record,
// SQL batches and RPC calls.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace evalora::tds {

// Client message types.
constexpr uint8_t kLote = 0x01;
constexpr uint8_t kRpc = 0x03;
constexpr uint8_t kAtencion = 0x06;
constexpr uint8_t kTransaccion = 0x0E;
constexpr uint8_t kLogin7 = 0x10;
constexpr uint8_t kPrelogin = 0x12;

struct Mensaje {
  uint8_t tipo = 0;
  std::vector<uint8_t> datos;
};

// One whole message from the socket (packets joined until end of message); false when the
// connection ended or sent something that is not TDS.
bool LeerMensaje(int fd, Mensaje& mensaje);
// A reply (type 0x04) in packets of at most 4096 bytes.
bool EnviarRespuesta(int fd, const std::vector<uint8_t>& datos);

// The pre-login reply: version, no encryption, no instance, no MARS.
std::vector<uint8_t> RespuestaPrelogin();

struct Login {
  uint32_t versionTds = 0;  // as sent, e.g. 0x74000004
  std::string usuario;
  std::string clave;
  std::string baseDeDatos;
};
std::optional<Login> LeerLogin(const std::vector<uint8_t>& datos);

// The text of a SQL batch (UTF-8), its headers skipped.
std::optional<std::string> LeerLote(const std::vector<uint8_t>& datos);

struct Parametro {
  bool nulo = true;
  std::string texto;  // text values, UTF-8
  int64_t entero = 0;
  double real = 0;
  bool esTexto = false;
};
struct LlamadaRpc {
  std::string procedimiento;  // empty when called by number
  uint16_t numero = 0;
  std::vector<Parametro> parametros;
};
std::optional<LlamadaRpc> LeerRpc(const std::vector<uint8_t>& datos);

}  // namespace evalora::tds

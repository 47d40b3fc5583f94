#pragma once
// A TDS server on loopback, enough for FreeTDS: pre-login without encryption, login with one fixed
// login, SQL batches, RPC calls and attention. What each statement answers is the Atencion's.

#include <atomic>

#include "Sesiones.h"
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "tds/Escritor.h"
#include "tds/Mensajes.h"

namespace evalora::tds {

class Atencion {
 public:
  virtual ~Atencion() = default;
  // Each writes the reply's tokens, ending with a DONE (or DONEPROC) without the MORE bit.
  virtual void Lote(const std::string& sql, Escritor& respuesta) = 0;
  virtual void Rpc(const LlamadaRpc& llamada, Escritor& respuesta) = 0;
};

// Faults that tests ask for.
enum class Falla {
  kNinguna,
  kRechazarLogin,    // every login fails (error 18456)
  kNoResponder,      // connections are accepted and never answered
  kCerrarTrasLogin,  // the connection closes right after a successful login
  kCallarTrasLogin,  // after a successful login nothing more is answered
};

struct Credenciales {
  std::string usuario = "downloadmanager";
  std::string clave = "Qm58wLx2Zb";
};

class ServidorTds {
 public:
  ServidorTds(Atencion& atencion, Credenciales credenciales = {}, Falla falla = Falla::kNinguna);
  ~ServidorTds();
  // Listens on 127.0.0.1; port 0 takes any free one. The port listened on, or 0 on failure.
  uint16_t Escuchar(uint16_t puerto);
  // Accepts connections until Detener; one thread per connection.
  void Atender();
  // Stops accepting, ends every open connection and waits for their threads.
  void Detener();

 private:
  void Sesion(int fd);

  Atencion& atencion_;
  Credenciales credenciales_;
  Falla falla_;
  int escucha_ = -1;
  std::atomic<bool> detenido_{false};
  servidor::Sesiones sesiones_;
};

}  // namespace evalora::tds

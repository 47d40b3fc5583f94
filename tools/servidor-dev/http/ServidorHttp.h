#pragma once
// The development server's download half: HTTP/1.0 on loopback, serving the files of a content
// folder, with faults on demand for tests. A path that starts with "/_fallas/<faults>/" serves the
// rest of the path with those faults, comma-separated:
//   estado=N          answer with status N (and its text) and no body
//   cortar=N          close the connection after N bytes of the body
//   sin-longitud      send no Content-Length; the body ends when the connection closes
//   lento=B           send the body at B bytes per second
//   de-mas=N          send N bytes more than the Content-Length announces
//   fallar-primeras=K answer 500 to the first K requests for this path, then serve it
//   otro-tamano=N     answer 200 with a whole body of N bytes of its own (a portal's page)
//   dos-longitudes    announce two Content-Length headers that disagree
//   continuar         send an unsolicited "100 Continue" before the answer
//   callar            accept the request and never answer
// docs/servidor-dev.md describes them.

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "Sesiones.h"

namespace evalora::servidor {

struct Fallas {
  int estado = 0;
  std::optional<uint64_t> cortar;
  bool sinLongitud = false;
  uint64_t lento = 0;
  uint64_t deMas = 0;
  int fallarPrimeras = 0;
  std::optional<uint64_t> otroTamano;
  bool dosLongitudes = false;
  bool continuar = false;
  bool callar = false;
  std::optional<uint64_t> cortarCada;  // closes at the next multiple of N of the file's bytes
  bool sinRangos = false;              // answers every range with the whole file (200)
  bool cambiante = false;              // each request meets a new version of the file
  bool rangoErroneo = false;           // a 206 whose Content-Range names another first byte
};

// What a request asks of a file beyond its path: "Range: bytes=N-" or "bytes=N-M", and "If-Range".
struct PedidoDeRango {
  std::optional<uint64_t> desde;  // nothing: the whole file (other forms of Range are ignored)
  std::optional<uint64_t> hasta;  // the last byte asked for; nothing: to the end
  std::optional<std::string> siRango;
};
// Read from a request's head (its request line and headers).
PedidoDeRango LeerRango(const std::string& cabeza);

// "/_fallas/estado=404,lento=10/a/b.zip" → the faults and "/a/b.zip"; nothing for a malformed list.
std::optional<std::pair<Fallas, std::string>> LeerFallas(const std::string& ruta);

class ServidorHttp {
 public:
  explicit ServidorHttp(std::filesystem::path contenido);
  ~ServidorHttp();
  uint16_t Escuchar(uint16_t puerto);  // 0: any free port; returns the port or 0
  void Atender();
  void Detener();
  // Requests received, one line each ("GET /path"; "GET /path bytes=N-" for the rest of a file).
  std::vector<std::string> Pedidos();
  // Each request is also appended to `archivo`, one line each, as it arrives.
  void AnotarPedidosEn(std::filesystem::path archivo) { anotarEn_ = std::move(archivo); }

 private:
  void Sesion(int fd);
  void Responder(int fd, const std::string& ruta, const PedidoDeRango& rango);

  std::filesystem::path contenido_;
  int escucha_ = -1;
  std::atomic<bool> detenido_{false};
  std::mutex candado_;
  Sesiones sesiones_;
  std::map<std::string, int> fallidas_;  // per path, for fallar-primeras
  std::map<std::string, uint64_t> versiones_;  // per path, for cambiante
  std::vector<std::string> pedidos_;
  std::filesystem::path anotarEn_;
  std::atomic<uint64_t> enviados_{0};  // bytes of files' bodies sent, answered at /_enviados
};

}  // namespace evalora::servidor

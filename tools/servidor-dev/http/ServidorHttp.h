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
};

// "/_fallas/estado=404,lento=10/a/b.zip" → the faults and "/a/b.zip"; nothing for a malformed list.
std::optional<std::pair<Fallas, std::string>> LeerFallas(const std::string& ruta);

class ServidorHttp {
 public:
  explicit ServidorHttp(std::filesystem::path contenido);
  ~ServidorHttp();
  uint16_t Escuchar(uint16_t puerto);  // 0: any free port; returns the port or 0
  void Atender();
  void Detener();
  // Requests received, one line each ("GET /path").
  std::vector<std::string> Pedidos();
  // Each request is also appended to `archivo`, one line each, as it arrives.
  void AnotarPedidosEn(std::filesystem::path archivo) { anotarEn_ = std::move(archivo); }

 private:
  void Sesion(int fd);
  void Responder(int fd, const std::string& ruta);

  std::filesystem::path contenido_;
  int escucha_ = -1;
  std::atomic<bool> detenido_{false};
  std::mutex candado_;
  Sesiones sesiones_;
  std::map<std::string, int> fallidas_;  // per path, for fallar-primeras
  std::vector<std::string> pedidos_;
  std::filesystem::path anotarEn_;
};

}  // namespace evalora::servidor

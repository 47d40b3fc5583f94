#pragma once
// The development server's download half in the test's own process, serving a temporary folder
// on a free loopback port.

#include <string>
#include <thread>

#include "apoyo/PrefijoTemporal.h"
#include "http/ServidorHttp.h"

namespace evalora::pruebas {

class DescargasEnMarcha {
 public:
  DescargasEnMarcha();
  ~DescargasEnMarcha();

  // A file of the content folder.
  void Poner(const std::string& ruta, const std::string& bytes) { contenido_.Escribir(ruta, bytes); }
  std::string Url(const std::string& ruta) const;
  uint16_t Puerto() const { return puerto_; }
  std::vector<std::string> Pedidos() { return servidor_.Pedidos(); }
  const std::filesystem::path& Carpeta() const { return contenido_.Raiz(); }
  void Detener() { servidor_.Detener(); }

 private:
  PrefijoTemporal contenido_;
  servidor::ServidorHttp servidor_{contenido_.Raiz()};
  std::thread hilo_;
  uint16_t puerto_ = 0;
};

}  // namespace evalora::pruebas

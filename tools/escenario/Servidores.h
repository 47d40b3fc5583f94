#pragma once
// The development server of a scenario, in the runner's own process on free loopback ports: the
// catalogue with the demo data, the scenario's extra SQL and a log of what it received, and the
// download server over a content folder shared by all scenarios.

#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "AtencionDelCatalogo.h"
#include "Catalogo.h"
#include "http/ServidorHttp.h"
#include "tds/ServidorTds.h"

namespace evalora::escenario {

class Servidores {
 public:
  // Throws std::runtime_error with the reason when a part cannot start.
  Servidores(const std::filesystem::path& contenido, const std::vector<std::string>& sqlExtra,
             const std::filesystem::path& registro);
  ~Servidores();

  uint16_t PuertoCatalogo() const { return puertoTds_; }
  uint16_t PuertoDescargas() const { return puertoHttp_; }
  // The statements and calls received, one a line, without what the driver asks on its own.
  std::vector<std::string> Recibido() const;
  // The download server's requests, one a line ("GET /path").
  std::vector<std::string> Pedidos() const { return http_->Pedidos(); }

 private:
  std::filesystem::path registro_;
  servidor::Catalogo catalogo_;
  std::unique_ptr<servidor::ServidorHttp> http_;
  std::unique_ptr<servidor::AtencionDelCatalogo> atencion_;
  std::unique_ptr<tds::ServidorTds> tds_;
  std::thread hiloTds_, hiloHttp_;
  uint16_t puertoTds_ = 0, puertoHttp_ = 0;
};

}  // namespace evalora::escenario

#pragma once
// The development catalogue running in the test's own process on a free loopback port, with the
// demo data, the test's extra SQL and a log of what it received.

#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "AtencionDelCatalogo.h"
#include "Catalogo.h"
#include "tds/ServidorTds.h"

namespace evalora::pruebas {

class CatalogoEnMarcha {
 public:
  CatalogoEnMarcha(const std::filesystem::path& registro, const std::string& sqlExtra = "",
                   tds::Falla falla = tds::Falla::kNinguna);
  ~CatalogoEnMarcha();

  uint16_t Puerto() const { return puerto_; }
  servidor::Catalogo& Datos() { return catalogo_; }
  // What it received, one statement or call a line, without what the driver asks on its own.
  std::vector<std::string> Recibido() const;
  // The connection string the wizard's driver uses, for tests that talk to it directly.
  std::string CadenaDeConexion() const;

 private:
  std::filesystem::path registro_;
  servidor::Catalogo catalogo_;
  std::unique_ptr<servidor::AtencionDelCatalogo> atencion_;
  std::unique_ptr<tds::ServidorTds> servidor_;
  std::thread hilo_;
  uint16_t puerto_ = 0;
};

}  // namespace evalora::pruebas

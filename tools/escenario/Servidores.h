#pragma once
// The development server of a scenario: the catalogue with the demo data, the scenario's extra
// SQL and a log of what it received, and the download server over a content folder shared by all
// scenarios. The Linux build runs it in the runner's own process on free loopback ports; the
// Windows build's runner, under Wine, finds it running as a Linux program beside it.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace evalora::escenario {

class Servidores {
 public:
  // Throws std::runtime_error with the reason when a part cannot start (or is not there).
  Servidores(const std::filesystem::path& contenido, const std::vector<std::string>& sqlExtra,
             const std::filesystem::path& registro);
  ~Servidores();

  uint16_t PuertoCatalogo() const;
  uint16_t PuertoDescargas() const;
  // The statements and calls received, one a line, without what the driver asks on its own.
  std::vector<std::string> Recibido() const;
  // The download server's requests, one a line ("GET /path").
  std::vector<std::string> Pedidos() const;

  struct EnMarcha;

 private:
  std::unique_ptr<EnMarcha> enMarcha_;
};

}  // namespace evalora::escenario

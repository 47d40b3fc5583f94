#include "Servidores.h"
#include "Textos.h"

#include "RutaDelAnfitrion.h"

#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace evalora::escenario {

namespace {

std::string Variable(const char* nombre) {
  const char* v = std::getenv(nombre);
  return v ? v : "";
}

uint16_t PuertoDe(const std::string& direccion) {
  const auto dosPuntos = direccion.rfind(':');
  const std::string puerto = dosPuntos == std::string::npos ? "" : direccion.substr(dosPuntos + 1);
  if (puerto.empty() || puerto.size() > 5 || puerto.find_first_not_of("0123456789") != std::string::npos) return 0;
  const unsigned long n = std::stoul(puerto);
  return n > 65535 ? 0 : static_cast<uint16_t>(n);
}

}  // namespace

struct Servidores::EnMarcha {
  uint16_t catalogo = 0, descargas = 0;
  std::filesystem::path registro, pedidos;
};

Servidores::Servidores(const std::filesystem::path&, const std::vector<std::string>&, const std::filesystem::path&)
    : enMarcha_(std::make_unique<EnMarcha>()) {
  // Started beside the runner by scripts/con-servidor-dev.sh, with the scenario's SQL.
  enMarcha_->catalogo = PuertoDe(Variable("EVALORA_CATALOGO"));
  enMarcha_->descargas = PuertoDe(Variable("EVALORA_HTTP"));
  if (enMarcha_->catalogo == 0 || enMarcha_->descargas == 0) {
    throw std::runtime_error(
        "no hay servidor de desarrollo: EVALORA_CATALOGO y EVALORA_HTTP los da scripts/con-servidor-dev.sh");
  }
  enMarcha_->registro = RutaDelAnfitrion(Variable("EVALORA_REGISTRO_CATALOGO"));
  enMarcha_->pedidos = RutaDelAnfitrion(Variable("EVALORA_PEDIDOS_HTTP"));
}

Servidores::~Servidores() = default;

uint16_t Servidores::PuertoCatalogo() const { return enMarcha_->catalogo; }
uint16_t Servidores::PuertoDescargas() const { return enMarcha_->descargas; }
std::vector<std::string> Servidores::Recibido() const { return LineasDe(enMarcha_->registro); }
std::vector<std::string> Servidores::Pedidos() const { return LineasDe(enMarcha_->pedidos); }

}  // namespace evalora::escenario

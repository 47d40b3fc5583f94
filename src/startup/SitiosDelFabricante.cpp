#include "startup/SitiosDelFabricante.h"

namespace evalora {

std::string SitiosDelFabricante::NombreDelSitio() const {
  std::string host = web;
  if (const auto esquema = host.find("://"); esquema != std::string::npos) host = host.substr(esquema + 3);
  return host.substr(0, host.find('/'));
}

SitiosDelFabricante SitiosPara(const Entorno& entorno) {
  SitiosDelFabricante s{EVALORA_SITIO_WEB, EVALORA_SITIO_AYUDA};
  if (const std::string web = entorno.Valor("EVALORA_SITIO_WEB"); !web.empty()) s.web = web;
  if (const std::string ayuda = entorno.Valor("EVALORA_SITIO_AYUDA"); !ayuda.empty()) s.ayuda = ayuda;
  while (!s.ayuda.empty() && s.ayuda.back() == '/') s.ayuda.pop_back();
  return s;
}

}  // namespace evalora

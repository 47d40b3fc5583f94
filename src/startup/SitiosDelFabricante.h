#pragma once
// The maker's web sites: the one the Internet check tries (and the outdated-build notice names),
// and the help site in front of the help pages. Built in, unless the environment names others
// (EVALORA_SITIO_WEB, EVALORA_SITIO_AYUDA), as the development server on loopback does.

#include <string>

#include "platform/Entorno.h"

namespace evalora {

struct SitiosDelFabricante {
  std::string web;    // an http address
  std::string ayuda;  // an http address without the final "/"
  // The web site's host name, as the notices write it ("www.evalora.mx").
  std::string NombreDelSitio() const;
};

SitiosDelFabricante SitiosPara(const Entorno& entorno);

}  // namespace evalora

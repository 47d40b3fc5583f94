#pragma once
// One run of the wizard over a set of services: its state, the catalogue, the window, and the
// start-up that shows the window on its first step. The product and the scenario runner build
// the same run; only the services differ.

#include <functional>
#include <memory>

#include "catalogue/ClienteDelCatalogo.h"
#include "catalogue/ConexionCatalogo.h"
#include "core/EstadoDeEjecucion.h"
#include "platform/Plataforma.h"
#include "startup/SitiosDelFabricante.h"
#include "ui/frmPrincipal.h"

namespace evalora::ui {

class Asistente {
 public:
  Asistente(Plataforma plataforma, VersionDelEjecutable version);

  // The start-up: titles, checks, the first step (or the end of the program).
  void Main();

  EstadoDeEjecucion& Estado() { return estado_; }
  frmPrincipal& Ventana() { return *ventana_; }

 private:
  Plataforma plataforma_;
  VersionDelEjecutable version_;
  EstadoDeEjecucion estado_;
  SitiosDelFabricante sitios_;
  ConexionCatalogo conexion_;
  ClienteDelCatalogo catalogo_;
  std::unique_ptr<frmPrincipal> ventana_;
};

}  // namespace evalora::ui

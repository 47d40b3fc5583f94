#pragma once
// The installation after the download: the system's stages in their order (or the local
// database's installation for kind 2), the captions and the progress bar, and the result step.

#include <functional>
#include <string>

#include "core/EstadoDeEjecucion.h"
#include "core/Paso.h"
#include "platform/Plataforma.h"

namespace evalora {

// What the installation shows on the window.
class PanelDeInstalacion {
 public:
  virtual ~PanelDeInstalacion() = default;
  virtual void ProcesoEnEjecucion(const std::string& texto) = 0;  // PasoInstalando_LblProcesoEnEjecucion
  virtual void Etapa(const std::string& texto) = 0;               // lbProgresoInstalacion
  virtual void Progreso(int32_t porcentaje) = 0;                  // picProgresoInstalacion
  virtual void Refrescar() = 0;
};

class Instalacion {
 public:
  // `instalarBaseDeDatos`: the local database's installation (kind 2); its result.
  Instalacion(EstadoDeEjecucion& estado, Plataforma plataforma, PanelDeInstalacion& panel,
              std::function<bool()> instalarBaseDeDatos = {});

  // Runs the installation and returns its result step: "DescargaCorrecta" or "DescargaIncorrecta".
  Paso IniciarInstalacion();
  bool InstalarSistema();

  // The trace points, kept by nothing.
  static void Traza(const std::string&) {}

 private:
  EstadoDeEjecucion& estado_;
  Plataforma plataforma_;
  PanelDeInstalacion& panel_;
  std::function<bool()> instalarBaseDeDatos_;
};

}  // namespace evalora

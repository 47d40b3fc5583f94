#include "install/Instalacion.h"

#include "install/AccesosDirectos.h"
#include "install/CarpetasDelSistema.h"
#include "install/ConfigurarImpresora.h"
#include "install/Librerias.h"
#include "install/Outlook.h"
#include "startup/TiposDeAsistente.h"

namespace evalora {

Instalacion::Instalacion(EstadoDeEjecucion& estado, Plataforma plataforma, PanelDeInstalacion& panel,
                         std::function<bool()> instalarBaseDeDatos)
    : estado_(estado), plataforma_(plataforma), panel_(panel), instalarBaseDeDatos_(std::move(instalarBaseDeDatos)) {}

Paso Instalacion::IniciarInstalacion() {
  Traza("Inicia instalación");
  estado_.InstalacionFallida = false;
  panel_.Progreso(5);
  const bool correcta =
      estado_.InstalarBaseDeDatos ? (instalarBaseDeDatos_ && instalarBaseDeDatos_()) : InstalarSistema();
  if (!correcta) estado_.InstalacionFallida = true;
  panel_.Progreso(100);
  Traza("Finaliza instalación");
  return correcta ? Paso::kDescargaCorrecta : Paso::kDescargaIncorrecta;
}

bool Instalacion::InstalarSistema() {
  const Plataforma& p = plataforma_;
  estado_.ImpresoraNoInstalable = false;
  panel_.ProcesoEnEjecucion("Instalando el Sistema Evalora...");
  panel_.Etapa("Registrando librerías");
  panel_.Progreso(25);
  panel_.Refrescar();
  InstalarLibrerias(estado_, p);
  panel_.Progreso(35);
  if (EdicionInstalada(estado_) == "Local" && EsVistaSinServicePack(p)) estado_.AvisoWindowsVista = true;
  panel_.Progreso(45);
  CrearCarpetasDelSistema(estado_, p);
  panel_.Etapa("Instalando la impresora Evalora");
  panel_.Progreso(55);
  panel_.Refrescar();
  if (!ConfigurarImpresora(estado_, p) || estado_.ImpresoraNoInstalable) return false;
  panel_.Etapa("Configurando compatibilidad para Outlook");
  panel_.Progreso(65);
  ConfigurarRegistroOutlook(estado_, p);
  panel_.Etapa("Creando accesos directos");
  panel_.Progreso(75);
  if (!CrearAccesosDirectos(estado_.CarpetaDeInstalacion, estado_, p)) return false;
  panel_.Progreso(85);
  LimpiarVirtualStore(estado_, p);
  panel_.Progreso(95);
  EsperarRegistros(p);  // before the result step offers to start the system
  return true;
}

}  // namespace evalora

// The Linux build's scenarios see the form through the Qt window, offscreen.
#include "Escenario.h"
#include "ui/qt/VentanaQt.h"

namespace evalora::escenario {

std::unique_ptr<ui::Vista> CrearVista(ui::frmPrincipal& forma) { return std::make_unique<ui::VentanaQt>(forma); }

}  // namespace evalora::escenario

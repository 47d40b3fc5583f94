// The Windows build's scenarios see the form through the Win32 window (under Wine, on Xvfb).
#include "Escenario.h"
#include "ui/win32/VentanaWin32.h"

namespace evalora::escenario {

std::unique_ptr<ui::Vista> CrearVista(ui::frmPrincipal& forma) { return std::make_unique<ui::VentanaWin32>(forma); }

}  // namespace evalora::escenario

// The Windows build's scenarios see the form through the Win32 window (under Wine, on Xvfb), laid
// out at the prefix's DPI.
#include "Escenario.h"
#include "ui/win32/VentanaWin32.h"

namespace evalora::escenario {

std::unique_ptr<ui::Vista> CrearVista(ui::frmPrincipal& forma) { return std::make_unique<ui::VentanaWin32>(forma); }

std::string TextosQueNoCaben(ui::Vista& vista) {
  std::string todas;
  for (const std::string& etiqueta : static_cast<ui::VentanaWin32&>(vista).EtiquetasQueNoCaben()) {
    todas += (todas.empty() ? "" : ", ") + etiqueta;
  }
  return todas;
}

}  // namespace evalora::escenario

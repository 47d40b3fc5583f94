#include "platform/windows/VentanaDuena.h"

#include <windows.h>

namespace evalora::win32 {

HWND VentanaDuena::Ventana() const { return ventana_ && IsWindowVisible(ventana_) ? ventana_ : nullptr; }

}  // namespace evalora::win32

#include "platform/windows/BucleDeEventosWin.h"

#include <windows.h>

namespace evalora {

namespace {
constexpr uint32_t kIntervaloMs = 5;
}

void BucleDeEventosWin::Ceder() {
  const uint32_t ahora = reloj_.Milisegundos();
  if (!primero_ && ahora - ultimo_ < kIntervaloMs) return;
  primero_ = false;
  ultimo_ = ahora;
  MSG mensaje;
  while (PeekMessageW(&mensaje, nullptr, 0, 0, PM_REMOVE)) {
    if (mensaje.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(mensaje.wParam));  // the window's own loop ends on it
      return;
    }
    TranslateMessage(&mensaje);
    DispatchMessageW(&mensaje);
  }
}

}  // namespace evalora

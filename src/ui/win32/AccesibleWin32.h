#pragma once
// What Microsoft Active Accessibility (and UI Automation through it: Narrator, NVDA) hears of the
// window: its client area as an IAccessible whose children are the step's controls in reading
// order (Formulario::OrdenAccesible). A control we draw is a simple child with its role, name,
// state, place and default action (the form's click); a system control (text box, check box,
// push button) is its own window's accessible object. Answered at WM_GETOBJECT.

#include <cstdint>
#include <functional>

#include "ui/frmPrincipal.h"

namespace evalora::ui {

// Windows' types stay out of this header (their macros clash with the form's names): the handles
// are HWNDs, the result an LRESULT.
struct FuenteAccesible {
  frmPrincipal& forma;
  void* ventana;
  int ppp;                                 // the layout's DPI
  std::function<void*(int)> delSistema;  // the system control of a control's index; none: drawn
};

// Posted to the window when a reader asks for a drawn control's default action (wParam: the
// control's index): the click runs from the window's loop.
constexpr unsigned kMensajeAccionAccesible = 0x8000 + 7;  // WM_APP + 7

// The answer to WM_GETOBJECT with OBJID_CLIENT (LresultFromObject of a new object); 0 when it
// cannot be made.
intptr_t ResponderAccesible(const FuenteAccesible& fuente, uintptr_t w);

}  // namespace evalora::ui

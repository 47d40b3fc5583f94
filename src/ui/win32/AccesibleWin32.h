#pragma once
// What Microsoft Active Accessibility (and UI Automation through it: Narrator, NVDA) hears of the
// window: its client area as an IAccessible whose children are the step's controls in reading
// order (Formulario::OrdenAccesible). A control we draw is a simple child with its role, name,
// state, place and default action (the form's click); a system control (text box, check box,
// push button) is its own window's accessible object, as the form names it. Each new
// step raises an alert with its message. Answered at WM_GETOBJECT.

#include <cstdint>
#include <functional>
#include <string>

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

// Posted to the window when a new step is in view: once the program has written it, the window
// raises its alert (EVENT_SYSTEM_ALERT on OBJID_ALERT).
constexpr unsigned kMensajeAnunciarPaso = 0x8000 + 8;  // WM_APP + 8

// The answer to WM_GETOBJECT with OBJID_CLIENT (LresultFromObject of a new object); 0 when it
// cannot be made.
intptr_t ResponderAccesible(const FuenteAccesible& fuente, uintptr_t w);
// The answer to WM_GETOBJECT with OBJID_ALERT: the alert of the window, named by the message.
intptr_t ResponderAlerta(void* ventana, const std::string& mensaje, uintptr_t w);
// The answer of a system control (an HWND: text box, check box, push button) to WM_GETOBJECT
// with OBJID_CLIENT: the system's object for it with the form's name (a box's from its label,
// which is drawn: the system would find none), role and tick; 0 when the system's object cannot
// be made.
intptr_t ResponderDelSistema(void* control, const Control& c, const std::string& nombre, uintptr_t w);

}  // namespace evalora::ui

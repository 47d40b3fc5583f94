#pragma once
// The window that owns what the program opens on the screen: message boxes, the folder browser
// and what the shell starts. Owned by the main window, a box never opens behind another program
// nor leaves the wizard looking hung; before the main window is shown nothing owns them.

// HWND as windows.h declares it, without windows.h (whose macros would reach every includer).
struct HWND__;
typedef HWND__* HWND;

namespace evalora::win32 {

class VentanaDuena {
 public:
  void Usar(HWND ventana) { ventana_ = ventana; }
  // The main window while it is on the screen; none otherwise.
  HWND Ventana() const;

 private:
  HWND ventana_ = nullptr;
};

}  // namespace evalora::win32

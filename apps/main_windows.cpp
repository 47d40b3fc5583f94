// Entry point of every wizard kind in the Windows build: the services of this machine, the
// window drawn by Win32 (the owner of every box and of what the shell opens), the start-up, and
// the window's life. The kind and version come from the executable's own version resource.

#include "platform/windows/MensajesWin.h"
#include "platform/windows/PlataformaWindows.h"
#include "ui/Asistente.h"
#include "ui/win32/VentanaWin32.h"

int main() {
  using namespace evalora;
  PlataformaWindows plataforma;
  MensajesWin mensajes(&plataforma.Duena());
  const Plataforma servicios = plataforma.Servicios(mensajes);
  ui::Asistente asistente(servicios, servicios.ejecutable.Version());
  ui::VentanaWin32 ventana(asistente.Ventana());
  plataforma.Duena().Usar(static_cast<HWND>(ventana.Ventana()));
  asistente.Main();
  return ventana.Bucle();
}

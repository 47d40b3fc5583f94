// Entry point of every wizard kind in the Windows build: the services of this machine and the
// start-up's reading of the executable's own version. The window comes to this build later; until
// then the wizard says which one it is and ends.

#include "platform/windows/MensajesWin.h"
#include "platform/windows/PlataformaWindows.h"
#include "startup/TiposDeAsistente.h"

int main() {
  using namespace evalora;
  PlataformaWindows plataforma;
  MensajesWin mensajes;
  const Plataforma servicios = plataforma.Servicios(mensajes);
  EstadoDeEjecucion estado;
  EstablecerVersion(estado, servicios.ejecutable.Version());
  const std::string titulo = TituloDelAsistente(estado).value_or(kTituloDeDiseno);
  mensajes.Mostrar(titulo + "\r\n\r\nLa ventana de este asistente para Windows aún no está disponible en esta compilación.",
                   kMensajeInformacion, titulo + kSufijoDeCaption);
  return 0;
}

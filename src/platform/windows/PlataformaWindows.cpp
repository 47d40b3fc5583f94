#include "platform/windows/PlataformaWindows.h"

namespace evalora {

Plataforma PlataformaWindows::Servicios(Mensajes& mensajes) {
  return Plataforma{reloj_,    eventos_, mensajes, terminacion_, archivos_,   registro_, procesos_,  usuario_,
                    internet_, entorno_, shell_,   unidades_,    impresoras_, fuentes_,  ejecutable_, red_, odbc_};
}

}  // namespace evalora

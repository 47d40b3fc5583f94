#include "platform/linux/PlataformaLinux.h"

namespace evalora {

PlataformaLinux::PlataformaLinux(Prefijo prefijo, VersionDelEjecutable version)
    : prefijo_(std::move(prefijo)),
      archivos_(prefijo_.Raiz()),
      registro_(prefijo_.Raiz()),
      usuario_(prefijo_.Raiz()),
      shell_(prefijo_.Raiz(), archivos_, entorno_, usuario_),
      unidades_(prefijo_.Raiz(), registro_),
      ejecutable_(version) {}

Plataforma PlataformaLinux::Servicios(Mensajes& mensajes) {
  return Plataforma{reloj_,    eventos_, mensajes, terminacion_, archivos_,   registro_, procesos_,  usuario_,
                    internet_, entorno_, shell_,   unidades_,    impresoras_, fuentes_,  ejecutable_};
}

}  // namespace evalora

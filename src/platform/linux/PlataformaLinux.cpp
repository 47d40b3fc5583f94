#include "platform/linux/PlataformaLinux.h"

namespace evalora {

namespace {

EntornoLinux EntornoDe(const PremisasDeLaCorrida& premisas) {
  if (!premisas.variables) return EntornoLinux();
  return EntornoLinux(*premisas.variables, NombreDeUsuarioUnix());
}

}  // namespace

PlataformaLinux::PlataformaLinux(Prefijo prefijo, VersionDelEjecutable version, PremisasDeLaCorrida premisas)
    : prefijo_(std::move(prefijo)),
      archivos_(prefijo_.Raiz()),
      registro_(prefijo_.Raiz()),
      usuario_(prefijo_.Raiz()),
      internet_(premisas.esperaDeInternet),
      entorno_(EntornoDe(premisas)),
      shell_(prefijo_.Raiz(), archivos_, entorno_, premisas.usuario ? *premisas.usuario : usuario_),
      unidades_(prefijo_.Raiz(), registro_),
      ejecutable_(version) {}

}  // namespace evalora

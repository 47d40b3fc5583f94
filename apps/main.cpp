// Entry point of every wizard kind. Until the window exists, it reads its version through the
// platform layer and says which wizard it is.

#include <cstdio>

#include "core/EstadoDeEjecucion.h"
#include "platform/linux/VersionCompilada.h"
#include "startup/TiposDeAsistente.h"

namespace evalora {
extern const VersionDelEjecutable kVersionDelEjecutable;
}

int main() {
  using namespace evalora;
  const VersionCompilada ejecutable(kVersionDelEjecutable);
  const VersionDelEjecutable version = ejecutable.Version();
  EstadoDeEjecucion estado;
  EstablecerVersion(estado, version);
  const std::string titulo = TituloDelAsistente(estado).value_or(kTituloDeDiseno);
  std::printf("%s%s\ntipo %s, versión %u.%u.%u.%u\n", titulo.c_str(), kSufijoDeCaption, estado.TipoDeAsistente.c_str(),
              version.Mayor, version.Menor, version.Compilacion, version.Revision);
  return 0;
}

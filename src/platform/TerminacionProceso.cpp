#include "platform/TerminacionProceso.h"

#include <cstdio>
#include <cstdlib>

namespace evalora {

void TerminacionProceso::Terminar() {
  std::fflush(nullptr);
  std::_Exit(0);
}

}  // namespace evalora

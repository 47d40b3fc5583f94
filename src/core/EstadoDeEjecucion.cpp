#include "core/EstadoDeEjecucion.h"

#include <limits>

#include "core/Texto.h"

namespace evalora {

double EstadoDeEjecucion::TipoComoNumero() const {
  return ANumero(TipoDeAsistente).value_or(std::numeric_limits<double>::quiet_NaN());
}

}  // namespace evalora

#pragma once
#include "platform/Reloj.h"

namespace evalora {

// The machine's monotonic clock and real sleeps.
class RelojMonotono : public Reloj {
 public:
  uint32_t Milisegundos() override;
  void Dormir(uint32_t milisegundos) override;
  int64_t Ahora() override;
};

}  // namespace evalora

#pragma once
#include "platform/Reloj.h"

namespace evalora {

// The system's millisecond counter (GetTickCount) and Sleep.
class RelojWin : public Reloj {
 public:
  uint32_t Milisegundos() override;
  void Dormir(uint32_t milisegundos) override;
  int64_t Ahora() override;
};

}  // namespace evalora

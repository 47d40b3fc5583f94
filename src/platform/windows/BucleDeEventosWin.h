#pragma once
#include "platform/BucleDeEventos.h"
#include "platform/Reloj.h"

namespace evalora {

// Runs the thread's message queue; a call that comes within a few milliseconds of the previous
// one returns at once, so long work pays little for staying responsive.
class BucleDeEventosWin : public BucleDeEventos {
 public:
  explicit BucleDeEventosWin(Reloj& reloj) : reloj_(reloj) {}
  void Ceder() override;

 private:
  Reloj& reloj_;
  uint32_t ultimo_ = 0;
  bool primero_ = true;
};

}  // namespace evalora

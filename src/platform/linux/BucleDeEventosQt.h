#pragma once
#include "platform/BucleDeEventos.h"
#include "platform/Reloj.h"

namespace evalora {

// Runs Qt's event loop once, but at most once every `intervalo` milliseconds of the given clock,
// so work that yields very often (a download block by block) is not slowed down by it. Without
// a Qt application there is nothing to run.
class BucleDeEventosQt : public BucleDeEventos {
 public:
  explicit BucleDeEventosQt(Reloj& reloj, uint32_t intervalo = 5) : reloj_(reloj), intervalo_(intervalo) {}
  void Ceder() override;

 private:
  Reloj& reloj_;
  uint32_t intervalo_;
  bool primera_ = true;
  uint32_t ultima_ = 0;
};

}  // namespace evalora

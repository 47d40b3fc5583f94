#pragma once

namespace evalora {

// Lets the window process its pending events in the middle of long work, so it stays responsive
// and can be closed. Implementations may skip a call that comes too soon after the previous one.
class BucleDeEventos {
 public:
  virtual ~BucleDeEventos() = default;
  virtual void Ceder() = 0;
};

}  // namespace evalora

#pragma once

namespace evalora {

// Ends the program at once: no further events, no window. Production exits the process; tests
// observe the call.
class Terminacion {
 public:
  virtual ~Terminacion() = default;
  [[noreturn]] virtual void Terminar() = 0;
};

}  // namespace evalora

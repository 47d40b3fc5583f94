#pragma once
#include "platform/Terminacion.h"

namespace evalora {

// Ends the process at once, as the wizard's End does: output is flushed, nothing else runs.
class TerminacionProceso : public Terminacion {
 public:
  [[noreturn]] void Terminar() override;
};

}  // namespace evalora

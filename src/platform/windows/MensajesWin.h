#pragma once
#include "platform/Mensajes.h"

namespace evalora {

// MessageBox, owned by the active window of the program.
class MensajesWin : public Mensajes {
 public:
  void Mostrar(const std::string& texto, int estilo, const std::optional<std::string>& titulo) override;
};

}  // namespace evalora

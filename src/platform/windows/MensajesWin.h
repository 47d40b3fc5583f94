#pragma once
#include "platform/Mensajes.h"
#include "platform/windows/VentanaDuena.h"

namespace evalora {

// MessageBox, owned by the program's main window (none given: by no window).
class MensajesWin : public Mensajes {
 public:
  explicit MensajesWin(const win32::VentanaDuena* duena = nullptr) : duena_(duena) {}
  void Mostrar(const std::string& texto, int estilo, const std::optional<std::string>& titulo) override;

 private:
  const win32::VentanaDuena* duena_;
};

}  // namespace evalora

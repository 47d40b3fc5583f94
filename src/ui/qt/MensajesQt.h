#pragma once
// Message boxes of the window: one OK button, the information icon (64), the warning icon (48) or
// none (0); an empty title is an empty title, no title at all is the application's name.

#include <QMessageBox>
#include <memory>

#include "platform/Mensajes.h"

namespace evalora::ui {

std::unique_ptr<QMessageBox> CrearCajaDeMensaje(const std::string& texto, int estilo,
                                                const std::optional<std::string>& titulo, QWidget* dueno);

class MensajesQt : public Mensajes {
 public:
  explicit MensajesQt(QWidget* dueno = nullptr) : dueno_(dueno) {}
  void Mostrar(const std::string& texto, int estilo, const std::optional<std::string>& titulo) override;

 private:
  QWidget* dueno_;
};

}  // namespace evalora::ui

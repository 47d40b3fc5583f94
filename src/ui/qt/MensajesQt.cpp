#include "ui/qt/MensajesQt.h"

#include <QApplication>

namespace evalora::ui {

std::unique_ptr<QMessageBox> CrearCajaDeMensaje(const std::string& texto, int estilo,
                                                const std::optional<std::string>& titulo, QWidget* dueno) {
  auto caja = std::make_unique<QMessageBox>(dueno);
  caja->setText(QString::fromStdString(texto));
  caja->setIcon(estilo == kMensajeInformacion   ? QMessageBox::Information
                : estilo == kMensajeAdvertencia ? QMessageBox::Warning
                                                : QMessageBox::NoIcon);
  caja->setWindowTitle(titulo ? QString::fromStdString(*titulo) : QApplication::applicationName());
  caja->setStandardButtons(QMessageBox::Ok);
  return caja;
}

void MensajesQt::Mostrar(const std::string& texto, int estilo, const std::optional<std::string>& titulo) {
  CrearCajaDeMensaje(texto, estilo, titulo, dueno_)->exec();
}

}  // namespace evalora::ui

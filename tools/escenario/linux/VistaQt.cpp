// The Linux build's scenarios see the form through the Qt window, offscreen.
#include <QFontMetrics>
#include <QLabel>

#include "Escenario.h"
#include "ui/qt/VentanaQt.h"

namespace evalora::escenario {

std::unique_ptr<ui::Vista> CrearVista(ui::frmPrincipal& forma) { return std::make_unique<ui::VentanaQt>(forma); }

std::string TextosQueNoCaben(ui::Vista& vista) {
  std::string todas;
  for (const QLabel* etiqueta : static_cast<ui::VentanaQt&>(vista).findChildren<QLabel*>()) {
    if (!etiqueta->isVisibleTo(&static_cast<ui::VentanaQt&>(vista)) || etiqueta->text().isEmpty()) continue;
    const QRect caja = etiqueta->contentsRect();
    const int opciones = etiqueta->wordWrap() ? Qt::TextWordWrap : Qt::TextSingleLine;
    const QRect medida =
        QFontMetrics(etiqueta->font()).boundingRect(QRect(0, 0, caja.width(), 0), opciones, etiqueta->text());
    if (medida.width() > caja.width() || medida.height() > caja.height()) {
      todas += (todas.empty() ? "" : ", ") + etiqueta->objectName().toStdString() + " (" +
               std::to_string(medida.width()) + "x" + std::to_string(medida.height()) + " en " +
               std::to_string(caja.width()) + "x" + std::to_string(caja.height()) + ")";
    }
  }
  return todas;
}

}  // namespace evalora::escenario

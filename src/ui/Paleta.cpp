#include "ui/Paleta.h"

namespace evalora::ui {

Paleta CargaColores() {
  return Paleta{QColor(255, 255, 255), QColor(242, 242, 242), QColor(108, 171, 22), QColor(0, 79, 142),
                QColor(200, 50, 0),    QColor(69, 69, 69),    QColor(109, 125, 146)};
}

QRect RectanguloEnTwips(int izquierda, int arriba, int ancho, int alto) {
  return QRect(Pixeles(izquierda), Pixeles(arriba), Pixeles(ancho), Pixeles(alto));
}

}  // namespace evalora::ui

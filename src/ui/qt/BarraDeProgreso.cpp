#include "ui/qt/BarraDeProgreso.h"

#include <QPainter>

#include "core/Texto.h"

namespace evalora::ui {

BarraDeProgreso::BarraDeProgreso(QWidget* padre) : QWidget(padre) {
  // The picture, always the widget's size, covers all of it: what lies beneath is not painted.
  setAttribute(Qt::WA_OpaquePaintEvent);
  Limpiar();
}

void BarraDeProgreso::Colores(QColor fondo, QColor texto, QColor relleno) {
  if (fondo == fondo_ && texto == texto_ && relleno == relleno_) return;
  hechas_ = {};
  fondo_ = fondo;
  texto_ = texto;
  relleno_ = relleno;
  Limpiar();
}

void BarraDeProgreso::Limpiar() {
  const QSize tamano = size().expandedTo(QSize(1, 1));
  if (imagen_.size() != tamano) imagen_ = QImage(tamano, QImage::Format_RGB32);
  imagen_.fill(fondo_);
  update();
}

void BarraDeProgreso::resizeEvent(QResizeEvent*) {
  hechas_ = {};
  Limpiar();
}

void BarraDeProgreso::changeEvent(QEvent* evento) {
  if (evento->type() == QEvent::FontChange) hechas_ = {};
  QWidget::changeEvent(evento);
}

void BarraDeProgreso::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.drawImage(0, 0, imagen_);
}

void DibujarProgreso(BarraDeProgreso& barra, int32_t porcentaje) {
  if (porcentaje > 100) porcentaje = 100;
  QImage* hecha = porcentaje >= 0 ? &barra.hechas_[static_cast<size_t>(porcentaje)] : nullptr;
  if (hecha && !hecha->isNull() && hecha->size() == barra.size().expandedTo(QSize(1, 1))) {
    barra.imagen_ = *hecha;  // cleared and drawn again: the same picture
    barra.update();
    return;
  }
  barra.Limpiar();
  QImage& imagen = barra.imagen_;
  QPainter p(&imagen);
  // The picture is 100 units across.
  const double unidad = imagen.width() / 100.0;
  const QString texto = QString::fromStdString(FormatoAlmohadillas(porcentaje) + "%");
  p.setFont(barra.font());
  const QFontMetrics medidas(barra.font());
  const int ancho = medidas.horizontalAdvance(texto);
  const int x = imagen.width() - ancho;
  const int y = (imagen.height() - medidas.height()) / 2 + medidas.ascent();
  p.setPen(barra.texto_);
  p.drawText(x, y, texto);
  if (porcentaje > 0) {
    // The box in the pen's colour, not-xor: the background turns grey and the text light.
    p.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
    p.fillRect(QRectF(0, 0, porcentaje * unidad, imagen.height()), barra.texto_);
  }
  p.end();
  if (hecha) *hecha = imagen;
  barra.update();
}

}  // namespace evalora::ui

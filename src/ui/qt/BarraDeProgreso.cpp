#include "ui/qt/BarraDeProgreso.h"

#include <QPainter>

#include "core/Texto.h"

namespace evalora::ui {

BarraDeProgreso::BarraDeProgreso(QWidget* padre) : QWidget(padre) {
  // The picture, always the widget's size, covers all of it: what lies beneath is not painted.
  setAttribute(Qt::WA_OpaquePaintEvent);
  Limpiar();
}

void BarraDeProgreso::Olvidar() {
  hechas_ = {};
  vistos_.reset();
  mostrado_ = -1;
}

void BarraDeProgreso::Colores(QColor fondo, QColor texto, QColor relleno) {
  if (fondo == fondo_ && texto == texto_ && relleno == relleno_) return;
  Olvidar();
  fondo_ = fondo;
  texto_ = texto;
  relleno_ = relleno;
  Limpiar();
}

void BarraDeProgreso::Limpiar() {
  const QSize tamano = size().expandedTo(QSize(1, 1));
  // A picture shared with a kept one is replaced, not copied only to be cleared.
  if (imagen_.size() != tamano || !imagen_.isDetached()) imagen_ = QImage(tamano, QImage::Format_RGB32);
  imagen_.fill(fondo_);
  mostrado_ = -1;
  update();
}

void BarraDeProgreso::resizeEvent(QResizeEvent*) {
  Olvidar();
  Limpiar();
}

void BarraDeProgreso::changeEvent(QEvent* evento) {
  if (evento->type() == QEvent::FontChange) Olvidar();
  QWidget::changeEvent(evento);
}

void BarraDeProgreso::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.drawImage(0, 0, imagen_);
}

void DibujarProgreso(BarraDeProgreso& barra, int32_t porcentaje) {
  if (porcentaje > 100) porcentaje = 100;
  // Cleared and drawn again, a percentage is the same picture.
  const QSize tamano = barra.size().expandedTo(QSize(1, 1));
  if (porcentaje >= 0 && porcentaje == barra.mostrado_ && barra.imagen_.size() == tamano) {
    barra.update();
    return;
  }
  QImage* hecha = porcentaje >= 0 ? &barra.hechas_[static_cast<size_t>(porcentaje)] : nullptr;
  if (hecha && !hecha->isNull() && hecha->size() == tamano) {
    barra.imagen_ = *hecha;
    barra.mostrado_ = porcentaje;
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
  if (hecha) {
    if (barra.vistos_[static_cast<size_t>(porcentaje)]) *hecha = imagen;  // drawn again: kept from now on
    barra.vistos_.set(static_cast<size_t>(porcentaje));
    barra.mostrado_ = porcentaje;
  }
  barra.update();
}

}  // namespace evalora::ui

#include "ui/qt/BarraDeProgreso.h"

#include <QPainter>

#include "core/Texto.h"

namespace evalora::ui {

BarraDeProgreso::BarraDeProgreso(QWidget* padre) : QWidget(padre) { Limpiar(); }

void BarraDeProgreso::Colores(QColor fondo, QColor texto, QColor relleno) {
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

void BarraDeProgreso::resizeEvent(QResizeEvent*) { Limpiar(); }

void BarraDeProgreso::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.drawImage(0, 0, imagen_);
}

void DibujarProgreso(BarraDeProgreso& barra, int32_t porcentaje) {
  if (porcentaje > 100) porcentaje = 100;
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
  barra.update();
}

}  // namespace evalora::ui

#pragma once
// A progress bar drawn on a picture: the percentage printed flush right and centred, then a box
// from the left edge to the percentage drawn in not-xor over it, so the covered part of the
// text shows inverted.

#include <QColor>
#include <QEvent>
#include <QImage>
#include <QWidget>
#include <array>
#include <cstdint>

namespace evalora::ui {

class BarraDeProgreso : public QWidget {
 public:
  explicit BarraDeProgreso(QWidget* padre);

  // New colours clear the picture; the same ones leave it as it is.
  void Colores(QColor fondo, QColor texto, QColor relleno);
  // Clears the picture to its background.
  void Limpiar();
  const QImage& Imagen() const { return imagen_; }
  QColor ColorDeTexto() const { return texto_; }

  friend void DibujarProgreso(BarraDeProgreso& barra, int32_t porcentaje);

 protected:
  void paintEvent(QPaintEvent* evento) override;
  void resizeEvent(QResizeEvent* evento) override;
  void changeEvent(QEvent* evento) override;

 private:
  QImage imagen_;
  // The pictures of the percentages already drawn with the present colours, size and font: a
  // download redraws the same few pictures thousands of times.
  std::array<QImage, 101> hechas_;
  QColor fondo_{192, 192, 192};
  QColor texto_{69, 69, 69};
  QColor relleno_{109, 125, 146};
};

// Above 100 counts as 100; 0 prints "%" alone.
void DibujarProgreso(BarraDeProgreso& barra, int32_t porcentaje);

}  // namespace evalora::ui

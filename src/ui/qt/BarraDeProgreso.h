#pragma once
// A progress bar drawn on a picture: the percentage printed flush right and centred, then a box
// from the left edge to the percentage drawn in not-xor over it, so the covered part of the
// text shows inverted.

#include <QColor>
#include <QEvent>
#include <QImage>
#include <QWidget>
#include <array>
#include <bitset>
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
  // Forgets every picture drawn with the old colours, size or font.
  void Olvidar();

  QImage imagen_;
  // The percentage the picture shows, -1 when it shows none: a download redraws the same
  // percentage thousands of times.
  int32_t mostrado_ = -1;
  // The pictures of the percentages drawn more than once: a download of many files comes back to
  // the same few, while one large file passes each once and keeps none (every kept picture is
  // memory of its own, touched for the first time).
  std::array<QImage, 101> hechas_;
  std::bitset<101> vistos_;
  QColor fondo_{192, 192, 192};
  QColor texto_{69, 69, 69};
  QColor relleno_{109, 125, 146};
};

// Above 100 counts as 100; 0 prints "%" alone.
void DibujarProgreso(BarraDeProgreso& barra, int32_t porcentaje);

}  // namespace evalora::ui

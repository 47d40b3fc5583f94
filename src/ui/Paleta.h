#pragma once
// The window's colours and its unit of length.

#include <QColor>
#include <QRect>

namespace evalora::ui {

struct Paleta {
  QColor ColorFondo;
  QColor ColorBoton;
  QColor ColorAcento;
  QColor ColorAzul;
  QColor ColorRojo;
  QColor ColorGrisOscuro;
  QColor ColorRelleno;
};

// Fills the palette, as the window does when it loads.
Paleta CargaColores();

// The design's lengths are twips: 15 to a pixel.
constexpr int kTwipsPorPixel = 15;
constexpr int Pixeles(int twips) { return (twips + kTwipsPorPixel / 2) / kTwipsPorPixel; }
QRect RectanguloEnTwips(int izquierda, int arriba, int ancho, int alto);

}  // namespace evalora::ui

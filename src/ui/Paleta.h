#pragma once
// The window's colours.

#include "ui/Formulario.h"

namespace evalora::ui {

struct Paleta {
  Color ColorFondo;
  Color ColorBoton;
  Color ColorAcento;
  Color ColorAzul;
  Color ColorRojo;
  Color ColorGrisOscuro;
  Color ColorRelleno;
};

// Fills the palette, as the window does when it loads.
Paleta CargaColores();

}  // namespace evalora::ui

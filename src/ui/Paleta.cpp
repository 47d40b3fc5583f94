#include "ui/Paleta.h"

namespace evalora::ui {

Paleta CargaColores() {
  return Paleta{Color{255, 255, 255}, Color{242, 242, 242}, Color{108, 171, 22}, Color{0, 79, 142},
                Color{200, 50, 0},    Color{69, 69, 69},    Color{109, 125, 146}};
}

}  // namespace evalora::ui

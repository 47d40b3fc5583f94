#pragma once
// A flat button of the window: a caption label on a face, with a thin accent bar along the face's
// bottom edge that shows while the pointer is on the button. A click on any of the three parts is
// the button's click; the pointer on any of them is the button's hover.

#include <string>
#include <vector>

#include "ui/Formulario.h"
#include "ui/Paleta.h"

namespace evalora::ui {

class BotonPlano {
 public:
  // The three parts must be controls of `forma`, with the design's names.
  BotonPlano(Formulario& forma, std::string etiqueta, std::string cara, std::string barra, Color acento,
             const Paleta& paleta);

  // The pointer is on the button: caption in the accent colour, the face in the window's colour,
  // the bar shown.
  void Resaltar();
  // At rest: black caption, the face in the button colour, the bar hidden.
  void Reposar();
  bool Resaltado() const;

  void CambiarAcento(Color acento);
  void CambiarTexto(const std::string& texto);
  void Mostrar(bool visible);

  const std::string& Etiqueta() const { return etiqueta_; }
  const std::string& Cara() const { return cara_; }
  const std::string& Barra() const { return barra_; }

  // The places of the three parts for a face at `cara` (twips): the label over the face but for
  // the bar's 60 twips along its bottom.
  static Rect LugarDeLaEtiqueta(Rect cara);
  static Rect LugarDeLaBarra(Rect cara);

 private:
  Formulario& forma_;
  std::string etiqueta_, cara_, barra_;
  Color acento_;
  const Paleta& paleta_;
};

// The reset of a panel: when any of its buttons is highlighted, all of them go back to rest;
// otherwise nothing is repainted.
void ReposarBotones(const std::vector<BotonPlano*>& botones);

}  // namespace evalora::ui

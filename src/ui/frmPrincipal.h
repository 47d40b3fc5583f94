#pragma once
// The wizard's one window. Its load sets the palette and the fixed layout; the titles of the
// kind are written into it at start-up. The step panels are laid out below the band BarraMenu.

#include <QLabel>
#include <QWidget>

#include "core/EstadoDeEjecucion.h"
#include "startup/TiposDeAsistente.h"
#include "ui/Paleta.h"

namespace evalora::ui {

class frmPrincipal : public QWidget, public TitulosDeVentana {
 public:
  // Creating the window runs its load (Form_Load).
  explicit frmPrincipal(EstadoDeEjecucion& estado, QWidget* padre = nullptr);

  std::string TituloActual() const override;
  void EscribirTitulo(const std::string& titulo) override;
  void EscribirCaption(const std::string& caption) override;

  const Paleta& Colores() const { return paleta_; }
  QWidget* BarraMenu() const { return barraMenu_; }

  // The window's client area in twips: 11130 wide with the frame, 11040 inside it.
  static constexpr int kAnchoTwips = 11040;
  static constexpr int kAltoTwips = 4200 - 375 - 45;
  static constexpr int kAltoBarraMenuTwips = 495;

 private:
  void ConfiguraVentana();

  EstadoDeEjecucion& estado_;
  Paleta paleta_;
  QWidget* barraMenu_;
  QLabel* lblTitulo_;
};

}  // namespace evalora::ui

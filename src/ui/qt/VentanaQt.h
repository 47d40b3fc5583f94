#pragma once
// The form drawn by Qt Widgets: one widget per control, named as the control, placed at 15 twips
// a pixel; what the user does with them goes to the form's events.

#include <QWidget>
#include <optional>
#include <vector>

#include "ui/frmPrincipal.h"
#include "ui/qt/AccesibleQt.h"

namespace evalora::ui {

class VentanaQt : public QWidget, public Vista, public OrdenDeLectura {
 public:
  explicit VentanaQt(frmPrincipal& forma);
  ~VentanaQt() override;

  void Actualizar(int control) override;
  void Reordenar(int padre) override;
  void Enfocar(int control) override;
  void AnunciarPaso() override;
  void EscribirCaption(const std::string& caption) override;
  void Mostrar() override;
  void Ocultar() override;
  void Refrescar() override;
  bool Capturar(const std::string& archivo) override;

  // The widget of a control by its name; nothing when the form has none.
  QWidget* Widget(const std::string& nombre) const;
  std::vector<QWidget*> HijosEnOrden(const QWidget* padre) const override;

 protected:
  bool eventFilter(QObject* objeto, QEvent* evento) override;
  void closeEvent(QCloseEvent* evento) override;
  // Tab and Shift+Tab go along the form's order, never Qt's own.
  bool focusNextPrevChild(bool siguiente) override;
  void mouseMoveEvent(QMouseEvent* evento) override;

 private:
  QWidget* Crear(const Control& c, QWidget* padre);
  QFont LetraDe(const Control& c) const;

  frmPrincipal& forma_;
  std::vector<QWidget*> widgets_;  // by the control's index
  // What each progress bar shows, as last applied: a new percentage alone only redraws it.
  std::vector<std::optional<Control>> barras_;
  QObject* anuncio_ = nullptr;  // the alert a reader hears each step's message from
  bool anunciando_ = false;     // an announcement waits for the loop
};

}  // namespace evalora::ui

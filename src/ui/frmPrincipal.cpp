#include "ui/frmPrincipal.h"

namespace evalora::ui {

namespace {

void Fondo(QWidget* w, QColor color) {
  QPalette p = w->palette();
  p.setColor(QPalette::Window, color);
  w->setPalette(p);
  w->setAutoFillBackground(true);
}

}  // namespace

frmPrincipal::frmPrincipal(EstadoDeEjecucion& estado, QWidget* padre)
    : QWidget(padre),
      estado_(estado),
      barraMenu_(new QWidget(this)),
      lblTitulo_(new QLabel(QString::fromUtf8(kTituloDeDiseno), this)) {
  setObjectName("frmPrincipal");
  barraMenu_->setObjectName("BarraMenu");
  lblTitulo_->setObjectName("lblTitulo");
  lblTitulo_->hide();  // it holds the title; the caption bar shows it
  // Form_Load
  estado_.UsarVariante01TE = true;
  paleta_ = CargaColores();
  ConfiguraVentana();
}

void frmPrincipal::ConfiguraVentana() {
  setFixedSize(Pixeles(kAnchoTwips), Pixeles(kAltoTwips));
  Fondo(this, paleta_.ColorFondo);
  barraMenu_->setGeometry(0, 0, width(), Pixeles(kAltoBarraMenuTwips));
  Fondo(barraMenu_, paleta_.ColorAzul);
}

std::string frmPrincipal::TituloActual() const { return lblTitulo_->text().toStdString(); }

void frmPrincipal::EscribirTitulo(const std::string& titulo) { lblTitulo_->setText(QString::fromStdString(titulo)); }

void frmPrincipal::EscribirCaption(const std::string& caption) { setWindowTitle(QString::fromStdString(caption)); }

}  // namespace evalora::ui

#include "ui/BotonPlano.h"

#include <QEvent>
#include <QMouseEvent>

namespace evalora::ui {

BotonPlano::BotonPlano(QWidget* panel, const QString& etiqueta, const QString& cara, const QString& barra,
                       const QString& texto, QColor acento, const Paleta& paleta)
    : QObject(panel),
      paleta_(paleta),
      acento_(acento),
      cara_(new QWidget(panel)),
      etiqueta_(new QLabel(texto, panel)),
      barra_(new QWidget(panel)) {
  cara_->setObjectName(cara);
  etiqueta_->setObjectName(etiqueta);
  barra_->setObjectName(barra);
  etiqueta_->setAlignment(Qt::AlignCenter);
  etiqueta_->setAttribute(Qt::WA_TranslucentBackground);
  for (QWidget* parte : {cara_, static_cast<QWidget*>(etiqueta_), barra_}) {
    parte->setMouseTracking(true);
    parte->setCursor(Qt::PointingHandCursor);
    parte->installEventFilter(this);
  }
  cara_->lower();
  Pintar(barra_, acento_);
  Reposar();
}

void BotonPlano::Pintar(QWidget* parte, QColor color) {
  QPalette p = parte->palette();
  p.setColor(QPalette::Window, color);
  parte->setPalette(p);
  parte->setAutoFillBackground(true);
}

void BotonPlano::Colocar(int izquierda, int arriba, int ancho, int alto) {
  const QRect cara = RectanguloEnTwips(izquierda, arriba, ancho, alto);
  cara_->setGeometry(cara);
  etiqueta_->setGeometry(cara.adjusted(0, 0, 0, -Pixeles(60)));
  barra_->setGeometry(cara.left(), cara.bottom() + 1 - Pixeles(60), cara.width(), Pixeles(60));
  etiqueta_->raise();
  barra_->raise();
}

void BotonPlano::Resaltar() {
  QPalette p = etiqueta_->palette();
  p.setColor(QPalette::WindowText, acento_);
  etiqueta_->setPalette(p);
  Pintar(cara_, paleta_.ColorFondo);
  barra_->setVisible(true);
}

void BotonPlano::Reposar() {
  QPalette p = etiqueta_->palette();
  p.setColor(QPalette::WindowText, Qt::black);
  etiqueta_->setPalette(p);
  Pintar(cara_, paleta_.ColorBoton);
  barra_->setVisible(false);
}

bool BotonPlano::Resaltado() const { return !barra_->isHidden(); }

void BotonPlano::CambiarAcento(QColor acento) {
  acento_ = acento;
  Pintar(barra_, acento_);
  if (Resaltado()) Resaltar();
}

void BotonPlano::CambiarTexto(const QString& texto) { etiqueta_->setText(texto); }

void BotonPlano::Mostrar(bool visible) {
  cara_->setVisible(visible);
  etiqueta_->setVisible(visible);
  if (!visible) barra_->setVisible(false);
}

bool BotonPlano::eventFilter(QObject* objeto, QEvent* evento) {
  if (evento->type() == QEvent::MouseMove) {
    Resaltar();
    return true;  // the pointer is on the button, not on the panel behind it
  } else if (evento->type() == QEvent::MouseButtonRelease) {
    const auto* raton = static_cast<QMouseEvent*>(evento);
    const auto* parte = static_cast<QWidget*>(objeto);
    if (raton->button() == Qt::LeftButton && parte->rect().contains(raton->position().toPoint()) && alPulsar) {
      alPulsar();
    }
  }
  return QObject::eventFilter(objeto, evento);
}

void ReposarBotones(const std::vector<BotonPlano*>& botones) {
  bool alguno = false;
  for (const BotonPlano* b : botones) alguno = alguno || b->Resaltado();
  if (!alguno) return;
  for (BotonPlano* b : botones) b->Reposar();
}

}  // namespace evalora::ui

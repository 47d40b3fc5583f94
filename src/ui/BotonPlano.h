#pragma once
// A flat button of the window: a caption label on a face, with a thin accent bar along the face's
// bottom edge that shows while the pointer is on the button. A click on any of the three parts is
// the button's click; the pointer on any of them is the button's hover.

#include <QColor>
#include <QLabel>
#include <QObject>
#include <QString>
#include <QWidget>
#include <functional>
#include <vector>

#include "ui/Paleta.h"

namespace evalora::ui {

class BotonPlano : public QObject {
  Q_OBJECT

 public:
  // The three parts are created on `panel` with the design's names (their objectName).
  BotonPlano(QWidget* panel, const QString& etiqueta, const QString& cara, const QString& barra, const QString& texto,
             QColor acento, const Paleta& paleta);

  // The face's place in twips; the label is centred on it and the bar runs along its bottom (60 twips).
  void Colocar(int izquierda, int arriba, int ancho, int alto);

  // The pointer is on the button: caption in the accent colour, the face in the window's colour,
  // the bar shown.
  void Resaltar();
  // At rest: black caption, the face in the button colour, the bar hidden.
  void Reposar();
  bool Resaltado() const;

  void CambiarAcento(QColor acento);
  void CambiarTexto(const QString& texto);
  void Mostrar(bool visible);

  QLabel* Etiqueta() const { return etiqueta_; }
  QWidget* Cara() const { return cara_; }
  QWidget* Barra() const { return barra_; }

  // What a click does.
  std::function<void()> alPulsar;

 protected:
  bool eventFilter(QObject* objeto, QEvent* evento) override;

 private:
  void Pintar(QWidget* parte, QColor color);

  const Paleta& paleta_;
  QColor acento_;
  QWidget* cara_;
  QLabel* etiqueta_;
  QWidget* barra_;
};

// The reset of a panel: when any of its buttons is highlighted, all of them go back to rest;
// otherwise nothing is repainted.
void ReposarBotones(const std::vector<BotonPlano*>& botones);

}  // namespace evalora::ui

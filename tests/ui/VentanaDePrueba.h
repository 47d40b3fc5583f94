#pragma once
// A run of the wizard over a temporary prefix whose catalogue cannot be reached (refused at
// once), its form drawn by the Qt window offscreen.

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <memory>

#include "apoyo/PrefijoTemporal.h"
#include "platform/fakes/PlataformaDePrueba.h"
#include "ui/Asistente.h"
#include "ui/qt/VentanaQt.h"

namespace evalora::ui {

class VentanaDePrueba : public ::testing::Test {
 protected:
  void Crear(unsigned tipo) {
    qt.reset();
    asistente.reset();
    version = {2020, tipo, 0, 3};
    plataforma = std::make_unique<falsos::PlataformaDePrueba>(prefijo.Raiz(), version,
                                                              std::vector<std::string>{"EVALORA_CATALOGO=127.0.0.1:1"});
    asistente = std::make_unique<Asistente>(plataforma->Servicios(), version);
    qt = std::make_unique<VentanaQt>(asistente->Ventana());
    EstablecerVersion(Estado(), version);
  }
  EstadoDeEjecucion& Estado() { return asistente->Estado(); }
  frmPrincipal& Ventana() { return asistente->Ventana(); }
  QWidget* Widget(const char* control) { return qt->Widget(control); }
  bool Visible(const char* control) { return Widget(control)->isVisibleTo(qt.get()); }
  int LeftEnTwips(const char* control) { return Widget(control)->x() * kTwipsPorPixel; }
  // What the pointer does on a widget, as Qt delivers it.
  static void Raton(QWidget* w, QEvent::Type tipo, QPoint donde = QPoint(2, 2)) {
    QMouseEvent evento(tipo, QPointF(donde), w->mapToGlobal(QPointF(donde)),
                       tipo == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                       tipo == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &evento);
  }
  static QColor Fondo(QWidget* w) { return w->palette().color(QPalette::Window); }
  static QColor Tinta(QWidget* w) { return w->palette().color(QPalette::WindowText); }

  int argc = 1;
  char nombre[8] = "prueba";
  char* argv[2] = {nombre, nullptr};
  QApplication aplicacion{argc, argv};
  pruebas::PrefijoTemporal prefijo;
  VersionDelEjecutable version{};
  std::unique_ptr<falsos::PlataformaDePrueba> plataforma;
  std::unique_ptr<Asistente> asistente;
  std::unique_ptr<VentanaQt> qt;
};

}  // namespace evalora::ui

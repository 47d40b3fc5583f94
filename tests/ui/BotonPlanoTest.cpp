// The flat buttons in a real window, offscreen.
#include "ui/BotonPlano.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QPixmap>
#include <filesystem>

namespace evalora::ui {
namespace {

class BotonPlanoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    panel.setObjectName("picBienvenida");
    panel.resize(Pixeles(11040), Pixeles(3300));
    QPalette p = panel.palette();
    p.setColor(QPalette::Window, paleta.ColorFondo);
    panel.setPalette(p);
    panel.setAutoFillBackground(true);
    continuar.Colocar(8880, 2640, 1695, 435);
    examinar.Colocar(6960, 2640, 1695, 435);
    continuar.alPulsar = [this] { ++pulsaciones; };
    panel.show();
  }
  // Sends what the pointer does to a part of a button.
  static void Raton(QWidget* parte, QEvent::Type tipo, QPoint donde) {
    QMouseEvent evento(tipo, QPointF(donde), parte->mapToGlobal(QPointF(donde)), Qt::LeftButton,
                       tipo == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(parte, &evento);
  }
  static QColor Fondo(QWidget* w) { return w->palette().color(QPalette::Window); }
  static QColor Texto(QLabel* l) { return l->palette().color(QPalette::WindowText); }

  int argc = 1;
  char nombre[8] = "prueba";
  char* argv[2] = {nombre, nullptr};
  QApplication aplicacion{argc, argv};
  Paleta paleta = CargaColores();
  QWidget panel;
  BotonPlano continuar{&panel,
                       "PasoBienvenido_lblContinuar",
                       "picPasoBienvenido_lblContinuar",
                       "picInferiorPasoBienvenido_lblContinuar",
                       "Continuar",
                       paleta.ColorAcento,
                       paleta};
  BotonPlano examinar{
      &panel, "PasoSClblExaminar", "picPasoSClblExaminar", "picInferiorPasoSClblExaminar", "Examinar", paleta.ColorAzul,
      paleta};
  int pulsaciones = 0;
};

TEST_F(BotonPlanoTest, NombresYReposo) {
  EXPECT_EQ(panel.findChild<QLabel*>("PasoBienvenido_lblContinuar"), continuar.Etiqueta());
  EXPECT_EQ(panel.findChild<QWidget*>("picPasoBienvenido_lblContinuar"), continuar.Cara());
  EXPECT_EQ(panel.findChild<QWidget*>("picInferiorPasoBienvenido_lblContinuar"), continuar.Barra());
  EXPECT_EQ(continuar.Etiqueta()->text(), "Continuar");
  EXPECT_EQ(Fondo(continuar.Cara()), QColor(242, 242, 242));
  EXPECT_EQ(Texto(continuar.Etiqueta()), QColor(Qt::black));
  EXPECT_FALSE(continuar.Barra()->isVisible());
  // 60 twips along the bottom of the face.
  EXPECT_EQ(continuar.Barra()->height(), 4);
  EXPECT_EQ(continuar.Barra()->geometry().bottom(), continuar.Cara()->geometry().bottom());
  EXPECT_EQ(Fondo(continuar.Barra()), QColor(108, 171, 22));
}

TEST_F(BotonPlanoTest, ElPunteroEnCualquierParteResalta) {
  for (QWidget* parte : {continuar.Cara(), static_cast<QWidget*>(continuar.Etiqueta()), continuar.Barra()}) {
    continuar.Reposar();
    Raton(parte, QEvent::MouseMove, QPoint(2, 2));
    EXPECT_TRUE(continuar.Barra()->isVisible()) << parte->objectName().toStdString();
    EXPECT_EQ(Texto(continuar.Etiqueta()), QColor(108, 171, 22));
    EXPECT_EQ(Fondo(continuar.Cara()), QColor(255, 255, 255));
  }
  EXPECT_FALSE(examinar.Resaltado());
}

TEST_F(BotonPlanoTest, UnClicEnCualquierParte) {
  for (QWidget* parte : {continuar.Cara(), static_cast<QWidget*>(continuar.Etiqueta()), continuar.Barra()}) {
    Raton(parte, QEvent::MouseButtonPress, QPoint(1, 1));
    Raton(parte, QEvent::MouseButtonRelease, QPoint(1, 1));
  }
  EXPECT_EQ(pulsaciones, 3);
  // Released outside the part: no click.
  Raton(continuar.Cara(), QEvent::MouseButtonPress, QPoint(1, 1));
  Raton(continuar.Cara(), QEvent::MouseButtonRelease, QPoint(-5, -5));
  EXPECT_EQ(pulsaciones, 3);
}

TEST_F(BotonPlanoTest, ElPanelDevuelveSusBotonesAlReposo) {
  ReposarBotones({&continuar, &examinar});
  EXPECT_FALSE(continuar.Resaltado() || examinar.Resaltado());
  continuar.Resaltar();
  ReposarBotones({&continuar, &examinar});
  EXPECT_FALSE(continuar.Resaltado());
  EXPECT_EQ(Texto(continuar.Etiqueta()), QColor(Qt::black));
  EXPECT_EQ(Fondo(continuar.Cara()), QColor(242, 242, 242));
}

TEST_F(BotonPlanoTest, OtroAcentoYCaptura) {
  examinar.Resaltar();
  examinar.CambiarAcento(paleta.ColorRojo);
  EXPECT_EQ(Texto(examinar.Etiqueta()), QColor(200, 50, 0));
  EXPECT_EQ(Fondo(examinar.Barra()), QColor(200, 50, 0));
  continuar.Resaltar();
  examinar.Reposar();
  const QPixmap captura = panel.grab();
  EXPECT_EQ(captura.size(), panel.size());
  // The face of the highlighted button is the window's colour, the resting one keeps its own.
  const QImage imagen = captura.toImage();
  EXPECT_EQ(imagen.pixelColor(continuar.Cara()->geometry().topLeft() + QPoint(2, 2)), QColor(255, 255, 255));
  EXPECT_EQ(imagen.pixelColor(examinar.Cara()->geometry().topLeft() + QPoint(2, 2)), QColor(242, 242, 242));
  EXPECT_EQ(imagen.pixelColor(continuar.Barra()->geometry().center()), QColor(108, 171, 22));
  const auto carpeta = std::filesystem::path(EVALORA_CAPTURAS);
  std::filesystem::create_directories(carpeta);
  EXPECT_TRUE(captura.save(QString::fromStdString((carpeta / "botones-planos.png").string())));
}

}  // namespace
}  // namespace evalora::ui

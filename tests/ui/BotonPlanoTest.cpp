// The flat buttons of the window: their parts in the form and as the Qt window draws them.
#include "ui/BotonPlano.h"

#include <QPixmap>
#include <filesystem>

#include "VentanaDePrueba.h"

namespace evalora::ui {
namespace {

class BotonPlanoTest : public VentanaDePrueba {
 protected:
  void SetUp() override {
    Crear(2);
    Ventana().MuestraPaso("IndicaIdEV");
    qt->show();
  }
  // The database-ID step's two buttons: "Examinar..." and "Continuar".
  const char* panel = "picEstableceRutaALaBaseDeDatos";
  const char* examinar = "PasoIndicaID_cmdExaminar";
  const char* caraExaminar = "picPasoIndicaID_cmdExaminar";
  const char* barraExaminar = "picInferiorPasoIndicaID_cmdExaminar";
  const char* continuar = "PasoIndicaId_lblContinuar";
  const char* caraContinuar = "picPasoIndicaId_lblContinuar";
  const char* barraContinuar = "picInferiorPasoIndicaId_lblContinuar";
};

TEST_F(BotonPlanoTest, PartesYReposo) {
  EXPECT_EQ(Ventana().Texto(continuar), "Continuar");
  EXPECT_EQ(Ventana().FondoEfectivo(caraContinuar), (Color{242, 242, 242}));
  EXPECT_EQ(Fondo(Widget(caraContinuar)), QColor(242, 242, 242));
  EXPECT_EQ(Tinta(Widget(continuar)), QColor(Qt::black));
  EXPECT_FALSE(Visible(barraContinuar));
  // 60 twips along the bottom of the face, over it; the label above the face too.
  EXPECT_EQ(Widget(barraContinuar)->height(), 4);
  EXPECT_EQ(Widget(barraContinuar)->geometry().bottom(), Widget(caraContinuar)->geometry().bottom());
  EXPECT_EQ(Fondo(Widget(barraContinuar)), QColor(108, 171, 22));
  EXPECT_EQ(Widget(continuar)->geometry().top(), Widget(caraContinuar)->geometry().top());
  const auto hijos = Widget(panel)->children();
  EXPECT_GT(hijos.indexOf(Widget(continuar)), hijos.indexOf(Widget(caraContinuar)));
  EXPECT_GT(hijos.indexOf(Widget(barraContinuar)), hijos.indexOf(Widget(caraContinuar)));
}

TEST_F(BotonPlanoTest, ElPunteroEnCualquierParteResaltaYElPanelLoDevuelve) {
  for (const char* parte : {caraContinuar, continuar, barraContinuar}) {
    Ventana().Raton(panel);
    Raton(Widget(parte), QEvent::MouseMove);
    EXPECT_TRUE(Visible(barraContinuar)) << parte;
    EXPECT_EQ(Tinta(Widget(continuar)), QColor(108, 171, 22));
    EXPECT_EQ(Fondo(Widget(caraContinuar)), QColor(255, 255, 255));
    EXPECT_FALSE(Visible(barraExaminar));
  }
  // The panel's own move puts every button of it back at rest.
  Raton(Widget(panel), QEvent::MouseMove);
  EXPECT_FALSE(Visible(barraContinuar));
  EXPECT_EQ(Tinta(Widget(continuar)), QColor(Qt::black));
  EXPECT_EQ(Fondo(Widget(caraContinuar)), QColor(242, 242, 242));
}

TEST_F(BotonPlanoTest, UnClicEnCualquierParte) {
  // "Continuar" without an ID: its message each time.
  for (const char* parte : {caraContinuar, continuar, barraContinuar}) {
    Ventana().Raton(parte);  // the bar shows only under the pointer
    Raton(Widget(parte), QEvent::MouseButtonPress, QPoint(1, 1));
    Raton(Widget(parte), QEvent::MouseButtonRelease, QPoint(1, 1));
  }
  EXPECT_EQ(plataforma->mensajes.mostrados.size(), 3u);
  // Released outside the part: no click.
  Raton(Widget(caraContinuar), QEvent::MouseButtonPress, QPoint(1, 1));
  Raton(Widget(caraContinuar), QEvent::MouseButtonRelease, QPoint(-5, -5));
  EXPECT_EQ(plataforma->mensajes.mostrados.size(), 3u);
}

TEST_F(BotonPlanoTest, ElPunteroDelFormularioPorLugar) {
  // What the Win32 window asks the form: the control under a point of the client area.
  const Formulario::Pixeles cara = Ventana().LugarEnPixeles(Ventana().Indice(caraExaminar));
  const Formulario::Pixeles etiqueta = Ventana().LugarEnPixeles(Ventana().Indice(examinar));
  EXPECT_EQ(Ventana().Controles()[Ventana().ControlEn(etiqueta.x + 5, etiqueta.y + 5)].nombre, examinar);
  EXPECT_EQ(Ventana().Controles()[Ventana().ControlEn(cara.x + 2, cara.y + cara.alto - 2)].nombre, caraExaminar);
  Ventana().Raton(examinar);  // the bar shows: it is on top of the face's bottom
  EXPECT_EQ(Ventana().Controles()[Ventana().ControlEn(cara.x + 2, cara.y + cara.alto - 2)].nombre, barraExaminar);
  // The text box takes the pointer; the menu band does not, the form does.
  const auto caja = Ventana().LugarEnPixeles(Ventana().Indice("PasoIndicaId_txtPathBD"));
  EXPECT_EQ(Ventana().Controles()[Ventana().ControlEn(caja.x + 3, caja.y + 3)].nombre, "PasoIndicaId_txtPathBD");
  EXPECT_EQ(Ventana().ControlEn(10, 10), -1);
  EXPECT_EQ(Ventana().Controles()[Ventana().ControlEn(10, 200)].nombre, panel);
}

TEST_F(BotonPlanoTest, OtroAcentoYCaptura) {
  const auto* boton = Ventana().Buscar(examinar);
  ASSERT_NE(boton, nullptr);
  Ventana().Raton(examinar);
  EXPECT_EQ(Tinta(Widget(examinar)), QColor(0, 79, 142));
  EXPECT_EQ(Fondo(Widget(barraExaminar)), QColor(0, 79, 142));
  Ventana().Raton(panel);
  Ventana().Raton(continuar);
  const QPixmap captura = qt->grab();
  // The face of the highlighted button is the window's colour, the resting one keeps its own.
  const QImage imagen = captura.toImage();
  auto enLaVentana = [this](const char* control) { return Widget(control)->mapTo(qt.get(), QPoint(2, 2)); };
  EXPECT_EQ(imagen.pixelColor(enLaVentana(caraContinuar)), QColor(255, 255, 255));
  EXPECT_EQ(imagen.pixelColor(enLaVentana(caraExaminar)), QColor(242, 242, 242));
  EXPECT_EQ(imagen.pixelColor(enLaVentana(barraContinuar)), QColor(108, 171, 22));
  const auto carpeta = std::filesystem::path(EVALORA_CAPTURAS);
  std::filesystem::create_directories(carpeta);
  EXPECT_TRUE(captura.save(QString::fromStdString((carpeta / "botones-planos.png").string())));
}

}  // namespace
}  // namespace evalora::ui

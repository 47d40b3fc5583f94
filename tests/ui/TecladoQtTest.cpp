// The Qt window by the keyboard and as a screen reader hears it: Tab, Shift+Tab, Enter and Space
// sent to its widgets as Qt delivers keys, and the accessible interfaces Qt gives a reader (role,
// name, value, the press action).
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QTest>

#include "VentanaDePrueba.h"

namespace evalora::ui {
namespace {

using TecladoQtTest = VentanaDePrueba;

// The widget that has Qt's focus, by its control's name.
std::string ConFoco(VentanaQt& qt) {
  QWidget* w = qt.focusWidget();
  return w ? w->objectName().toStdString() : "";
}

TEST_F(TecladoQtTest, TabEnterYEspacioPorLosWidgetsDeLaVentana) {
  Crear(6);
  qt->show();
  qt->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(qt.get()));
  Ventana().MuestraPaso("SolicitaSuite");
  QWidget* primera = Widget("PasoSuitechkOffice2010");
  primera->setFocus();  // as a click on it would
  EXPECT_EQ(Ventana().Foco(), "PasoSuitechkOffice2010");
  QTest::keyClick(primera, Qt::Key_Tab);
  EXPECT_EQ(Ventana().Foco(), "PasoSuitechkAdobeCS6");  // the form's order: the line to the right
  EXPECT_EQ(ConFoco(*qt), "PasoSuitechkAdobeCS6");
  QTest::keyClick(Widget("PasoSuitechkAdobeCS6"), Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(Ventana().Foco(), "PasoSuitechkOffice2010");
  QTest::keyClick(primera, Qt::Key_Space);
  EXPECT_TRUE(Ventana().Marcado("PasoSuitechkOffice2010"));
  QTest::keyClick(primera, Qt::Key_Return);  // Enter on a check box is its click too
  EXPECT_FALSE(Ventana().Marcado("PasoSuitechkOffice2010"));
  // Shift+Tab from the first wraps to the last: the flat button, in its hover look; Enter on it.
  QTest::keyClick(primera, Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(Ventana().Foco(), "PasoSuitelblContinuar");
  EXPECT_EQ(Tinta(Widget("PasoSuitelblContinuar")), QColor(108, 171, 22));
  EXPECT_TRUE(Visible("picInferiorPasoSuitelblContinuar"));
  QTest::keyClick(Widget("PasoSuitelblContinuar"), Qt::Key_Return);
  EXPECT_EQ(plataforma->mensajes.mostrados.size(), 1u);  // no suite ticked: the step's message, as a click gives it
  // Hidden steps' controls never take Qt's focus either.
  EXPECT_EQ(Widget("PasoBienvenido_lblContinuar")->focusPolicy(), Qt::StrongFocus);
  EXPECT_EQ(Widget("picPasoSuitelblContinuar")->focusPolicy(), Qt::NoFocus);
}

TEST_F(TecladoQtTest, LoQueOyeUnLectorDePantalla) {
  Crear(6);
  Ventana().MuestraPaso("SolicitaCarpeta");
  auto interfaz = [&](const char* control) { return QAccessible::queryAccessibleInterface(Widget(control)); };
  QAccessibleInterface* continuar = interfaz("PasoSC_lblContinuar");
  ASSERT_NE(continuar, nullptr);
  EXPECT_EQ(continuar->role(), QAccessible::Button);
  EXPECT_EQ(continuar->text(QAccessible::Name), "Continuar");
  ASSERT_NE(continuar->actionInterface(), nullptr);
  EXPECT_TRUE(continuar->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
  QAccessibleInterface* regresar = interfaz("PicSCRegresar");
  EXPECT_EQ(regresar->role(), QAccessible::Button);
  EXPECT_EQ(regresar->text(QAccessible::Name), "Regresar");  // a picture: what it does
  EXPECT_EQ(interfaz("PasoSClblInstrucciones")->role(), QAccessible::StaticText);
  EXPECT_EQ(interfaz("PasoSCtxtCarpetaDeDescarga")->role(), QAccessible::EditableText);
  // A caption that changes is heard as it is now.
  Ventana().PonerTexto("PasoSClblExaminar", "Examinar otra vez");
  EXPECT_EQ(interfaz("PasoSClblExaminar")->text(QAccessible::Name), "Examinar otra vez");
  // The press a reader asks for is the button's click.
  Ventana().MuestraPaso("SolicitaSuite");
  interfaz("PasoSuitelblContinuar")->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_EQ(plataforma->mensajes.mostrados.size(), 1u);
  // A progress bar, with its value.
  Ventana().PonerPorcentaje("picProgresoPorArchivo", 42);
  QAccessibleInterface* barra = interfaz("picProgresoPorArchivo");
  EXPECT_EQ(barra->role(), QAccessible::ProgressBar);
  ASSERT_NE(barra->valueInterface(), nullptr);
  EXPECT_EQ(barra->valueInterface()->currentValue().toInt(), 42);
}

}  // namespace
}  // namespace evalora::ui

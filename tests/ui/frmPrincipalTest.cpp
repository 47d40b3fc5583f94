// The window as it loads and receives its titles, offscreen; and its message boxes.
#include "ui/frmPrincipal.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <filesystem>

#include "ui/MensajesQt.h"

namespace evalora::ui {
namespace {

class frmPrincipalTest : public ::testing::Test {
 protected:
  int argc = 1;
  char nombre[8] = "prueba";
  char* argv[2] = {nombre, nullptr};
  QApplication aplicacion{argc, argv};
};

TEST_F(frmPrincipalTest, CargaYTitulos) {
  EstadoDeEjecucion estado;
  estado.UsarVariante01TE = false;
  EstablecerVersion(estado, {2020, 6, 0, 3});
  frmPrincipal ventana(estado);
  EXPECT_TRUE(estado.UsarVariante01TE);  // set when the window loads
  EXPECT_EQ(ventana.size(), QSize(736, 252));
  EXPECT_EQ(ventana.minimumSize(), ventana.maximumSize());  // a fixed frame
  EXPECT_EQ(ventana.BarraMenu()->geometry(), QRect(0, 0, 736, 33));
  EXPECT_EQ(ventana.BarraMenu()->palette().color(QPalette::Window), QColor(0, 79, 142));
  EXPECT_EQ(ventana.TituloActual(), "Asistente de Descarga");
  EstablecerTitulos(estado, ventana, nullptr);
  EXPECT_EQ(ventana.TituloActual(), "Asistente para la descarga del material didáctico de Evalora 2020 Cloud");
  EXPECT_EQ(ventana.windowTitle().toStdString(),
            "Asistente para la descarga del material didáctico de Evalora 2020 Cloud (Compilación 6)");
  EXPECT_FALSE(ventana.findChild<QLabel*>("lblTitulo")->isVisible());
  ventana.show();
  const auto carpeta = std::filesystem::path(EVALORA_CAPTURAS);
  std::filesystem::create_directories(carpeta);
  EXPECT_TRUE(ventana.grab().save(QString::fromStdString((carpeta / "ventana-vacia.png").string())));
}

TEST_F(frmPrincipalTest, CajasDeMensaje) {
  QApplication::setApplicationName("Asistente Evalora");
  auto info =
      CrearCajaDeMensaje("El Sistema Evalora ya se está ejecutándo.", kMensajeInformacion, std::string(), nullptr);
  EXPECT_EQ(info->icon(), QMessageBox::Information);
  EXPECT_EQ(info->windowTitle(), "");
  EXPECT_EQ(info->text().toStdString(), "El Sistema Evalora ya se está ejecutándo.");
  EXPECT_EQ(info->standardButtons(), QMessageBox::Ok);
  EXPECT_EQ(CrearCajaDeMensaje("x", kMensajeAdvertencia, std::string("Evalora"), nullptr)->icon(),
            QMessageBox::Warning);
  auto sinTitulo =
      CrearCajaDeMensaje("No se encontraron archivos para descargar.", kMensajeSinIcono, std::nullopt, nullptr);
  EXPECT_EQ(sinTitulo->icon(), QMessageBox::NoIcon);
  EXPECT_EQ(sinTitulo->windowTitle(), "Asistente Evalora");
}

}  // namespace
}  // namespace evalora::ui

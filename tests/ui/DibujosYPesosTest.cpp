// Sizes as the wizard writes them, and the progress bars as it draws them.
#include <gtest/gtest.h>

#include <QApplication>
#include <vector>

#include "apoyo/PrefijoTemporal.h"
#include "platform/linux/RegistroWine.h"
#include "ui/FormateaPeso.h"
#include "ui/qt/BarraDeProgreso.h"

namespace evalora::ui {
namespace {

TEST(FormateaPesoTest, UnidadesYRedondeo) {
  EXPECT_EQ(FormateaPeso(0, 2, "."), "0 bytes");
  EXPECT_EQ(FormateaPeso(1024, 2, "."), "1024 bytes");  // exactly 1024 stays in its unit
  EXPECT_EQ(FormateaPeso(1025, 2, "."), "1 KB");
  EXPECT_EQ(FormateaPeso(1536, kRedondeoEntero, "."), "2 KB");
  EXPECT_EQ(FormateaPeso(2560, kRedondeoEntero, "."), "2 KB");  // 2.5 to even
  EXPECT_EQ(FormateaPeso(1536, 2, ","), "1,5 KB");
  EXPECT_EQ(FormateaPeso(1288490189, 2, ","), "1,2 GB");
  EXPECT_EQ(FormateaPeso(1610612736, kRedondeoEntero, "."), "2 GB");
  EXPECT_EQ(FormateaPeso(3147776, kRedondeoEntero, "."), "3 MB");
  EXPECT_EQ(FormateaPeso(5.0 * 1024 * 1024 * 1024 * 1024, kRedondeoEntero, "."), "5120 GB");  // GB is the last unit
}

TEST(FormateaPesoTest, SeparadorDeLaConfiguracionRegional) {
  pruebas::PrefijoTemporal prefijo;
  RegistroWine registro(prefijo.Raiz());
  EXPECT_EQ(SeparadorDecimal(registro), ".");
  ASSERT_EQ(registro.CrearClave(win::HKEY_CURRENT_USER, "Control Panel\\International"), win::kExito);
  ASSERT_EQ(
      registro.EstablecerValor(win::HKEY_CURRENT_USER, "Control Panel\\International", "sDecimal", DatoDeTexto(",")),
      win::kExito);
  EXPECT_EQ(SeparadorDecimal(registro), ",");
}

class BarraDeProgresoTest : public ::testing::Test {
 protected:
  // How many pixels of a column differ from the background.
  int Cambiados(int x) {
    int n = 0;
    for (int y = 0; y < barra.Imagen().height(); ++y) n += barra.Imagen().pixelColor(x, y) != QColor(192, 192, 192);
    return n;
  }
  int argc = 1;
  char nombre[8] = "prueba";
  char* argv[2] = {nombre, nullptr};
  QApplication aplicacion{argc, argv};
  QWidget padre;
  BarraDeProgreso barra{&padre};
};

TEST_F(BarraDeProgresoTest, TextoAlaDerechaYCajaInvertida) {
  barra.resize(400, 23);
  barra.Colores(QColor(192, 192, 192), QColor(69, 69, 69), QColor(109, 125, 146));
  DibujarProgreso(barra, 0);
  EXPECT_EQ(Cambiados(10), 0);   // no box: the left stays as it was
  EXPECT_GT(Cambiados(395), 0);  // "%" printed flush right
  DibujarProgreso(barra, 50);
  EXPECT_EQ(Cambiados(10), 23);  // the box covers the left half top to bottom
  EXPECT_EQ(Cambiados(250), 0);  // and nothing beyond it but the text
  const QColor caja = barra.Imagen().pixelColor(10, 10);
  EXPECT_NE(caja, QColor(69, 69, 69));  // not-xor: neither the pen nor the background
  DibujarProgreso(barra, 250);          // counts as 100: the whole picture is inverted
  for (int x : {0, 200, 399}) EXPECT_EQ(Cambiados(x), 23) << x;
}

// A percentage drawn again is the same picture; after new colours, size or font, a new one.
TEST_F(BarraDeProgresoTest, LoDibujadoSeRepiteSoloSiNadaCambio) {
  barra.resize(400, 23);
  barra.Colores(QColor(192, 192, 192), QColor(69, 69, 69), QColor(109, 125, 146));
  DibujarProgreso(barra, 50);
  const QImage primera = barra.Imagen().copy();
  DibujarProgreso(barra, 7);
  DibujarProgreso(barra, 50);
  EXPECT_EQ(barra.Imagen(), primera);
  barra.Colores(QColor(192, 192, 192), QColor(0, 0, 160), QColor(109, 125, 146));
  DibujarProgreso(barra, 50);
  EXPECT_NE(barra.Imagen().pixelColor(10, 10), primera.pixelColor(10, 10));
  barra.Colores(QColor(192, 192, 192), QColor(69, 69, 69), QColor(109, 125, 146));
  barra.resize(200, 23);
  DibujarProgreso(barra, 50);
  EXPECT_EQ(barra.Imagen().width(), 200);
  EXPECT_EQ(Cambiados(90), 23);
  EXPECT_EQ(Cambiados(150), 0);
  const QImage estrecha = barra.Imagen().copy();
  QFont grande = barra.font();
  grande.setPointSize(grande.pointSize() * 2);
  barra.setFont(grande);
  DibujarProgreso(barra, 50);
  EXPECT_NE(barra.Imagen(), estrecha);  // the text is larger
}

// A download passes through percentages once (one large file) or comes back to them (many
// files): either way each picture is the percentage's own, and a cleared bar is drawn again.
TEST_F(BarraDeProgresoTest, CadaPorcentajeEsSuPropioDibujoVayaYVuelva) {
  barra.resize(400, 23);
  barra.Colores(QColor(192, 192, 192), QColor(69, 69, 69), QColor(109, 125, 146));
  std::vector<QImage> primeras;
  for (int p = 0; p <= 100; ++p) {
    DibujarProgreso(barra, p);
    DibujarProgreso(barra, p);
    primeras.push_back(barra.Imagen().copy());
  }
  EXPECT_NE(primeras[7], primeras[8]);
  for (int vuelta = 0; vuelta < 3; ++vuelta) {
    for (int p : {50, 7, 50, 8, 100, 7, 0}) {
      DibujarProgreso(barra, p);
      EXPECT_EQ(barra.Imagen(), primeras[static_cast<size_t>(p)]) << vuelta << " " << p;
    }
  }
  barra.Limpiar();
  EXPECT_EQ(Cambiados(10), 0);
  DibujarProgreso(barra, 0);  // the percentage it showed before it was cleared
  EXPECT_EQ(barra.Imagen(), primeras[0]);
  DibujarProgreso(barra, 50);
  barra.Limpiar();
  DibujarProgreso(barra, 50);
  EXPECT_EQ(barra.Imagen(), primeras[50]);
}

}  // namespace
}  // namespace evalora::ui

// The Win32 window's screenshots are PNG written without a library: Qt's reader must read them back
// pixel for pixel, also when the image needs more than one stored block.
#include "ui/Png.h"

#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>

#include "apoyo/PrefijoTemporal.h"

namespace evalora::ui {
namespace {

TEST(PngTest, QtLeeCadaPixel) {
  for (const auto& [ancho, alto] : {std::pair{3, 2}, std::pair{300, 100}}) {  // 90,100 bytes: two blocks
    std::vector<uint32_t> pixeles(static_cast<size_t>(ancho) * alto);
    for (size_t i = 0; i < pixeles.size(); ++i) pixeles[i] = static_cast<uint32_t>(i * 2654435761u) & 0xFFFFFFu;
    const auto png = CodificarPng(ancho, alto, pixeles);
    QImage imagen;
    ASSERT_TRUE(imagen.loadFromData(png.data(), static_cast<int>(png.size()), "PNG")) << ancho;
    ASSERT_EQ(imagen.width(), ancho);
    ASSERT_EQ(imagen.height(), alto);
    for (int y = 0; y < alto; ++y) {
      for (int x = 0; x < ancho; ++x) {
        ASSERT_EQ(imagen.pixel(x, y) & 0xFFFFFFu, pixeles[static_cast<size_t>(y) * ancho + x]) << x << "," << y;
      }
    }
  }
}

TEST(PngTest, ArchivoYMedidasQueNoSirven) {
  pruebas::PrefijoTemporal carpeta;
  const auto archivo = (carpeta.Raiz() / "captura.png").string();
  EXPECT_TRUE(EscribirPng(archivo, 2, 1, {0xFF0000u, 0x00FF00u}));
  EXPECT_TRUE(QImage(QString::fromStdString(archivo)).pixel(1, 0) == 0xFF00FF00u);
  EXPECT_FALSE(EscribirPng(archivo, 0, 1, {}));
  EXPECT_FALSE(EscribirPng(archivo, 2, 2, {1, 2, 3}));  // fewer pixels than the size says
  EXPECT_FALSE(EscribirPng((carpeta.Raiz() / "no" / "hay" / "carpeta.png").string(), 1, 1, {0}));
}

}  // namespace
}  // namespace evalora::ui

// The product's folder browser: Qt's folder dialog, answered here as a user would.
#include "ui/qt/ExploradorQt.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QTimer>

#include "apoyo/PrefijoTemporal.h"
#include "platform/Shell.h"
#include "platform/linux/Prefijo.h"

namespace evalora::ui {
namespace {

class ExploradorQtTest : public ::testing::Test {
 protected:
  // The next dialog that opens: go to `carpeta` and accept, or cancel when it is empty. (The
  // browser lets pending events run before it opens, so the answer waits for the dialog.)
  void Responder(const std::filesystem::path& carpeta) {
    QTimer::singleShot(0, [this, carpeta] {
      auto* dialogo = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      if (!dialogo) return Responder(carpeta);
      if (carpeta.empty()) return dialogo->reject();
      dialogo->setDirectory(QString::fromStdString(carpeta.string()));
      QMetaObject::invokeMethod(dialogo, "accept");
    });
  }
  int argc = 1;
  char nombre[8] = "prueba";
  char* argv[2] = {nombre, nullptr};
  QApplication aplicacion{argc, argv};
  pruebas::PrefijoTemporal temporal;
  Prefijo prefijo{temporal.Raiz()};
};

TEST_F(ExploradorQtTest, RutaDeWindowsCancelarYCarpetaSinUnidad) {
  ASSERT_TRUE(prefijo.Preparar());
  const auto escuela = temporal.Raiz() / "drive_c" / "Escuela";
  std::filesystem::create_directories(escuela);
  ExploradorQt explorador(nullptr, temporal.Raiz() / "drive_c",
                          [this](const std::filesystem::path& ruta) { return prefijo.RutaWindows(ruta); });
  Responder(escuela);
  EXPECT_EQ(explorador.ExaminarCarpeta("Selecciona la carpeta en donde deseas colocar la descarga"), "C:\\Escuela");
  Responder(temporal.Raiz() / "drive_c");
  EXPECT_EQ(explorador.ExaminarCarpeta("x"), "C:\\");
  Responder({});
  EXPECT_EQ(explorador.ExaminarCarpeta("x"), "");
  // A folder that no drive of the machine reaches has no path the wizard can use.
  std::filesystem::remove(temporal.Raiz() / "dosdevices" / "z:");
  Responder(temporal.Raiz());
  EXPECT_EQ(explorador.ExaminarCarpeta("x"), kCarpetaNoValida);
}

}  // namespace
}  // namespace evalora::ui

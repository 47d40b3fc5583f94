// Entry point of every wizard kind: the services of this machine, the window, the start-up, and
// the window's life.

#include <QApplication>
#include <iostream>

#include "platform/linux/PlataformaLinux.h"
#include "ui/Asistente.h"
#include "ui/qt/ExploradorQt.h"
#include "ui/qt/MensajesQt.h"
#include "ui/qt/VentanaQt.h"

namespace evalora {
extern const VersionDelEjecutable kVersionDelEjecutable;
}

int main(int argc, char** argv) {
  using namespace evalora;
  QApplication aplicacion(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Evalora"));
  const Prefijo prefijo = Prefijo::DelEntorno();
  ui::MensajesQt mensajes;
  // A machine always has its drive C:; without one the wizard can do nothing.
  if (std::string motivo; !prefijo.Preparar(&motivo)) {
    std::cerr << motivo << "\n";
    mensajes.Mostrar(motivo, kMensajeAdvertencia, std::string());
    return 1;
  }
  PlataformaLinux plataforma(prefijo, kVersionDelEjecutable);
  ui::ExploradorQt explorador(nullptr, prefijo.Raiz() / "drive_c",
                              [&prefijo](const std::filesystem::path& ruta) { return prefijo.RutaWindows(ruta); });
  plataforma.Shell().UsarExplorador(
      [&explorador](const std::string& titulo) { return explorador.ExaminarCarpeta(titulo); });
  ui::Asistente asistente(plataforma.Servicios(mensajes), kVersionDelEjecutable);
  ui::VentanaQt ventana(asistente.Ventana());
  asistente.Main();
  return aplicacion.exec();
}

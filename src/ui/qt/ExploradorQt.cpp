#include "ui/qt/ExploradorQt.h"

#include <QCoreApplication>
#include <QFileDialog>

#include "platform/Shell.h"

namespace evalora::ui {

std::string ExploradorQt::ExaminarCarpeta(const std::string& titulo) {
  QCoreApplication::processEvents();
  const QString elegida = QFileDialog::getExistingDirectory(dueno_, QString::fromStdString(titulo),
                                                            QString::fromStdString(inicio_.string()));
  if (elegida.isEmpty()) return "";
  // A folder no drive of the prefix reaches has no Windows path.
  return aWindows_(elegida.toStdString()).value_or(kCarpetaNoValida);
}

}  // namespace evalora::ui

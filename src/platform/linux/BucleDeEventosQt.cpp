#include "platform/linux/BucleDeEventosQt.h"

#include <QCoreApplication>

namespace evalora {

void BucleDeEventosQt::Ceder() {
  const uint32_t ahora = reloj_.Milisegundos();
  if (!primera_ && ahora - ultima_ < intervalo_) return;
  if (!QCoreApplication::instance()) return;
  primera_ = false;
  ultima_ = ahora;
  QCoreApplication::processEvents();
}

}  // namespace evalora

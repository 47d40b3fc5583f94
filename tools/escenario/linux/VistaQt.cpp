// The Linux build's scenarios see the form through the Qt window, offscreen.
#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QLabel>

#include "Escenario.h"
#include "ui/qt/AccesibleQt.h"
#include "ui/qt/VentanaQt.h"

namespace evalora::escenario {

std::unique_ptr<ui::Vista> CrearVista(ui::frmPrincipal& forma) { return std::make_unique<ui::VentanaQt>(forma); }

std::string TextosQueNoCaben(ui::Vista& vista) {
  std::string todas;
  for (const QLabel* etiqueta : static_cast<ui::VentanaQt&>(vista).findChildren<QLabel*>()) {
    if (!etiqueta->isVisibleTo(&static_cast<ui::VentanaQt&>(vista)) || etiqueta->text().isEmpty()) continue;
    const QRect caja = etiqueta->contentsRect();
    const int opciones = etiqueta->wordWrap() ? Qt::TextWordWrap : Qt::TextSingleLine;
    const QRect medida =
        QFontMetrics(etiqueta->font()).boundingRect(QRect(0, 0, caja.width(), 0), opciones, etiqueta->text());
    if (medida.width() > caja.width() || medida.height() > caja.height()) {
      todas += (todas.empty() ? "" : ", ") + etiqueta->objectName().toStdString() + " (" +
               std::to_string(medida.width()) + "x" + std::to_string(medida.height()) + " en " +
               std::to_string(caja.width()) + "x" + std::to_string(caja.height()) + ")";
    }
  }
  return todas;
}

namespace {

std::string RolLeido(QAccessible::Role rol) {
  switch (rol) {
    case QAccessible::Button:
      return "botón";
    case QAccessible::Link:
      return "enlace";
    case QAccessible::StaticText:
      return "texto";
    case QAccessible::EditableText:
      return "caja";
    case QAccessible::CheckBox:
      return "casilla";
    case QAccessible::ProgressBar:
      return "barra";
    default:
      return "";
  }
}

// Depth first, as Orca goes through an application's objects: what is not showing is not read.
void Recorrer(QAccessibleInterface* objeto, std::vector<Accesible>& leidos) {
  if (!objeto || !objeto->isValid() || objeto->state().invisible) return;
  const std::string rol = RolLeido(objeto->role());
  const std::string nombre = objeto->text(QAccessible::Name).toStdString();
  if (!rol.empty() && !(rol == "texto" && nombre.empty())) {
    Accesible a;
    a.rol = rol;
    a.nombre = nombre;
    if (rol == "caja") a.valor = objeto->text(QAccessible::Value).toStdString();
    if (QAccessibleValueInterface* valor = objeto->valueInterface(); valor && rol == "barra") {
      a.valor = std::to_string(valor->currentValue().toInt()) + " %";
    }
    const QAccessible::State estado = objeto->state();
    a.marcado = estado.checked;
    a.enfocado = estado.focused;
    a.deshabilitado = estado.disabled;
    leidos.push_back(std::move(a));
  }
  for (int k = 0; k < objeto->childCount(); ++k) Recorrer(objeto->child(k), leidos);
}

// Qt hands its accessibility events only to an assistive technology that is connected (none is on
// the offscreen platform, which drops them): the reader here asks the window's alert object, as a
// reader does on the event, whenever the window has raised one more.
class OyenteQt : public Oyente {
 public:
  explicit OyenteQt(ui::VentanaQt& ventana) : ventana_(ventana) {}
  std::vector<std::string> Anuncios() override {
    QCoreApplication::processEvents();
    QObject* alerta = ventana_.findChild<QObject*>(QStringLiteral("evaloraAnuncio"), Qt::FindDirectChildrenOnly);
    QAccessibleInterface* objeto = alerta ? QAccessible::queryAccessibleInterface(alerta) : nullptr;
    if (!objeto || objeto->role() != QAccessible::AlertMessage) return {};
    const int cuantos = alerta->property(ui::kCuentaDeAnuncios).toInt();
    if (cuantos == vistos_) return {};
    vistos_ = cuantos;
    return {objeto->text(QAccessible::Name).toStdString()};
  }

 private:
  ui::VentanaQt& ventana_;
  int vistos_ = 0;
};

}  // namespace

std::vector<Accesible> LoQueOyeUnLector(ui::Vista& vista) {
  std::vector<Accesible> leidos;
  Recorrer(QAccessible::queryAccessibleInterface(&static_cast<ui::VentanaQt&>(vista)), leidos);
  return leidos;
}

std::unique_ptr<Oyente> EscucharAnuncios(ui::Vista& vista) {
  return std::make_unique<OyenteQt>(static_cast<ui::VentanaQt&>(vista));
}

}  // namespace evalora::escenario

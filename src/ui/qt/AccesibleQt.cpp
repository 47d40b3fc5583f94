#include "ui/qt/AccesibleQt.h"

#include <QAccessible>
#include <QAccessibleObject>
#include <QAccessibleValueInterface>
#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QVariant>

namespace evalora::ui {

namespace {

constexpr const char* kRol = "evaloraRol";
constexpr const char* kMensaje = "evaloraMensaje";  // on the alert object: what it says
constexpr const char* kPanel = "evaloraPanel";      // a panel of the form, or its window

QAccessible::Role RolDeQt(Rol rol) {
  switch (rol) {
    case Rol::kBoton:
      return QAccessible::Button;
    case Rol::kEnlace:
      return QAccessible::Link;
    case Rol::kTexto:
      return QAccessible::StaticText;
    case Rol::kCaja:
      return QAccessible::EditableText;
    case Rol::kCasilla:
      return QAccessible::CheckBox;
    case Rol::kBarra:
      return QAccessible::ProgressBar;
    case Rol::kNinguno:
      break;
  }
  return QAccessible::NoRole;
}

// A drawn control: its role, its name, and for a link or button the press a reader can ask for.
class ControlDibujado : public QAccessibleWidget {
 public:
  ControlDibujado(QWidget* w, QAccessible::Role rol) : QAccessibleWidget(w, rol) {}
  QStringList actionNames() const override {
    const auto r = role();
    return r == QAccessible::Button || r == QAccessible::Link ? QStringList{pressAction()} : QStringList{};
  }
  void doAction(const QString& accion) override {
    if (accion != pressAction()) return;
    // The same as the key a person presses on it: the window's own handling.
    QKeyEvent pulsada(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    QCoreApplication::sendEvent(widget(), &pulsada);
  }
};

// A progress bar: its value as a percentage.
class BarraAccesible : public QAccessibleWidget, public QAccessibleValueInterface {
 public:
  explicit BarraAccesible(QWidget* w) : QAccessibleWidget(w, QAccessible::ProgressBar) {}
  void* interface_cast(QAccessible::InterfaceType tipo) override {
    if (tipo == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(tipo);
  }
  QVariant currentValue() const override { return widget()->property("evaloraPorcentaje"); }
  void setCurrentValue(const QVariant&) override {}
  QVariant maximumValue() const override { return 100; }
  QVariant minimumValue() const override { return 0; }
  QVariant minimumStepSize() const override { return 1; }
};

// The alert a step's message is raised on: no place of its own, nothing below it.
class AnuncioAccesible : public QAccessibleObject {
 public:
  explicit AnuncioAccesible(QObject* o) : QAccessibleObject(o) {}
  QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(object()->parent()); }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QString text(QAccessible::Text t) const override {
    return t == QAccessible::Name ? object()->property(kMensaje).toString() : QString();
  }
  QAccessible::Role role() const override { return QAccessible::AlertMessage; }
  QAccessible::State state() const override { return {}; }
};

// A panel, or the window: its children in the form's reading order.
class PanelAccesible : public QAccessibleWidget {
 public:
  PanelAccesible(QWidget* w, const OrdenDeLectura& orden)
      : QAccessibleWidget(w, w->isWindow() ? QAccessible::Window : QAccessible::Pane), orden_(orden) {}
  int childCount() const override { return static_cast<int>(orden_.HijosEnOrden(widget()).size()); }
  QAccessibleInterface* child(int i) const override {
    const auto hijos = orden_.HijosEnOrden(widget());
    return i >= 0 && i < static_cast<int>(hijos.size()) ? QAccessible::queryAccessibleInterface(hijos[i]) : nullptr;
  }
  int indexOfChild(const QAccessibleInterface* hijo) const override {
    if (!hijo) return -1;
    const auto hijos = orden_.HijosEnOrden(widget());
    for (size_t k = 0; k < hijos.size(); ++k) {
      if (hijos[k] == hijo->object()) return static_cast<int>(k);
    }
    return -1;
  }

 private:
  const OrdenDeLectura& orden_;
};

QAccessibleInterface* Fabrica(const QString&, QObject* objeto) {
  if (objeto && objeto->property(kMensaje).isValid()) return new AnuncioAccesible(objeto);
  auto* w = qobject_cast<QWidget*>(objeto);
  if (!w) return nullptr;
  const QVariant rol = w->property(kRol);
  if (!rol.isValid()) {
    // A panel of the form (or the window itself).
    const auto* orden = dynamic_cast<const OrdenDeLectura*>(w->window());
    return orden && w->property(kPanel).toBool() ? new PanelAccesible(w, *orden) : nullptr;
  }
  const auto r = static_cast<Rol>(rol.toInt());
  // Qt's own widgets keep their interfaces (a text box's text, a check box's state).
  if (r == Rol::kCaja || r == Rol::kCasilla) return nullptr;
  if (r == Rol::kBarra) return new BarraAccesible(w);
  if (r == Rol::kNinguno) return nullptr;
  return new ControlDibujado(w, RolDeQt(r));
}

void InstalarFabrica() {
  static const bool instalada = [] {
    QAccessible::installFactory(Fabrica);
    return true;
  }();
  (void)instalada;
}

}  // namespace

void Accesible(QWidget* widget, const Control& control, const std::string& nombre) {
  InstalarFabrica();
  if (control.rol == Rol::kNinguno) return;
  widget->setProperty(kRol, static_cast<int>(control.rol));
  widget->setAccessibleName(QString::fromStdString(nombre));
  if (control.rol == Rol::kBarra) ValorAccesible(widget, control.porcentaje.value_or(0));
}

void ValorAccesible(QWidget* barra, int32_t porcentaje) {
  barra->setProperty("evaloraPorcentaje", porcentaje);
  if (QAccessible::isActive()) {
    QAccessibleValueChangeEvent cambio(barra, porcentaje);
    QAccessible::updateAccessibility(&cambio);
  }
}

void MarcarContenedor(QWidget* panel) {
  InstalarFabrica();
  panel->setProperty(kPanel, true);
}

QObject* CrearAnuncio(QWidget* ventana) {
  InstalarFabrica();
  auto* anuncio = new QObject(ventana);
  anuncio->setObjectName(QStringLiteral("evaloraAnuncio"));
  anuncio->setProperty(kMensaje, QString());
  return anuncio;
}

void Anunciar(QObject* anuncio, const std::string& mensaje) {
  anuncio->setProperty(kMensaje, QString::fromStdString(mensaje));
  anuncio->setProperty(kCuentaDeAnuncios, anuncio->property(kCuentaDeAnuncios).toInt() + 1);
  // Qt passes these on to a reader that is connected (and drops them when none is): the alert where
  // the platform has alerts (UI Automation), and the alert showing, which is what AT-SPI carries
  // (its bridge leaves alerts out).
  QAccessibleEvent alerta(anuncio, QAccessible::Alert);
  QAccessible::updateAccessibility(&alerta);
  QAccessibleEvent muestra(anuncio, QAccessible::ObjectShow);
  QAccessible::updateAccessibility(&muestra);
}

}  // namespace evalora::ui

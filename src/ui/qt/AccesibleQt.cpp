#include "ui/qt/AccesibleQt.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QVariant>

namespace evalora::ui {

namespace {

constexpr const char* kRol = "evaloraRol";

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

QAccessibleInterface* Fabrica(const QString&, QObject* objeto) {
  auto* w = qobject_cast<QWidget*>(objeto);
  if (!w) return nullptr;
  const QVariant rol = w->property(kRol);
  if (!rol.isValid()) return nullptr;
  const auto r = static_cast<Rol>(rol.toInt());
  // Qt's own widgets keep their interfaces (a text box's text, a check box's state).
  if (r == Rol::kCaja || r == Rol::kCasilla) return nullptr;
  if (r == Rol::kBarra) return new BarraAccesible(w);
  if (r == Rol::kNinguno) return nullptr;
  return new ControlDibujado(w, RolDeQt(r));
}

}  // namespace

void Accesible(QWidget* widget, const Control& control, const std::string& nombre) {
  static const bool instalada = [] {
    QAccessible::installFactory(Fabrica);
    return true;
  }();
  (void)instalada;
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

}  // namespace evalora::ui

#pragma once
// What Qt's accessibility (and through it a screen reader: Orca, or Narrator and NVDA on Windows)
// hears of the controls the window draws: the role the form gives each one (button, link, text,
// progress bar with its value) and its accessible name. Widgets Qt already knows (text boxes,
// check boxes, push buttons) keep Qt's own interfaces, with the form's name.

#include <QWidget>
#include <vector>

#include "ui/Formulario.h"

namespace evalora::ui {

// The window that knows its form's reading order: a reader goes through a panel's children (and
// the window's) in that order, as the Win32 window lists them, not in the order they were made.
class OrdenDeLectura {
 public:
  virtual ~OrdenDeLectura() = default;
  // The widgets right below a panel (or the window), every one of them: those that hold what a
  // reader finds first, in its order; the rest after, as they are.
  virtual std::vector<QWidget*> HijosEnOrden(const QWidget* padre) const = 0;
};

// Marks a widget with its control's role and name (again whenever they change).
void Accesible(QWidget* widget, const Control& control, const std::string& nombre);
// Marks a panel of the form, or its window (an OrdenDeLectura), as what holds other controls.
void MarcarContenedor(QWidget* panel);
// A progress bar's new value, told to a reader that listens.
void ValorAccesible(QWidget* barra, int32_t porcentaje);
// The object a reader hears a step's message from (an alert), a child of the window; its property
// of this name counts the messages raised on it.
inline constexpr const char* kCuentaDeAnuncios = "evaloraAnuncios";
QObject* CrearAnuncio(QWidget* ventana);
// The message, raised as an alert on that object: a reader says it at once.
void Anunciar(QObject* anuncio, const std::string& mensaje);

}  // namespace evalora::ui

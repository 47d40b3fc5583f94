#pragma once
// What Qt's accessibility (and through it a screen reader: Orca, or Narrator and NVDA on Windows)
// hears of the controls the window draws: the role the form gives each one (button, link, text,
// progress bar with its value) and its accessible name. Widgets Qt already knows (text boxes,
// check boxes, push buttons) keep Qt's own interfaces, with the form's name.

#include <QWidget>

#include "ui/Formulario.h"

namespace evalora::ui {

// Marks a widget with its control's role and name (again whenever they change).
void Accesible(QWidget* widget, const Control& control, const std::string& nombre);
// A progress bar's new value, told to a reader that listens.
void ValorAccesible(QWidget* barra, int32_t porcentaje);

}  // namespace evalora::ui

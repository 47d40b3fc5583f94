#pragma once
// What the step "Descarga" does once the file list is known, from the two presence flags and
// whether the kind installs.

#include "core/EstadoDeEjecucion.h"

namespace evalora {

enum class DecisionDeDescarga {
  kDescargarTodo,       // nothing is there: everything, at once (DescargarTodo becomes True)
  kDescargarFaltantes,  // an installing kind with some files there: only the missing ones
  kOfrecerReanudar,     // a downloading kind with some files there: the choice panel, message A
  kInstalar,            // an installing kind with every file there: straight to the installation
  kOfrecerCancelar,     // a downloading kind with every file there: the choice panel, message B
};

inline constexpr const char* kMensajeAlgunosArchivos =
    "Algunos archivos que elegiste para descargar ya se encuentran en tu PC.\r\n¿Qué deseas realizar?";
inline constexpr const char* kMensajeTodosLosArchivos =
    "Los archivos que elegiste para descargar ya se encuentran en tu PC.\r\n¿Qué deseas realizar?";

// Applies the table (it sets DescargarTodo in its first row) and says what follows.
DecisionDeDescarga DecidirDescarga(EstadoDeEjecucion& estado);

}  // namespace evalora

#pragma once
#include <optional>
#include <string>

namespace evalora {

// Message box styles: one OK button, with or without an icon.
enum EstiloDeMensaje : int {
  kMensajeSinIcono = 0,
  kMensajeAdvertencia = 48,
  kMensajeInformacion = 64,
};

// Shows a message box and waits until the user closes it.
class Mensajes {
 public:
  virtual ~Mensajes() = default;
  // `titulo` empty shows an empty title; no title at all shows the application's own name.
  virtual void Mostrar(const std::string& texto, int estilo, const std::optional<std::string>& titulo) = 0;
};

}  // namespace evalora

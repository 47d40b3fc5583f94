#include "platform/windows/MensajesWin.h"

#include <windows.h>

#include "platform/windows/TextoWin.h"

namespace evalora {

void MensajesWin::Mostrar(const std::string& texto, int estilo, const std::optional<std::string>& titulo) {
  const std::wstring cuerpo = win32::Ancho(texto);
  const std::wstring encabezado = win32::Ancho(titulo.value_or("Evalora"));
  MessageBoxW(duena_ ? duena_->Ventana() : nullptr, cuerpo.c_str(), encabezado.c_str(),
              static_cast<UINT>(estilo) | MB_OK);
}

}  // namespace evalora

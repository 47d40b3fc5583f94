#include "platform/windows/EntornoWin.h"

#include <windows.h>

#include "core/Texto.h"
#include "platform/windows/TextoWin.h"

namespace evalora {

namespace {

std::string Variable(const std::string& nombre) {
  const std::wstring ancho = win32::Ancho(nombre);
  const DWORD largo = GetEnvironmentVariableW(ancho.c_str(), nullptr, 0);
  if (largo == 0) return "";
  std::wstring valor(largo, L'\0');
  const DWORD escrito = GetEnvironmentVariableW(ancho.c_str(), valor.data(), largo);
  valor.resize(escrito < largo ? escrito : 0);
  return win32::Estrecho(valor);
}

}  // namespace

std::string EntornoWin::Valor(const std::string& nombre) const {
  if (IgualesSinMayusculas(nombre, "ProgramFiles")) {
    if (std::string x86 = Variable("ProgramFiles(x86)"); !x86.empty()) return x86;
  }
  return Variable(nombre);
}

}  // namespace evalora

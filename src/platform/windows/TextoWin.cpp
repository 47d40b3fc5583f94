#include "platform/windows/TextoWin.h"

#include "core/Unicode.h"

namespace evalora::win32 {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows' wide text is UTF-16");

std::wstring Ancho(const std::string& texto) {
  const std::u16string unidades = Utf8AUtf16(texto);
  return std::wstring(unidades.begin(), unidades.end());
}

std::string Estrecho(const std::wstring& texto) { return Utf16AUtf8(std::u16string(texto.begin(), texto.end())); }

std::string Estrecho(const wchar_t* texto) { return texto ? Estrecho(std::wstring(texto)) : std::string(); }

}  // namespace evalora::win32

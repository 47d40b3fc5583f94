#pragma once
// The program's UTF-8 text and the UTF-16 text of the Win32 calls.

#include <string>

namespace evalora::win32 {

std::wstring Ancho(const std::string& texto);
std::string Estrecho(const std::wstring& texto);
std::string Estrecho(const wchar_t* texto);

}  // namespace evalora::win32

#pragma once
// A picture written as PNG (8-bit RGB, stored without compression): what the Win32 window's
// screenshots need, without a library.

#include <cstdint>
#include <string>
#include <vector>

namespace evalora::ui {

// `pixeles`: rows top to bottom, each pixel 0x00RRGGBB. False when the file cannot be written.
bool EscribirPng(const std::string& archivo, int ancho, int alto, const std::vector<uint32_t>& pixeles);

// The bytes of such a PNG.
std::vector<uint8_t> CodificarPng(int ancho, int alto, const std::vector<uint32_t>& pixeles);

}  // namespace evalora::ui

#include "ui/Png.h"

#include <array>
#include <filesystem>
#include <fstream>

namespace evalora::ui {

namespace {

uint32_t Crc(const uint8_t* datos, size_t n, uint32_t crc = 0xFFFFFFFFu) {
  static const std::array<uint32_t, 256> tabla = [] {
    std::array<uint32_t, 256> t{};
    for (uint32_t i = 0; i < 256; ++i) {
      uint32_t c = i;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[i] = c;
    }
    return t;
  }();
  for (size_t i = 0; i < n; ++i) crc = tabla[(crc ^ datos[i]) & 0xFF] ^ (crc >> 8);
  return crc;
}

void Grande(std::vector<uint8_t>& salida, uint32_t v) {
  for (int s = 24; s >= 0; s -= 8) salida.push_back(static_cast<uint8_t>(v >> s));
}

void Trozo(std::vector<uint8_t>& salida, const char tipo[4], const std::vector<uint8_t>& datos) {
  Grande(salida, static_cast<uint32_t>(datos.size()));
  const size_t inicio = salida.size();
  salida.insert(salida.end(), tipo, tipo + 4);
  salida.insert(salida.end(), datos.begin(), datos.end());
  Grande(salida, Crc(salida.data() + inicio, salida.size() - inicio) ^ 0xFFFFFFFFu);
}

}  // namespace

std::vector<uint8_t> CodificarPng(int ancho, int alto, const std::vector<uint32_t>& pixeles) {
  // The image's rows, each behind its filter byte (none).
  std::vector<uint8_t> crudo;
  crudo.reserve(static_cast<size_t>(alto) * (1 + 3 * static_cast<size_t>(ancho)));
  for (int y = 0; y < alto; ++y) {
    crudo.push_back(0);
    for (int x = 0; x < ancho; ++x) {
      const uint32_t p = pixeles[static_cast<size_t>(y) * ancho + x];
      crudo.insert(crudo.end(), {static_cast<uint8_t>(p >> 16), static_cast<uint8_t>(p >> 8), static_cast<uint8_t>(p)});
    }
  }
  // zlib with stored deflate blocks of at most 65535 bytes, and its Adler-32.
  std::vector<uint8_t> zlib{0x78, 0x01};
  for (size_t desde = 0; desde < crudo.size() || desde == 0; desde += 65535) {
    const size_t n = std::min<size_t>(65535, crudo.size() - desde);
    const bool ultimo = desde + n >= crudo.size();
    zlib.insert(zlib.end(), {static_cast<uint8_t>(ultimo ? 1 : 0), static_cast<uint8_t>(n),
                             static_cast<uint8_t>(n >> 8), static_cast<uint8_t>(~n), static_cast<uint8_t>(~n >> 8)});
    zlib.insert(zlib.end(), crudo.begin() + desde, crudo.begin() + desde + n);
    if (ultimo) break;
  }
  uint32_t a = 1, b = 0;
  for (uint8_t c : crudo) {
    a = (a + c) % 65521;
    b = (b + a) % 65521;
  }
  Grande(zlib, (b << 16) | a);
  std::vector<uint8_t> png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<uint8_t> cabecera;
  Grande(cabecera, static_cast<uint32_t>(ancho));
  Grande(cabecera, static_cast<uint32_t>(alto));
  cabecera.insert(cabecera.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB
  Trozo(png, "IHDR", cabecera);
  Trozo(png, "IDAT", zlib);
  Trozo(png, "IEND", {});
  return png;
}

bool EscribirPng(const std::string& archivo, int ancho, int alto, const std::vector<uint32_t>& pixeles) {
  if (ancho <= 0 || alto <= 0 || pixeles.size() < static_cast<size_t>(ancho) * alto) return false;
  const std::vector<uint8_t> png = CodificarPng(ancho, alto, pixeles);
  std::ofstream salida(std::filesystem::path(reinterpret_cast<const char8_t*>(archivo.c_str())), std::ios::binary);
  salida.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
  return static_cast<bool>(salida);
}

}  // namespace evalora::ui

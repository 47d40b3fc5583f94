#include "core/Unicode.h"

namespace evalora {

namespace {
constexpr char32_t kReemplazo = 0xFFFD;

bool EsContinuacion(unsigned char c) { return (c & 0xC0) == 0x80; }
}  // namespace

std::u32string Utf8ACodigos(const std::string& texto) {
  std::u32string salida;
  salida.reserve(texto.size());
  size_t i = 0;
  while (i < texto.size()) {
    const auto c = static_cast<unsigned char>(texto[i]);
    int largo = 0;
    char32_t codigo = 0;
    if (c < 0x80) {
      largo = 1;
      codigo = c;
    } else if ((c & 0xE0) == 0xC0 && c >= 0xC2) {
      largo = 2;
      codigo = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
      largo = 3;
      codigo = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0 && c <= 0xF4) {
      largo = 4;
      codigo = c & 0x07;
    }
    bool valido = largo > 0 && i + largo <= texto.size();
    for (int k = 1; valido && k < largo; ++k) {
      const auto s = static_cast<unsigned char>(texto[i + k]);
      valido = EsContinuacion(s);
      codigo = (codigo << 6) | (s & 0x3F);
    }
    if (valido && ((largo == 3 && codigo < 0x800) || (largo == 4 && (codigo < 0x10000 || codigo > 0x10FFFF)) ||
                   (codigo >= 0xD800 && codigo <= 0xDFFF))) {
      valido = false;
    }
    if (!valido) {
      salida.push_back(kReemplazo);
      ++i;
      continue;
    }
    salida.push_back(codigo);
    i += static_cast<size_t>(largo);
  }
  return salida;
}

std::string CodigosAUtf8(const std::u32string& codigos) {
  std::string salida;
  salida.reserve(codigos.size());
  for (char32_t c : codigos) {
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = kReemplazo;
    if (c < 0x80) {
      salida.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      salida.push_back(static_cast<char>(0xC0 | (c >> 6)));
      salida.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
      salida.push_back(static_cast<char>(0xE0 | (c >> 12)));
      salida.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      salida.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      salida.push_back(static_cast<char>(0xF0 | (c >> 18)));
      salida.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
      salida.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      salida.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return salida;
}

std::u16string Utf8AUtf16(const std::string& texto) {
  std::u16string salida;
  for (char32_t c : Utf8ACodigos(texto)) {
    if (c >= 0x10000) {
      c -= 0x10000;
      salida.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
      salida.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
    } else {
      salida.push_back(static_cast<char16_t>(c));
    }
  }
  return salida;
}

std::string Utf16AUtf8(const std::u16string& unidades) {
  std::u32string codigos;
  codigos.reserve(unidades.size());
  for (size_t i = 0; i < unidades.size(); ++i) {
    const char16_t u = unidades[i];
    if (u >= 0xD800 && u <= 0xDBFF && i + 1 < unidades.size() && unidades[i + 1] >= 0xDC00 &&
        unidades[i + 1] <= 0xDFFF) {
      codigos.push_back(0x10000 + ((static_cast<char32_t>(u) - 0xD800) << 10) + (unidades[i + 1] - 0xDC00));
      ++i;
    } else if (u >= 0xD800 && u <= 0xDFFF) {
      codigos.push_back(kReemplazo);
    } else {
      codigos.push_back(u);
    }
  }
  return CodigosAUtf8(codigos);
}

std::vector<uint8_t> Utf16ABytes(const std::u16string& unidades) {
  std::vector<uint8_t> bytes;
  bytes.reserve(unidades.size() * 2);
  for (char16_t u : unidades) {
    bytes.push_back(static_cast<uint8_t>(u & 0xFF));
    bytes.push_back(static_cast<uint8_t>(u >> 8));
  }
  return bytes;
}

std::u16string BytesAUtf16(const std::vector<uint8_t>& bytes) {
  std::u16string unidades;
  unidades.reserve(bytes.size() / 2);
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    unidades.push_back(static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8)));
  }
  return unidades;
}

}  // namespace evalora

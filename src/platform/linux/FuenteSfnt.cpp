#include "platform/linux/FuenteSfnt.h"

#include <cstdint>

#include "core/Unicode.h"

namespace evalora {

namespace {

uint32_t U32(const std::string& b, size_t en) {
  return (static_cast<uint32_t>(static_cast<unsigned char>(b[en])) << 24) |
         (static_cast<uint32_t>(static_cast<unsigned char>(b[en + 1])) << 16) |
         (static_cast<uint32_t>(static_cast<unsigned char>(b[en + 2])) << 8) |
         static_cast<uint32_t>(static_cast<unsigned char>(b[en + 3]));
}
uint16_t U16(const std::string& b, size_t en) {
  return static_cast<uint16_t>((static_cast<unsigned char>(b[en]) << 8) | static_cast<unsigned char>(b[en + 1]));
}

struct Tabla {
  size_t inicio = 0;
  size_t largo = 0;
};

// The full name from the 'name' table: Windows Unicode records first, then Macintosh ones;
// name 4 (full name), else name 1 (family).
std::optional<std::string> NombreCompleto(const std::string& b, const Tabla& t) {
  if (t.largo < 6) return std::nullopt;
  const size_t cuantos = U16(b, t.inicio + 2);
  const size_t cadenas = t.inicio + U16(b, t.inicio + 4);
  if (6 + cuantos * 12 > t.largo) return std::nullopt;
  std::optional<std::string> mejor;
  int puntos = 0;
  for (size_t i = 0; i < cuantos; ++i) {
    const size_t r = t.inicio + 6 + i * 12;
    const uint16_t plataforma = U16(b, r), codificacion = U16(b, r + 2), id = U16(b, r + 6);
    const size_t largo = U16(b, r + 8), desde = cadenas + U16(b, r + 10);
    if ((id != 4 && id != 1) || desde + largo > t.inicio + t.largo) continue;
    std::string texto;
    int valor = id == 4 ? 2 : 0;
    if (plataforma == 3 && (codificacion == 1 || codificacion == 0)) {
      std::u16string u;
      for (size_t k = 0; k + 1 < largo; k += 2) u.push_back(static_cast<char16_t>(U16(b, desde + k)));
      texto = Utf16AUtf8(u);
      valor += 2;
    } else if (plataforma == 1 && codificacion == 0) {
      for (size_t k = 0; k < largo; ++k) {
        const auto c = static_cast<unsigned char>(b[desde + k]);
        texto += c < 0x80 ? static_cast<char>(c) : '?';
      }
      valor += 1;
    } else {
      continue;
    }
    if (!texto.empty() && valor > puntos) {
      puntos = valor;
      mejor = texto;
    }
  }
  return mejor;
}

// One font whose offset table starts at `desde`.
std::optional<std::string> LeerUna(const std::string& b, size_t desde, bool& cff) {
  if (desde + 12 > b.size()) return std::nullopt;
  const uint32_t firma = U32(b, desde);
  if (firma != 0x00010000 && firma != 0x74727565 /* true */ && firma != 0x4F54544F /* OTTO */) return std::nullopt;
  cff = firma == 0x4F54544F;
  const size_t tablas = U16(b, desde + 4);
  if (tablas == 0 || desde + 12 + tablas * 16 > b.size()) return std::nullopt;
  std::optional<Tabla> head, name;
  for (size_t i = 0; i < tablas; ++i) {
    const size_t r = desde + 12 + i * 16;
    const Tabla t{U32(b, r + 8), U32(b, r + 12)};
    if (t.inicio > b.size() || t.largo > b.size() - t.inicio) return std::nullopt;
    const std::string etiqueta = b.substr(r, 4);
    if (etiqueta == "head") head = t;
    if (etiqueta == "name") name = t;
  }
  if (!head || !name || head->largo < 54 || U32(b, head->inicio + 12) != 0x5F0F3CF5) return std::nullopt;
  return NombreCompleto(b, *name);
}

}  // namespace

std::optional<FuenteSfnt> LeerFuenteSfnt(const std::string& bytes) {
  if (bytes.size() < 12) return std::nullopt;
  FuenteSfnt fuente;
  std::vector<size_t> inicios{0};
  if (bytes.compare(0, 4, "ttcf") == 0) {
    const size_t cuantas = U32(bytes, 8);
    if (cuantas == 0 || 12 + cuantas * 4 > bytes.size()) return std::nullopt;
    inicios.clear();
    for (size_t i = 0; i < cuantas; ++i) inicios.push_back(U32(bytes, 12 + i * 4));
  }
  for (size_t inicio : inicios) {
    bool cff = false;
    auto nombre = LeerUna(bytes, inicio, cff);
    if (!nombre) return std::nullopt;
    fuente.nombres.push_back(*nombre);
    fuente.contornosCff = fuente.contornosCff || cff;
  }
  return fuente;
}

}  // namespace evalora

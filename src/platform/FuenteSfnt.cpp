#include "platform/FuenteSfnt.h"

#include <cstdint>
#include <fstream>
#include <sstream>

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

int16_t S16(const std::string& b, size_t en) { return static_cast<int16_t>(U16(b, en)); }

// A name from the 'name' table: Windows Unicode records first, then Macintosh ones.
std::optional<std::string> Nombre(const std::string& b, const Tabla& t, uint16_t buscado) {
  if (t.largo < 6) return std::nullopt;
  const size_t cuantos = U16(b, t.inicio + 2);
  const size_t cadenas = t.inicio + U16(b, t.inicio + 4);
  if (6 + cuantos * 12 > t.largo) return std::nullopt;
  std::optional<std::string> deMac;
  for (size_t i = 0; i < cuantos; ++i) {
    const size_t r = t.inicio + 6 + i * 12;
    const uint16_t plataforma = U16(b, r), codificacion = U16(b, r + 2), id = U16(b, r + 6);
    const size_t largo = U16(b, r + 8), desde = cadenas + U16(b, r + 10);
    if (id != buscado || desde + largo > t.inicio + t.largo || largo == 0) continue;
    if (plataforma == 3 && (codificacion == 1 || codificacion == 0)) {
      std::u16string u;
      for (size_t k = 0; k + 1 < largo; k += 2) u.push_back(static_cast<char16_t>(U16(b, desde + k)));
      return Utf16AUtf8(u);
    }
    if (plataforma == 1 && codificacion == 0 && !deMac) {
      std::string texto;
      for (size_t k = 0; k < largo; ++k) {
        const auto c = static_cast<unsigned char>(b[desde + k]);
        texto += c < 0x80 ? static_cast<char>(c) : '?';
      }
      deMac = texto;
    }
  }
  return deMac;
}

struct Leida {
  std::string nombre;
  std::string familia;
  MetricasDeFuente metricas;
  bool cff = false;
};

// One font whose offset table starts at `desde`.
std::optional<Leida> LeerUna(const std::string& b, size_t desde) {
  if (desde + 12 > b.size()) return std::nullopt;
  const uint32_t firma = U32(b, desde);
  if (firma != 0x00010000 && firma != 0x74727565 /* true */ && firma != 0x4F54544F /* OTTO */) return std::nullopt;
  const size_t tablas = U16(b, desde + 4);
  if (tablas == 0 || desde + 12 + tablas * 16 > b.size()) return std::nullopt;
  std::optional<Tabla> head, name, hhea, os2;
  for (size_t i = 0; i < tablas; ++i) {
    const size_t r = desde + 12 + i * 16;
    const Tabla t{U32(b, r + 8), U32(b, r + 12)};
    if (t.inicio > b.size() || t.largo > b.size() - t.inicio) return std::nullopt;
    const std::string etiqueta = b.substr(r, 4);
    if (etiqueta == "head") head = t;
    if (etiqueta == "name") name = t;
    if (etiqueta == "hhea") hhea = t;
    if (etiqueta == "OS/2") os2 = t;
  }
  if (!head || !name || head->largo < 54 || U32(b, head->inicio + 12) != 0x5F0F3CF5) return std::nullopt;
  Leida leida;
  leida.cff = firma == 0x4F54544F;
  const auto completo = Nombre(b, *name, 4);
  const auto familia = Nombre(b, *name, 1);
  if (!completo && !familia) return std::nullopt;
  leida.nombre = completo.value_or(*familia);
  leida.familia = familia.value_or(*completo);
  MetricasDeFuente& m = leida.metricas;
  if (U16(b, head->inicio + 18) != 0) m.unidadesPorEm = U16(b, head->inicio + 18);
  m.cursiva = (U16(b, head->inicio + 44) & 0x2) != 0;
  if (hhea && hhea->largo >= 12) {
    m.ascendente = S16(b, hhea->inicio + 4);
    m.descendente = S16(b, hhea->inicio + 6);
    m.anchoMaximo = U16(b, hhea->inicio + 10);
  }
  if (os2 && os2->largo >= 64) {
    m.anchoMedio = S16(b, os2->inicio + 2);
    m.peso = U16(b, os2->inicio + 4);
    m.cursiva = m.cursiva || (U16(b, os2->inicio + 62) & 0x1) != 0;
  }
  return leida;
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
    auto leida = LeerUna(bytes, inicio);
    if (!leida) return std::nullopt;
    if (fuente.nombres.empty()) {
      fuente.familia = leida->familia;
      fuente.metricas = leida->metricas;
    }
    fuente.nombres.push_back(leida->nombre);
    fuente.contornosCff = fuente.contornosCff || leida->cff;
  }
  return fuente;
}

std::optional<FuenteSfnt> LeerArchivoDeFuente(const std::filesystem::path& archivo, uint32_t* tamano) {
  std::ifstream entrada(archivo, std::ios::binary);
  if (!entrada) return std::nullopt;
  std::stringstream bytes;
  bytes << entrada.rdbuf();
  if (tamano) *tamano = static_cast<uint32_t>(bytes.str().size());
  return LeerFuenteSfnt(bytes.str());
}

std::string NombreDeFuenteInstalada(const FuenteSfnt& fuente) {
  std::string nombre;
  for (const auto& n : fuente.nombres) nombre += (nombre.empty() ? "" : " & ") + n;
  return nombre + (fuente.contornosCff ? " (OpenType)" : " (TrueType)");
}

}  // namespace evalora

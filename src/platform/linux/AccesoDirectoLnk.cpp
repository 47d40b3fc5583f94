#include "platform/linux/AccesoDirectoLnk.h"

#include "core/Unicode.h"

namespace evalora {

namespace {

constexpr uint32_t kConLinkInfo = 0x2;
constexpr uint32_t kConNombre = 0x4;
constexpr uint32_t kConCarpetaDeTrabajo = 0x10;
constexpr uint32_t kConArgumentos = 0x20;
constexpr uint32_t kConIcono = 0x40;
constexpr uint32_t kEsUnicode = 0x80;

void U16(std::vector<uint8_t>& b, uint32_t v) {
  b.push_back(static_cast<uint8_t>(v));
  b.push_back(static_cast<uint8_t>(v >> 8));
}
void U32(std::vector<uint8_t>& b, uint32_t v) {
  U16(b, v & 0xFFFF);
  U16(b, v >> 16);
}
void PonerU32(std::vector<uint8_t>& b, size_t en, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[en + static_cast<size_t>(i)] = static_cast<uint8_t>(v >> (8 * i));
}

// The path in the ANSI code page (Latin-1 range); false when some character is outside it.
bool EnAnsi(const std::string& texto, std::string& ansi) {
  bool completo = true;
  for (char32_t c : Utf8ACodigos(texto)) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
      ansi.push_back(static_cast<char>(c));
    } else {
      ansi.push_back('?');
      completo = false;
    }
  }
  return completo;
}

std::vector<uint8_t> LinkInfo(const std::string& destino) {
  std::string ansi;
  const bool soloAnsi = EnAnsi(destino, ansi);
  const uint32_t cabecera = soloAnsi ? 0x1C : 0x24;
  std::vector<uint8_t> b;
  U32(b, 0);  // total size, set below
  U32(b, cabecera);
  U32(b, 1);         // VolumeIDAndLocalBasePath
  U32(b, cabecera);  // volume id offset
  U32(b, 0);         // local base path offset, set below
  U32(b, 0);         // no network part
  U32(b, 0);         // common path suffix offset, set below
  if (!soloAnsi) {
    U32(b, 0);  // Unicode local base path offset
    U32(b, 0);  // Unicode common path suffix offset
  }
  // Volume id: a fixed drive without label.
  U32(b, 0x11);
  U32(b, 3);
  U32(b, 0x45564C41);  // serial
  U32(b, 0x10);
  b.push_back(0);
  PonerU32(b, 0x10, static_cast<uint32_t>(b.size()));
  b.insert(b.end(), ansi.begin(), ansi.end());
  b.push_back(0);
  PonerU32(b, 0x18, static_cast<uint32_t>(b.size()));
  b.push_back(0);  // empty suffix
  if (!soloAnsi) {
    PonerU32(b, 0x1C, static_cast<uint32_t>(b.size()));
    for (char16_t u : Utf8AUtf16(destino)) U16(b, u);
    U16(b, 0);
    PonerU32(b, 0x20, static_cast<uint32_t>(b.size()));
    U16(b, 0);
  }
  PonerU32(b, 0, static_cast<uint32_t>(b.size()));
  return b;
}

void Cadena(std::vector<uint8_t>& b, const std::string& texto) {
  const std::u16string unidades = Utf8AUtf16(texto);
  U16(b, static_cast<uint32_t>(unidades.size()));
  for (char16_t u : unidades) U16(b, u);
}

}  // namespace

std::vector<uint8_t> ConstruirLnk(const AccesoDirecto& acceso) {
  uint32_t banderas = kConLinkInfo | kEsUnicode;
  if (!acceso.descripcion.empty()) banderas |= kConNombre;
  if (!acceso.carpetaDeTrabajo.empty()) banderas |= kConCarpetaDeTrabajo;
  if (!acceso.argumentos.empty()) banderas |= kConArgumentos;
  if (!acceso.icono.empty()) banderas |= kConIcono;

  std::vector<uint8_t> b;
  U32(b, 0x4C);
  for (uint8_t x : {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}) {
    b.push_back(x);
  }
  U32(b, banderas);
  U32(b, 0x20);                           // the target's attributes: an ordinary file
  for (int i = 0; i < 6; ++i) U32(b, 0);  // creation, access and write times
  U32(b, 0);                              // target size
  U32(b, static_cast<uint32_t>(acceso.indiceDeIcono));
  U32(b, 1);  // normal window
  U16(b, 0);  // no hot key
  U16(b, 0);
  U32(b, 0);
  U32(b, 0);
  const auto info = LinkInfo(acceso.destino);
  b.insert(b.end(), info.begin(), info.end());
  if (banderas & kConNombre) Cadena(b, acceso.descripcion);
  if (banderas & kConCarpetaDeTrabajo) Cadena(b, acceso.carpetaDeTrabajo);
  if (banderas & kConArgumentos) Cadena(b, acceso.argumentos);
  if (banderas & kConIcono) Cadena(b, acceso.icono);
  U32(b, 0);  // terminal block
  return b;
}

}  // namespace evalora

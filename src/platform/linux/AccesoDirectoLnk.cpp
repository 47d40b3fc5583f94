#include "platform/linux/AccesoDirectoLnk.h"

#include "core/EscritorDeBytes.h"
#include "core/Unicode.h"

namespace evalora {

namespace {

constexpr uint32_t kConLinkInfo = 0x2;
constexpr uint32_t kConNombre = 0x4;
constexpr uint32_t kConCarpetaDeTrabajo = 0x10;
constexpr uint32_t kConArgumentos = 0x20;
constexpr uint32_t kConIcono = 0x40;
constexpr uint32_t kEsUnicode = 0x80;

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
  EscritorDeBytes b;
  b.U32(0);  // total size, set below
  b.U32(cabecera);
  b.U32(1);         // VolumeIDAndLocalBasePath
  b.U32(cabecera);  // volume id offset
  b.U32(0);         // local base path offset, set below
  b.U32(0);         // no network part
  b.U32(0);         // common path suffix offset, set below
  if (!soloAnsi) {
    b.U32(0);  // Unicode local base path offset
    b.U32(0);  // Unicode common path suffix offset
  }
  // Volume id: a fixed drive without label.
  b.U32(0x11);
  b.U32(3);
  b.U32(0x45564C41);  // serial
  b.U32(0x10);
  b.U8(0);
  b.PonerU32(0x10, static_cast<uint32_t>(b.Tamano()));
  b.Texto(ansi);
  b.U8(0);
  b.PonerU32(0x18, static_cast<uint32_t>(b.Tamano()));
  b.U8(0);  // empty suffix
  if (!soloAnsi) {
    b.PonerU32(0x1C, static_cast<uint32_t>(b.Tamano()));
    b.Utf16(Utf8AUtf16(destino));
    b.U16(0);
    b.PonerU32(0x20, static_cast<uint32_t>(b.Tamano()));
    b.U16(0);
  }
  b.PonerU32(0, static_cast<uint32_t>(b.Tamano()));
  return b.Soltar();
}

void Cadena(EscritorDeBytes& b, const std::string& texto) {
  const std::u16string unidades = Utf8AUtf16(texto);
  b.U16(static_cast<uint32_t>(unidades.size()));
  b.Utf16(unidades);
}

}  // namespace

std::vector<uint8_t> ConstruirLnk(const AccesoDirecto& acceso) {
  uint32_t banderas = kConLinkInfo | kEsUnicode;
  if (!acceso.descripcion.empty()) banderas |= kConNombre;
  if (!acceso.carpetaDeTrabajo.empty()) banderas |= kConCarpetaDeTrabajo;
  if (!acceso.argumentos.empty()) banderas |= kConArgumentos;
  if (!acceso.icono.empty()) banderas |= kConIcono;

  EscritorDeBytes b;
  b.U32(0x4C);
  for (uint8_t x : {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}) {
    b.U8(x);
  }
  b.U32(banderas);
  b.U32(0x20);                           // the target's attributes: an ordinary file
  for (int i = 0; i < 6; ++i) b.U32(0);  // creation, access and write times
  b.U32(0);                              // target size
  b.U32(static_cast<uint32_t>(acceso.indiceDeIcono));
  b.U32(1);  // normal window
  b.U16(0);  // no hot key
  b.U16(0);
  b.U32(0);
  b.U32(0);
  b.Bytes(LinkInfo(acceso.destino));
  if (banderas & kConNombre) Cadena(b, acceso.descripcion);
  if (banderas & kConCarpetaDeTrabajo) Cadena(b, acceso.carpetaDeTrabajo);
  if (banderas & kConArgumentos) Cadena(b, acceso.argumentos);
  if (banderas & kConIcono) Cadena(b, acceso.icono);
  b.U32(0);  // terminal block
  return b.Soltar();
}

}  // namespace evalora

#include "platform/linux/RecursoDeFuenteFot.h"

#include <algorithm>
#include <cmath>

#include "core/EscritorDeBytes.h"
#include "core/Unicode.h"

namespace evalora {

namespace {

constexpr uint16_t kTipoDirectorioDeFuentes = 0x8007;
constexpr uint16_t kTipoArchivoDeFuente = 0x80CC;
constexpr uint16_t kDesplazamiento = 4;  // resources aligned to 16 bytes

// ANSI text (the Latin-1 range; anything else becomes '?').
std::string Ansi(const std::string& texto) {
  std::string salida;
  for (char32_t c : Utf8ACodigos(texto)) salida.push_back(c < 0x100 ? static_cast<char>(c) : '?');
  return salida;
}

void CabeceraDos(EscritorDeBytes& b) {
  b.Texto("MZ");
  b.U16(0x90);  // bytes on the last page
  b.U16(3);     // pages
  b.U16(0);     // relocations
  b.U16(4);     // header paragraphs
  b.U16(0);
  b.U16(0xFFFF);
  b.U16(0);
  b.U16(0xB8);
  b.U16(0);
  b.U16(0);
  b.U16(0);
  b.U16(0x40);  // relocation table
  b.U16(0);
  b.Ceros(0x3C - b.Tamano());
  b.U32(0x80);  // where the NE header starts
  // The usual stub: prints that the program cannot run in DOS and exits.
  for (uint8_t x : {0x0E, 0x1F, 0xBA, 0x0E, 0x00, 0xB4, 0x09, 0xCD, 0x21, 0xB8, 0x01, 0x4C, 0xCD, 0x21}) b.U8(x);
  b.Texto("This program cannot be run in DOS mode.\r\r\n$");
  b.Ceros(0x80 - b.Tamano());
}

std::vector<uint8_t> DirectorioDeFuentes(const FuenteSfnt& fuente, uint32_t tamanoFuente) {
  const MetricasDeFuente& m = fuente.metricas;
  const double escala = 72.0 / std::max<uint16_t>(m.unidadesPorEm, 1);  // a 72-point em at 72 dpi
  auto px = [&](double unidades) { return static_cast<uint32_t>(std::max(0L, std::lround(unidades * escala))); };
  const uint32_t alto = px(static_cast<double>(m.ascendente) - m.descendente);
  EscritorDeBytes d;
  d.U16(1);  // one font
  d.U16(1);  // its ordinal
  d.U16(0x0200);
  d.U32(tamanoFuente);
  d.Ceros(60);  // copyright
  d.U16(0x4003);
  d.U16(72);  // points
  d.U16(72);  // vertical resolution
  d.U16(72);  // horizontal resolution
  d.U16(px(m.ascendente));
  d.U16(alto > 72 ? alto - 72 : 0);  // internal leading
  d.U16(0);                          // external leading
  d.U8(m.cursiva ? 1 : 0);
  d.U8(0);  // underline
  d.U8(0);  // strike-out
  d.U16(m.peso);
  d.U8(0);  // ANSI character set
  d.U16(0);
  d.U16(alto);
  d.U8(0x07);  // variable pitch, vector, TrueType
  d.U16(px(m.anchoMedio));
  d.U16(px(m.anchoMaximo));
  d.U8(0x20);  // first character
  d.U8(0xFF);  // last character
  d.U8(0x1F);  // default character
  d.U8(0x00);  // break character
  d.U16(0);
  d.U32(0);  // device name
  d.U32(0);  // face name
  d.U32(0);
  d.U8(0);  // no device name
  d.Texto(Ansi(fuente.familia));
  d.U8(0);
  return d.Soltar();
}

}  // namespace

std::vector<uint8_t> ConstruirFot(const FuenteSfnt& fuente, const std::string& modulo, const std::string& archivoFuente,
                                  uint32_t tamanoFuente) {
  EscritorDeBytes b;
  CabeceraDos(b);
  const size_t ne = b.Tamano();
  b.Ceros(0x40);

  // Resource table: the font directory and the font file's name, one resource each.
  const size_t recursos = b.Tamano();
  b.U16(kDesplazamiento);
  size_t nombres[2];
  for (int i = 0; i < 2; ++i) {
    b.U16(i == 0 ? kTipoDirectorioDeFuentes : kTipoArchivoDeFuente);
    b.U16(1);
    b.U32(0);
    nombres[i] = b.Tamano();
    b.U16(0);       // offset, in 16-byte units (set below)
    b.U16(0);       // length, in 16-byte units (set below)
    b.U16(0x0C50);  // movable, pure, preloaded
    b.U16(0x8001);  // resource id 1
    b.U32(0);
  }
  b.U16(0);  // end of the types
  b.U8(0);   // no resource names

  const size_t residentes = b.Tamano();
  const std::string nombreDelModulo = Ansi(modulo).substr(0, 255);
  b.U8(static_cast<uint32_t>(nombreDelModulo.size()));
  b.Texto(nombreDelModulo);
  b.U16(0);
  b.U8(0);
  const size_t referencias = b.Tamano();  // no module references
  const size_t importados = b.Tamano();
  b.U8(0);
  const size_t entradas = b.Tamano();
  b.U16(0);
  const size_t noResidentes = b.Tamano();
  const std::string descripcion = ("FONTRES:" + Ansi(fuente.familia)).substr(0, 255);
  b.U8(static_cast<uint32_t>(descripcion.size()));
  b.Texto(descripcion);
  b.U16(0);
  b.U8(0);
  const size_t largoNoResidentes = b.Tamano() - noResidentes;

  // The resources themselves.
  const std::vector<uint8_t> directorio = DirectorioDeFuentes(fuente, tamanoFuente);
  std::string nombreDeArchivo = Ansi(archivoFuente);
  nombreDeArchivo.push_back('\0');
  size_t datos[2];
  size_t largos[2] = {directorio.size(), nombreDeArchivo.size()};
  b.Alinear(16);
  datos[0] = b.Tamano();
  for (uint8_t x : directorio) b.U8(x);
  b.Alinear(16);
  datos[1] = b.Tamano();
  b.Texto(nombreDeArchivo);
  b.Alinear(16);
  for (int i = 0; i < 2; ++i) {
    b.PonerU16(nombres[i], static_cast<uint32_t>(datos[i] >> kDesplazamiento));
    b.PonerU16(nombres[i] + 2, static_cast<uint32_t>((largos[i] + 15) >> kDesplazamiento));
  }

  // The NE header, now that every table has its place.
  auto relativo = [&](size_t en) { return static_cast<uint32_t>(en - ne); };
  b.PonerU16(ne + 0x00, 'N' | ('E' << 8));
  b.PonerU16(ne + 0x02, 5 | (10 << 8));  // linker version
  b.PonerU16(ne + 0x04, relativo(entradas));
  b.PonerU16(ne + 0x06, 2);
  b.PonerU16(ne + 0x0C, 0x8000);  // a library module
  b.PonerU16(ne + 0x20, static_cast<uint32_t>(largoNoResidentes));
  b.PonerU16(ne + 0x22, relativo(recursos));  // no segments
  b.PonerU16(ne + 0x24, relativo(recursos));
  b.PonerU16(ne + 0x26, relativo(residentes));
  b.PonerU16(ne + 0x28, relativo(referencias));
  b.PonerU16(ne + 0x2A, relativo(importados));
  b.PonerU32(ne + 0x2C, static_cast<uint32_t>(noResidentes));
  b.PonerU16(ne + 0x32, kDesplazamiento);
  b.PonerU16(ne + 0x36, 2);  // for Windows
  b.PonerU16(ne + 0x3E, 0x0300);
  return b.Soltar();
}

}  // namespace evalora

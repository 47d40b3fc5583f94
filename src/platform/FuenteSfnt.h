#pragma once
// What the wizard needs to know of a font file: whether it is a TrueType or OpenType font (or a
// collection of them), the names of its fonts, and the first font's metrics.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace evalora {

struct MetricasDeFuente {
  uint16_t unidadesPorEm = 2048;
  int16_t ascendente = 0;   // above the baseline, font units
  int16_t descendente = 0;  // below it, negative
  int16_t anchoMedio = 0;
  uint16_t anchoMaximo = 0;
  uint16_t peso = 400;
  bool cursiva = false;
};

struct FuenteSfnt {
  std::vector<std::string> nombres;  // full name of each font in the file
  std::string familia;               // the first font's family name
  MetricasDeFuente metricas;         // the first font's
  bool contornosCff = false;         // OpenType with CFF outlines ("OTTO")
};

// Nothing when the bytes are not a well-formed font: an unknown signature, tables outside the
// file, or no 'head' and 'name' tables.
std::optional<FuenteSfnt> LeerFuenteSfnt(const std::string& bytes);

// The font in a file; nothing when the file cannot be read or is no font. `tamano` receives the
// file's size.
std::optional<FuenteSfnt> LeerArchivoDeFuente(const std::filesystem::path& archivo, uint32_t* tamano = nullptr);

// The name an installed font is registered by: its fonts' full names joined by " & ", and
// " (TrueType)" or " (OpenType)" for CFF outlines.
std::string NombreDeFuenteInstalada(const FuenteSfnt& fuente);

}  // namespace evalora

#pragma once
#include <string>

namespace evalora {

// The machine's font table.
class Fuentes {
 public:
  virtual ~Fuentes() = default;
  // Adds the fonts of a file (Windows path) to the font table of this session: the number of
  // fonts added, 0 when the file is no TrueType or OpenType font.
  virtual int AgregarRecurso(const std::string& archivo) = 0;
  // Takes the file's fonts out of the table; false when they were not in it.
  virtual bool QuitarRecurso(const std::string& archivo) = 0;
  // Records the font among the installed ones, so that it is there after a restart.
  virtual bool Registrar(const std::string& archivo) = 0;
  // Creates the scalable font resource `archivoFot` (Windows path) that names the TrueType font
  // `archivoFuente` as given; a font name without folder is looked for in `carpeta`. Fails when
  // the font is not TrueType or the resource exists already.
  virtual bool CrearRecursoEscalable(const std::string& archivoFot, const std::string& archivoFuente,
                                     const std::string& carpeta) = 0;
  // Tells the programs that are running that the font table changed (WM_FONTCHANGE to every
  // top-level window), so that an open word processor offers the new fonts. A window that does
  // not answer is not waited for long.
  virtual void AvisarCambio() = 0;
};

}  // namespace evalora

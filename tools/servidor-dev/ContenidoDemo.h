#pragma once
// The download server's content: every file the catalogue lists under ${HTTP}, in a folder. A
// file already there is served as it is (its size goes into the catalogue); a missing one is made
// with deterministic bytes of exactly the catalogue's size.

#include <filesystem>
#include <string>
#include <vector>

#include "Catalogo.h"

namespace evalora::servidor {

// The byte at position i of every generated file.
inline char ByteDeDemo(uint64_t i) { return static_cast<char>((i * 31 + 7) & 0xFF); }

// False with the reason when the folder cannot be written.
bool PrepararContenido(Catalogo& catalogo, const std::filesystem::path& carpeta, std::string* error = nullptr);
// Only the sizes: every listed file that is there gives the catalogue its size; nothing is made.
void ActualizarPesos(Catalogo& catalogo, const std::filesystem::path& carpeta);

// One file of the system's demo installation: its path below ".../Sistema/" on the server, its
// place below the installation folder, and the size of a generated stand-in.
struct ArchivoDelSistema {
  std::string servidor;
  std::string local;
  long peso;
};
const std::vector<ArchivoDelSistema>& ArchivosDelSistema();

// Puts the real files of the demo installations into the content folder, for every edition and
// variant: the log-in program and the permission tool (built next to `binarios`), the icon, two
// fonts of the machine. A file it cannot find is left to be generated.
void PonerProgramasDelSistema(const std::filesystem::path& carpeta, const std::filesystem::path& binarios);

// The local database's registration file as a school receives it: protected by `clave`, with the
// tables the installation writes and the placeholder institution "00-00-00-00-00-00".
bool CrearArchivoDeRegistroDemo(const std::filesystem::path& archivo, const std::string& clave);

}  // namespace evalora::servidor

#pragma once
// The download server's content: every file the catalogue lists under ${HTTP}, in a folder. A
// file already there is served as it is (its size goes into the catalogue); a missing one is made
// with deterministic bytes of exactly the catalogue's size.

#include <filesystem>
#include <string>

#include "Catalogo.h"

namespace evalora::servidor {

// The byte at position i of every generated file.
inline char ByteDeDemo(uint64_t i) { return static_cast<char>((i * 31 + 7) & 0xFF); }

// False with the reason when the folder cannot be written.
bool PrepararContenido(Catalogo& catalogo, const std::filesystem::path& carpeta, std::string* error = nullptr);

}  // namespace evalora::servidor

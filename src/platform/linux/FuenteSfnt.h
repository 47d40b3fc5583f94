#pragma once
// What the wizard needs to know of a font file: whether it is a TrueType or OpenType font (or a
// collection of them), and the full names of its fonts.

#include <optional>
#include <string>
#include <vector>

namespace evalora {

struct FuenteSfnt {
  std::vector<std::string> nombres;  // full name of each font in the file
  bool contornosCff = false;         // OpenType with CFF outlines ("OTTO")
};

// Nothing when the bytes are not a well-formed font: an unknown signature, tables outside the
// file, or no 'head' and 'name' tables.
std::optional<FuenteSfnt> LeerFuenteSfnt(const std::string& bytes);

}  // namespace evalora

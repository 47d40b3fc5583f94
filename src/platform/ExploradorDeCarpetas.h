#pragma once
#include <string>

namespace evalora {

// The folder browser: the whole namespace of the machine offered, the choice returned as a
// Windows path ("C:\" for the root of drive C).
class ExploradorDeCarpetas {
 public:
  virtual ~ExploradorDeCarpetas() = default;
  // The chosen folder's path; "No Valida" for a choice that has no file-system path; empty when
  // the user cancelled or the browser failed.
  virtual std::string ExaminarCarpeta(const std::string& titulo) = 0;
};

inline constexpr const char* kCarpetaNoValida = "No Valida";

}  // namespace evalora

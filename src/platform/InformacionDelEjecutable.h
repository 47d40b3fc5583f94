#pragma once
#include <cstdint>

namespace evalora {

// The four numbers of the executable's version: MAJOR.MINOR.BUILD.REVISION. The major number is
// the product version, the minor number the wizard kind.
struct VersionDelEjecutable {
  uint32_t Mayor = 0;
  uint32_t Menor = 0;
  uint32_t Compilacion = 0;
  uint32_t Revision = 0;
};

class InformacionDelEjecutable {
 public:
  virtual ~InformacionDelEjecutable() = default;
  virtual VersionDelEjecutable Version() const = 0;
};

}  // namespace evalora

#pragma once
#include "platform/InformacionDelEjecutable.h"

namespace evalora {

// On Linux the version is a constant generated into each executable when it is built.
class VersionCompilada : public InformacionDelEjecutable {
 public:
  explicit VersionCompilada(VersionDelEjecutable version) : version_(version) {}
  VersionDelEjecutable Version() const override { return version_; }

 private:
  VersionDelEjecutable version_;
};

}  // namespace evalora

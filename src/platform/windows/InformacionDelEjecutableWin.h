#pragma once
#include <string>

#include "platform/InformacionDelEjecutable.h"

namespace evalora {

// The version resource of an executable (GetFileVersionInfo): this program's own by default.
class InformacionDelEjecutableWin : public InformacionDelEjecutable {
 public:
  InformacionDelEjecutableWin();  // the running program's file
  explicit InformacionDelEjecutableWin(std::string archivo);
  // All zero when the file has no version resource.
  VersionDelEjecutable Version() const override;
  // The file the version is read from (Windows path).
  const std::string& Archivo() const { return archivo_; }

 private:
  std::string archivo_;
};

}  // namespace evalora

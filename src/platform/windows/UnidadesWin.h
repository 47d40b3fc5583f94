#pragma once
#include "platform/Unidades.h"

namespace evalora {

// The drive letters Windows has (GetLogicalDrives) that are ready (their volume answers), with the
// type GetDriveType gives, numbered as the scripting runtime numbers it.
class UnidadesWin : public Unidades {
 public:
  std::vector<Unidad> Listar() override;
};

}  // namespace evalora

#pragma once
// The Windows shell: special folders (SHGetSpecialFolderLocation), ShellExecute, shortcuts through
// IShellLink and IPersistFile, the folder browser (SHBrowseForFolder). "regsvr32" is the one a
// 32-bit program starts (SysWOW64's on a 64-bit Windows), as the libraries it registers are 32-bit.

#include "platform/Shell.h"

namespace evalora {

class ShellWin : public Shell {
 public:
  std::string CarpetaEspecial(int csidl) override;
  bool Abrir(const std::string& archivo, const std::string& argumentos) override;
  bool GuardarAccesoDirecto(const std::string& archivoLnk, const AccesoDirecto& acceso) override;
  std::string ExaminarCarpeta(const std::string& titulo) override;
};

}  // namespace evalora

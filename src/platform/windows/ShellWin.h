#pragma once
// The Windows shell: special folders (SHGetSpecialFolderLocation), ShellExecute, shortcuts through
// IShellLink and IPersistFile, the folder browser (SHBrowseForFolder). "regsvr32" is the one a
// 32-bit program starts (SysWOW64's on a 64-bit Windows), as the libraries it registers are 32-bit.

#include "platform/Shell.h"
#include "platform/windows/VentanaDuena.h"

namespace evalora {

// What it opens and its folder browser are owned by the program's main window (none given: by no
// window).
class ShellWin : public Shell {
 public:
  explicit ShellWin(const win32::VentanaDuena* duena = nullptr) : duena_(duena) {}
  std::string CarpetaEspecial(int csidl) override;
  bool Abrir(const std::string& archivo, const std::string& argumentos, Verbo verbo) override;
  bool GuardarAccesoDirecto(const std::string& archivoLnk, const AccesoDirecto& acceso) override;
  std::string ExaminarCarpeta(const std::string& titulo) override;

 private:
  HWND Duena() const { return duena_ ? duena_->Ventana() : nullptr; }
  const win32::VentanaDuena* duena_;
};

}  // namespace evalora

#pragma once
// The Windows shell: special folders (SHGetSpecialFolderLocation), ShellExecute, shortcuts through
// IShellLink and IPersistFile, the folder browser (SHBrowseForFolder). "regsvr32" is the one a
// 32-bit program starts (SysWOW64's on a 64-bit Windows), as the libraries it registers are 32-bit;
// it runs hidden, and its runs are kept until they end. Opening as the desktop's user goes
// through the desktop's shell window (IShellDispatch2::ShellExecute in Explorer's process).

#include <vector>

#include "platform/Shell.h"
#include "platform/windows/VentanaDuena.h"

namespace evalora {

// What it opens and its folder browser are owned by the program's main window (none given: by no
// window).
class ShellWin : public Shell {
 public:
  explicit ShellWin(const win32::VentanaDuena* duena = nullptr) : duena_(duena) {}
  std::string CarpetaEspecial(int csidl) override;
  ~ShellWin() override;
  ShellWin(const ShellWin&) = delete;
  ShellWin& operator=(const ShellWin&) = delete;
  bool Abrir(const std::string& archivo, const std::string& argumentos, Verbo verbo) override;
  bool AbrirComoUsuario(const std::string& archivo, const std::string& argumentos, Verbo verbo) override;
  bool TerminaronLosOcultos(uint32_t esperaMs) override;
  bool GuardarAccesoDirecto(const std::string& archivoLnk, const AccesoDirecto& acceso) override;
  std::string ExaminarCarpeta(const std::string& titulo) override;

 private:
  HWND Duena() const { return duena_ ? duena_->Ventana() : nullptr; }
  const win32::VentanaDuena* duena_;
  std::vector<void*> ocultos_;  // the hidden programs' process handles, not yet seen ending
};

}  // namespace evalora

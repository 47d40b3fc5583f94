#include "platform/windows/UnidadesWin.h"

#include <windows.h>

namespace evalora {

namespace {

int Tipo(UINT tipo) {
  switch (tipo) {
    case DRIVE_REMOVABLE:
      return kUnidadExtraible;
    case DRIVE_FIXED:
      return kUnidadFija;
    case DRIVE_REMOTE:
      return kUnidadDeRed;
    case DRIVE_CDROM:
      return kUnidadCdRom;
    case DRIVE_RAMDISK:
      return kUnidadRam;
    default:
      return kUnidadDesconocida;
  }
}

}  // namespace

std::vector<Unidad> UnidadesWin::Listar() {
  std::vector<Unidad> unidades;
  const DWORD letras = GetLogicalDrives();
  // An empty card reader or CD drive must not ask the user to insert a disk.
  const UINT antes = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  for (int i = 0; i < 26; ++i) {
    if (!(letras & (1u << i))) continue;
    const wchar_t raiz[4] = {static_cast<wchar_t>(L'A' + i), L':', L'\\', 0};
    DWORD serie = 0;
    if (!GetVolumeInformationW(raiz, nullptr, 0, &serie, nullptr, nullptr, nullptr, 0)) continue;  // not ready
    unidades.push_back(Unidad{std::string(1, static_cast<char>('A' + i)) + ":", Tipo(GetDriveTypeW(raiz))});
  }
  SetErrorMode(antes);
  return unidades;
}

}  // namespace evalora

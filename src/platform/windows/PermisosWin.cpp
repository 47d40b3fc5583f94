#include "platform/windows/PermisosWin.h"

#include <windows.h>
#include <aclapi.h>

namespace evalora::win32 {

bool AbrirCarpetaATodos(const std::filesystem::path& carpeta) {
  const std::wstring ruta = carpeta.wstring();
  const DWORD atributos = GetFileAttributesW(ruta.c_str());
  if (atributos == INVALID_FILE_ATTRIBUTES || !(atributos & FILE_ATTRIBUTE_DIRECTORY) ||
      (atributos & FILE_ATTRIBUTE_REPARSE_POINT)) {
    return false;
  }
  SID_IDENTIFIER_AUTHORITY mundo = SECURITY_WORLD_SID_AUTHORITY;
  PSID todos = nullptr;
  if (!AllocateAndInitializeSid(&mundo, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &todos)) {
    return false;
  }
  PACL actual = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  PACL nueva = nullptr;
  bool hecho = false;
  if (GetNamedSecurityInfoW(ruta.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, &actual,
                            nullptr, &descriptor) == ERROR_SUCCESS) {
    EXPLICIT_ACCESSW acceso{};
    acceso.grfAccessPermissions = FILE_GENERIC_READ | FILE_GENERIC_WRITE | FILE_GENERIC_EXECUTE | DELETE;
    acceso.grfAccessMode = GRANT_ACCESS;
    acceso.grfInheritance = SUB_CONTAINERS_AND_OBJECTS_INHERIT;
    acceso.Trustee.TrusteeForm = TRUSTEE_IS_SID;
    acceso.Trustee.TrusteeType = TRUSTEE_IS_WELL_KNOWN_GROUP;
    acceso.Trustee.ptstrName = static_cast<LPWSTR>(todos);
    if (SetEntriesInAclW(1, &acceso, actual, &nueva) == ERROR_SUCCESS) {
      std::wstring cambiable = ruta;
      hecho = SetNamedSecurityInfoW(cambiable.data(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr,
                                    nueva, nullptr) == ERROR_SUCCESS;
    }
  }
  if (nueva) LocalFree(nueva);
  if (descriptor) LocalFree(descriptor);
  FreeSid(todos);
  return hecho;
}

}  // namespace evalora::win32

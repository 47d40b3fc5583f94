// SecurityFolder on Windows: a folder is opened to every user by an entry of its access list that
// lets everyone (the World group) read, write, enter and delete, inherited by all it holds, as the
// Linux build's tool gives everyone those rights. A folder
// that is a link (a junction or symbolic link) is refused; Windows never takes an inherited entry
// across one.
#include "Trabajos.h"
#include "platform/windows/ImpresorasWinspool.h"
#include "platform/windows/RegistroWin.h"
#include "platform/windows/SistemaDeArchivosWin.h"

#include <windows.h>
#include <aclapi.h>

namespace {

using namespace evalora;

bool AbrirATodos(const std::filesystem::path& carpeta) {
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

}  // namespace

int main(int argc, char** argv) {
  SistemaDeArchivosWin archivos;
  RegistroWin registro;
  ImpresorasWinspool impresoras;
  return securityfolder::Ejecutar(argc, argv, {archivos, registro, impresoras, AbrirATodos});
}

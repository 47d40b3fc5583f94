#include "platform/windows/UsuarioWin.h"

#include <windows.h>

#include <vector>

#include "platform/windows/TextoWin.h"

namespace evalora {

namespace {

constexpr DWORD kLargoDeNombre = 255;

// The account name of a SID on this computer, in a buffer of 255 characters filled with blanks
// beforehand, compared whole; nothing when the lookup fails.
bool NombreDeCuenta(PSID sid, std::wstring& nombre) {
  std::wstring cuenta(kLargoDeNombre, L' ');
  std::wstring dominio(kLargoDeNombre, L' ');
  DWORD largoCuenta = kLargoDeNombre;
  DWORD largoDominio = kLargoDeNombre;
  SID_NAME_USE uso;
  if (!LookupAccountSidW(nullptr, sid, cuenta.data(), &largoCuenta, dominio.data(), &largoDominio, &uso)) return false;
  nombre = cuenta;
  return true;
}

}  // namespace

std::string UsuarioWin::Nombre() {
  wchar_t nombre[257];
  DWORD largo = 257;
  if (!GetUserNameW(nombre, &largo) || largo == 0) return "";
  return win32::Estrecho(std::wstring(nombre, largo - 1));
}

bool UsuarioWin::EsAdministrador() {
  const HANDLE proceso = GetCurrentProcess();
  HANDLE token = nullptr;
  if (!OpenProcessToken(proceso, TOKEN_QUERY | STANDARD_RIGHTS_READ, &token)) return false;
  bool administrador = false;
  PSID administradores = nullptr;
  DWORD necesario = 0;
  // The first call must fail and say how long the groups are; the second must give them.
  if (!GetTokenInformation(token, TokenGroups, nullptr, 0, &necesario) && necesario > 0) {
    std::vector<BYTE> grupos(necesario);
    DWORD largo = 0;
    SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
    if (GetTokenInformation(token, TokenGroups, grupos.data(), necesario, &largo) && largo > 0 &&
        AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0,
                                 &administradores)) {
      std::wstring nombreDelGrupo;
      if (NombreDeCuenta(administradores, nombreDelGrupo)) {
        const auto* lista = reinterpret_cast<const TOKEN_GROUPS*>(grupos.data());
        for (DWORD i = 0; i < lista->GroupCount && !administrador; ++i) {
          std::wstring nombre;
          administrador = NombreDeCuenta(lista->Groups[i].Sid, nombre) && nombre == nombreDelGrupo;
        }
      }
    }
  }
  if (administradores) FreeSid(administradores);
  CloseHandle(token);
  CloseHandle(proceso);  // the pseudo handle: closing it does nothing
  return administrador;
}

bool UsuarioWin::Elevado() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
  TOKEN_ELEVATION elevacion{};
  DWORD largo = 0;
  const bool elevado = GetTokenInformation(token, TokenElevation, &elevacion, sizeof elevacion, &largo) &&
                       elevacion.TokenIsElevated != 0;
  CloseHandle(token);
  return elevado;
}

}  // namespace evalora

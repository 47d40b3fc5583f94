#pragma once
// The program's registry reader: values of keys named by path texts ("HKLM\SOFTWARE\…"), read in
// any common type, plus a general registry interface over the registry service.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "platform/Entorno.h"
#include "platform/Registro.h"
#include "platform/Usuario.h"

namespace evalora {

// What GetReg returns: empty, a text, a 32-bit number or bytes.
using Variante = std::variant<std::monostate, std::string, int32_t, std::vector<uint8_t>>;

class cQueryReg {
 public:
  // Reads the name of the user running the program (Class_Initialize).
  cQueryReg(Registro& registro, Usuario& usuario, const Entorno& entorno);

  // --- what the wizard uses ---
  Variante GetReg(std::string sKey, const std::string& sValue = "", win::HKEY hKey = 0, bool bAsString = false);
  // Takes the root off `sKey` (which becomes the subkey path) and returns its handle.
  win::HKEY ParseKey(std::string& sKey, win::HKEY hKey = 0) const;
  static std::string RTrimZero(const std::string& sString, bool PorElFinal = false);
  const std::string& UserName() const { return userName_; }

  // --- the general interface ---
  long CreateKey(const std::string& sKey);
  bool ExistKey(const std::string& sKey);
  std::string ClassCLSID(const std::string& sClass);
  std::string ClassTypeLib(const std::string& sClass);
  long DeleteKeyNT(win::HKEY hParent, const std::string& szKey);
  long DeleteKeyWin95(win::HKEY hParent, const std::string& szKey);
  std::optional<int32_t> GetRegDWord(const std::string& sKey, const std::string& sValue = "", win::HKEY hKey = 0);
  std::optional<uint32_t> GetRegType(const std::string& sKey, const std::string& sValue = "", win::HKEY hKey = 0);
  std::optional<std::vector<uint8_t>> GetRegBinary(const std::string& sKey, const std::string& sValue = "",
                                                   win::HKEY hKey = 0);
  std::optional<std::string> GetRegString(const std::string& sKey, const std::string& sValue = "", win::HKEY hKey = 0);
  // The default value of the subkey `sValue` of an open key.
  std::string QueryRegBase(const std::string& sValue, win::HKEY hKey);

  // Open keys by handle, as the registry functions of the same names.
  long OpenKeyEx(win::HKEY hKey, const std::string& sSubKey, uint32_t samDesired, win::HKEY& phkResult);
  long OpenKeyQuery(win::HKEY hKey, const std::string& sSubKey, win::HKEY& phkResult);
  long CloseKey(win::HKEY hKey);
  long QueryInfoKey(win::HKEY hKey, InfoDeClave& info);
  long EnumKeyEx(win::HKEY hKey, uint32_t dwIndex, std::string& sName);
  long EnumValue(win::HKEY hKey, uint32_t dwIndex, std::string& sName, DatoDelRegistro& dato);
  // Text values only (REG_SZ, REG_EXPAND_SZ); other types are skipped with their name returned.
  long EnumValueString(win::HKEY hKey, uint32_t dwIndex, std::string& sName, std::string& sData);

  // The user's shell folders (…\Explorer\Shell Folders) plus "WindowsDir" and "SystemDir".
  std::map<std::string, std::string> ShellFolders();
  std::string GetFolder(const std::string& sNombre);

  // Sets the default value of a subkey (created when missing), as RegSetValue does.
  long RegSetValue2(win::HKEY hKey, const std::string& sSubKey, const std::string& sValor);
  // File-extension association under HKEY_CLASSES_ROOT.
  long AsociarExt(const std::string& sExt, const std::string& sClase, const std::string& sDescripcion);
  long AsociarIcono(const std::string& sClase, const std::string& sIcono);
  long DesasociarExt(const std::string& sExt);

  long SetReg(const std::string& sKey, const std::string& sName, const Variante& valor, win::HKEY hKey = 0,
              uint32_t RegDataType = win::REG_SZ, bool bCreateKey = true);
  long DeleteKey(const std::string& sKey, win::HKEY hKey = 0);  // a key without subkeys
  long DeleteValue(const std::string& sKey, const std::string& sName, win::HKEY hKey = 0);
  std::vector<std::string> EnumKeys(const std::string& sKey, win::HKEY hKey = 0);
  std::vector<std::string> EnumValues(const std::string& sKey, win::HKEY hKey = 0);
  std::vector<std::string> EnumValuesByType(const std::string& sKey, uint32_t tipo, win::HKEY hKey = 0);
  // The key and all below it as the text of a .reg file; the caller writes it where it wants.
  long RegSaveKey(const std::string& sKey, std::string& sTexto, win::HKEY hKey = 0);
  // Removes a COM class registration: its ProgID key and its CLSID key.
  long UnRegister(const std::string& sClass);

  static std::string NombreDeRaiz(win::HKEY hKey);
  Registro& registro() { return registro_; }

 private:
  struct ClaveAbierta {
    win::HKEY raiz;
    std::string ruta;
  };
  std::optional<ClaveAbierta> Abierta(win::HKEY hKey) const;

  Registro& registro_;
  const Entorno& entorno_;
  std::string userName_;
  std::map<win::HKEY, ClaveAbierta> abiertas_;
  win::HKEY siguiente_ = 0x100;
};

}  // namespace evalora

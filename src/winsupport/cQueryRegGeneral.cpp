// The general members of the registry class: the wizard calls none of them; support tools do.
#include "core/Texto.h"
#include "winsupport/ExportacionReg.h"
#include "winsupport/cQueryReg.h"

namespace evalora {

namespace {

constexpr const char* kCarpetasDelShell = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

std::string Hijo(const std::string& ruta, const std::string& nombre) {
  return ruta.empty() ? nombre : ruta + "\\" + nombre;
}

std::string TextoDe(const Variante& v) {
  if (const auto* t = std::get_if<std::string>(&v)) return *t;
  if (const auto* n = std::get_if<int32_t>(&v)) return std::to_string(*n);
  return std::string();
}

std::optional<DatoDelRegistro> DatoDeVariante(const Variante& valor, uint32_t tipo) {
  switch (tipo) {
    case win::REG_SZ:
    case win::REG_EXPAND_SZ:
      return DatoDeTexto(TextoDe(valor), tipo);
    case win::REG_MULTI_SZ: {
      // The strings of the list are separated by NUL characters in the text.
      std::vector<std::string> textos;
      const std::string texto = TextoDe(valor);
      size_t inicio = 0;
      while (inicio < texto.size()) {
        size_t fin = texto.find('\0', inicio);
        if (fin == std::string::npos) fin = texto.size();
        textos.push_back(texto.substr(inicio, fin - inicio));
        inicio = fin + 1;
      }
      return DatoDeMultiTexto(textos);
    }
    case win::REG_DWORD: {
      if (const auto* n = std::get_if<int32_t>(&valor)) return DatoDeDword(static_cast<uint32_t>(*n));
      const auto numero = ANumero(TextoDe(valor));
      if (!numero) return std::nullopt;
      return DatoDeDword(static_cast<uint32_t>(static_cast<int64_t>(*numero)));
    }
    default: {
      if (const auto* b = std::get_if<std::vector<uint8_t>>(&valor)) return DatoDelRegistro{tipo, *b};
      const std::string texto = TextoDe(valor);
      return DatoDelRegistro{tipo, std::vector<uint8_t>(texto.begin(), texto.end())};
    }
  }
}

}  // namespace

long cQueryReg::CreateKey(const std::string& sKey) {
  std::string ruta = sKey;
  const win::HKEY raiz = ParseKey(ruta);
  return registro_.CrearClave(raiz, ruta);
}

bool cQueryReg::ExistKey(const std::string& sKey) {
  std::string ruta = sKey;
  const win::HKEY raiz = ParseKey(ruta, win::HKEY_LOCAL_MACHINE);
  return registro_.AbrirClave(raiz, ruta) == win::kExito;
}

std::string cQueryReg::ClassCLSID(const std::string& sClass) {
  return GetRegString("HKEY_LOCAL_MACHINE\\Software\\Classes\\" + sClass + "\\CLSID").value_or("");
}

std::string cQueryReg::ClassTypeLib(const std::string& sClass) {
  const std::string clsid = ClassCLSID(sClass);
  if (clsid.empty()) return std::string();
  return GetRegString("HKEY_LOCAL_MACHINE\\Software\\Classes\\CLSID\\" + clsid + "\\TypeLib").value_or("");
}

long cQueryReg::DeleteKeyNT(win::HKEY hParent, const std::string& szKey) {
  const auto padre = Abierta(hParent);
  return padre ? BorrarArbol(registro_, padre->raiz, Hijo(padre->ruta, szKey)) : win::kIdentificadorNoValido;
}

long cQueryReg::DeleteKeyWin95(win::HKEY hParent, const std::string& szKey) { return DeleteKeyNT(hParent, szKey); }

std::optional<int32_t> cQueryReg::GetRegDWord(const std::string& sKey, const std::string& sValue, win::HKEY hKey) {
  const Variante v = GetReg(sKey, sValue, hKey);
  if (const auto* n = std::get_if<int32_t>(&v)) return *n;
  return std::nullopt;
}

std::optional<uint32_t> cQueryReg::GetRegType(const std::string& sKey, const std::string& sValue, win::HKEY hKey) {
  std::string ruta = sKey;
  const win::HKEY raiz = ParseKey(ruta, hKey);
  DatoDelRegistro dato;
  if (registro_.ConsultarValor(raiz, ruta, sValue, dato) != win::kExito) return std::nullopt;
  return dato.tipo;
}

std::optional<std::vector<uint8_t>> cQueryReg::GetRegBinary(const std::string& sKey, const std::string& sValue,
                                                            win::HKEY hKey) {
  std::string ruta = sKey;
  const win::HKEY raiz = ParseKey(ruta, hKey);
  DatoDelRegistro dato;
  if (registro_.ConsultarValor(raiz, ruta, sValue, dato) != win::kExito) return std::nullopt;
  return dato.bytes;
}

std::optional<std::string> cQueryReg::GetRegString(const std::string& sKey, const std::string& sValue, win::HKEY hKey) {
  const Variante v = GetReg(sKey, sValue, hKey);
  if (const auto* t = std::get_if<std::string>(&v)) return *t;
  return std::nullopt;
}

std::string cQueryReg::QueryRegBase(const std::string& sValue, win::HKEY hKey) {
  const auto clave = Abierta(hKey);
  if (!clave) return std::string();
  DatoDelRegistro dato;
  if (registro_.ConsultarValor(clave->raiz, Hijo(clave->ruta, sValue), "", dato) != win::kExito) return std::string();
  return TextoDeDato(dato);
}

std::map<std::string, std::string> cQueryReg::ShellFolders() {
  std::map<std::string, std::string> carpetas;
  std::string nombre;
  DatoDelRegistro dato;
  for (uint32_t i = 0;
       registro_.EnumerarValor(win::HKEY_CURRENT_USER, kCarpetasDelShell, i, nombre, dato) == win::kExito; ++i) {
    if (dato.tipo == win::REG_SZ || dato.tipo == win::REG_EXPAND_SZ) carpetas[nombre] = TextoDeDato(dato);
  }
  const std::string windows = entorno_.Valor("windir");
  carpetas["WindowsDir"] = windows;
  carpetas["SystemDir"] = windows + "\\system32";
  return carpetas;
}

std::string cQueryReg::GetFolder(const std::string& sNombre) {
  for (const auto& [nombre, carpeta] : ShellFolders()) {
    if (IgualesSinMayusculas(nombre, sNombre)) return carpeta;
  }
  return std::string();
}

long cQueryReg::RegSetValue2(win::HKEY hKey, const std::string& sSubKey, const std::string& sValor) {
  const auto clave = Abierta(hKey);
  if (!clave) return win::kIdentificadorNoValido;
  return registro_.EstablecerValor(clave->raiz, Hijo(clave->ruta, sSubKey), "", DatoDeTexto(sValor));
}

long cQueryReg::AsociarExt(const std::string& sExt, const std::string& sClase, const std::string& sDescripcion) {
  const std::string extension = (!sExt.empty() && sExt[0] == '.') ? sExt : "." + sExt;
  if (const long r = RegSetValue2(win::HKEY_CLASSES_ROOT, extension, sClase); r != win::kExito) return r;
  return RegSetValue2(win::HKEY_CLASSES_ROOT, sClase, sDescripcion);
}

long cQueryReg::AsociarIcono(const std::string& sClase, const std::string& sIcono) {
  return RegSetValue2(win::HKEY_CLASSES_ROOT, sClase + "\\DefaultIcon", sIcono);
}

long cQueryReg::DesasociarExt(const std::string& sExt) {
  const std::string extension = (!sExt.empty() && sExt[0] == '.') ? sExt : "." + sExt;
  return BorrarArbol(registro_, win::HKEY_CLASSES_ROOT, extension);
}

long cQueryReg::SetReg(const std::string& sKey, const std::string& sName, const Variante& valor, win::HKEY hKey,
                       uint32_t RegDataType, bool bCreateKey) {
  std::string ruta = sKey;
  const win::HKEY raiz = ParseKey(ruta, hKey);
  if (!bCreateKey) {
    if (const long r = registro_.AbrirClave(raiz, ruta); r != win::kExito) return r;
  }
  const auto dato = DatoDeVariante(valor, RegDataType);
  if (!dato) return win::kParametroNoValido;
  return registro_.EstablecerValor(raiz, ruta, sName, *dato);
}

long cQueryReg::DeleteKey(const std::string& sKey, win::HKEY hKey) {
  std::string ruta = sKey;
  const win::HKEY raiz = ParseKey(ruta, hKey);
  return registro_.BorrarClave(raiz, ruta);
}

long cQueryReg::DeleteValue(const std::string& sKey, const std::string& sName, win::HKEY hKey) {
  std::string ruta = sKey;
  const win::HKEY raiz = ParseKey(ruta, hKey);
  return registro_.BorrarValor(raiz, ruta, sName);
}

std::vector<std::string> cQueryReg::EnumKeys(const std::string& sKey, win::HKEY hKey) {
  std::string ruta = sKey;
  const win::HKEY raiz = ParseKey(ruta, hKey);
  std::vector<std::string> nombres;
  std::string nombre;
  for (uint32_t i = 0; registro_.EnumerarSubclave(raiz, ruta, i, nombre) == win::kExito; ++i) nombres.push_back(nombre);
  return nombres;
}

std::vector<std::string> cQueryReg::EnumValuesByType(const std::string& sKey, uint32_t tipo, win::HKEY hKey) {
  std::string ruta = sKey;
  const win::HKEY raiz = ParseKey(ruta, hKey);
  std::vector<std::string> nombres;
  std::string nombre;
  DatoDelRegistro dato;
  for (uint32_t i = 0; registro_.EnumerarValor(raiz, ruta, i, nombre, dato) == win::kExito; ++i) {
    if (tipo == UINT32_MAX || dato.tipo == tipo) nombres.push_back(nombre);
  }
  return nombres;
}

std::vector<std::string> cQueryReg::EnumValues(const std::string& sKey, win::HKEY hKey) {
  return EnumValuesByType(sKey, UINT32_MAX, hKey);
}

long cQueryReg::RegSaveKey(const std::string& sKey, std::string& sTexto, win::HKEY hKey) {
  std::string ruta = sKey;
  const win::HKEY raiz = ParseKey(ruta, hKey);
  return ExportarClave(registro_, raiz, ruta, sTexto);
}

long cQueryReg::UnRegister(const std::string& sClass) {
  const std::string clsid = ClassCLSID(sClass);
  const long r = BorrarArbol(registro_, win::HKEY_CLASSES_ROOT, sClass);
  if (!clsid.empty()) {
    const long rClsid = BorrarArbol(registro_, win::HKEY_CLASSES_ROOT, "CLSID\\" + clsid);
    if (r == win::kExito) return rClsid;
  }
  return r;
}

}  // namespace evalora

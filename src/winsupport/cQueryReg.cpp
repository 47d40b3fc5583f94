#include "winsupport/cQueryReg.h"

#include <cstdio>

#include "core/Texto.h"
#include "core/Unicode.h"

namespace evalora {

namespace {

struct Raiz {
  const char* nombre;
  const char* corto;
  win::HKEY clave;
};

constexpr Raiz kRaices[] = {
    {"HKEY_CLASSES_ROOT", "HKCR\\", win::HKEY_CLASSES_ROOT},
    {"HKEY_CURRENT_USER", "HKCU\\", win::HKEY_CURRENT_USER},
    {"HKEY_LOCAL_MACHINE", "HKLM\\", win::HKEY_LOCAL_MACHINE},
    {"HKEY_USERS", "HKU\\", win::HKEY_USERS},
    {"HKEY_PERFORMANCE_DATA", "HKPD\\", win::HKEY_PERFORMANCE_DATA},
    {"HKEY_CURRENT_CONFIG", "HKCC\\", win::HKEY_CURRENT_CONFIG},
    {"HKEY_DYN_DATA", "HKDD\\", win::HKEY_DYN_DATA},
};

// The value's text as the ANSI functions hand it over: all its characters but the terminating one.
std::string TextoSinTerminador(const DatoDelRegistro& dato) {
  std::u16string unidades = BytesAUtf16(dato.bytes);
  if (!unidades.empty() && unidades.back() == u'\0') unidades.pop_back();
  return Utf16AUtf8(unidades);
}

}  // namespace

cQueryReg::cQueryReg(Registro& registro, Usuario& usuario, const Entorno& entorno)
    : registro_(registro), entorno_(entorno), userName_(usuario.Nombre()) {}

std::string cQueryReg::NombreDeRaiz(win::HKEY hKey) {
  for (const auto& raiz : kRaices) {
    if (raiz.clave == hKey) return raiz.nombre;
  }
  return std::string();
}

win::HKEY cQueryReg::ParseKey(std::string& sKey, win::HKEY hKey) const {
  sKey = RecortarBlancos(sKey);
  if (!sKey.empty() && sKey.back() == '\\') sKey.pop_back();
  std::optional<std::string> nombreDeRaiz;
  if (sKey.find("HKEY_") != std::string::npos) {
    const auto barra = sKey.find('\\');
    nombreDeRaiz = sKey.substr(0, barra);
    sKey = barra == std::string::npos ? std::string() : sKey.substr(barra + 1);
  } else {
    for (const auto& raiz : kRaices) {
      if (sKey.rfind(raiz.corto, 0) == 0) {
        nombreDeRaiz = raiz.nombre;
        sKey = sKey.substr(std::char_traits<char>::length(raiz.corto));
        break;
      }
    }
  }
  if (!nombreDeRaiz) return win::EsRaiz(hKey) ? hKey : win::HKEY_CLASSES_ROOT;
  for (const auto& raiz : kRaices) {
    if (*nombreDeRaiz == raiz.nombre) return raiz.clave;
  }
  return win::HKEY_CLASSES_ROOT;
}

std::string cQueryReg::RTrimZero(const std::string& sString, bool PorElFinal) {
  if (!PorElFinal) return sString.substr(0, sString.find('\0'));
  std::string texto = sString;
  const auto ultimo = texto.rfind('\0');
  if (ultimo != std::string::npos) texto.resize(ultimo);
  for (char& c : texto) {
    if (c == '\0') c = ' ';
  }
  return texto;
}

Variante cQueryReg::GetReg(std::string sKey, const std::string& sValue, win::HKEY hKey, bool bAsString) {
  const win::HKEY raiz = ParseKey(sKey, hKey);
  DatoDelRegistro dato;
  if (registro_.ConsultarValor(raiz, sKey, sValue, dato) != win::kExito) return {};
  switch (dato.tipo) {
    case win::REG_SZ:
    case win::REG_EXPAND_SZ:
      return TextoSinTerminador(dato);
    case win::REG_MULTI_SZ:
      return RTrimZero(TextoSinTerminador(dato), true);
    case win::REG_DWORD: {
      if (dato.bytes.size() < 4) return {};
      const uint32_t numero = DwordDeDato(dato);
      if (!bAsString) return static_cast<int32_t>(numero);
      char texto[40];
      std::snprintf(texto, sizeof texto, "0x%08X (%d)", numero, static_cast<int32_t>(numero));
      return std::string(texto);
    }
    case win::REG_BINARY: {
      if (!bAsString) return dato.bytes;
      std::string texto;
      for (uint8_t b : dato.bytes) {
        char par[4];
        std::snprintf(par, sizeof par, "%02X ", b);
        texto += par;
      }
      return texto;
    }
    default:
      return {};
  }
}

std::optional<cQueryReg::ClaveAbierta> cQueryReg::Abierta(win::HKEY hKey) const {
  if (win::EsRaiz(hKey)) return ClaveAbierta{hKey, ""};
  auto it = abiertas_.find(hKey);
  if (it == abiertas_.end()) return std::nullopt;
  return it->second;
}

long cQueryReg::OpenKeyEx(win::HKEY hKey, const std::string& sSubKey, uint32_t /*samDesired*/, win::HKEY& phkResult) {
  const auto padre = Abierta(hKey);
  if (!padre) return win::kIdentificadorNoValido;
  std::string ruta = padre->ruta;
  if (!sSubKey.empty()) ruta += (ruta.empty() ? "" : "\\") + sSubKey;
  if (const long r = registro_.AbrirClave(padre->raiz, ruta); r != win::kExito) return r;
  phkResult = siguiente_;
  siguiente_ += 4;
  abiertas_[phkResult] = {padre->raiz, ruta};
  return win::kExito;
}

long cQueryReg::OpenKeyQuery(win::HKEY hKey, const std::string& sSubKey, win::HKEY& phkResult) {
  return OpenKeyEx(hKey, sSubKey, 0x20019, phkResult);
}

long cQueryReg::CloseKey(win::HKEY hKey) {
  if (win::EsRaiz(hKey)) return win::kExito;
  return abiertas_.erase(hKey) ? win::kExito : win::kIdentificadorNoValido;
}

long cQueryReg::QueryInfoKey(win::HKEY hKey, InfoDeClave& info) {
  const auto clave = Abierta(hKey);
  return clave ? registro_.ConsultarInfo(clave->raiz, clave->ruta, info) : win::kIdentificadorNoValido;
}

long cQueryReg::EnumKeyEx(win::HKEY hKey, uint32_t dwIndex, std::string& sName) {
  const auto clave = Abierta(hKey);
  return clave ? registro_.EnumerarSubclave(clave->raiz, clave->ruta, dwIndex, sName) : win::kIdentificadorNoValido;
}

long cQueryReg::EnumValue(win::HKEY hKey, uint32_t dwIndex, std::string& sName, DatoDelRegistro& dato) {
  const auto clave = Abierta(hKey);
  return clave ? registro_.EnumerarValor(clave->raiz, clave->ruta, dwIndex, sName, dato) : win::kIdentificadorNoValido;
}

long cQueryReg::EnumValueString(win::HKEY hKey, uint32_t dwIndex, std::string& sName, std::string& sData) {
  DatoDelRegistro dato;
  const long r = EnumValue(hKey, dwIndex, sName, dato);
  sData = (r == win::kExito && (dato.tipo == win::REG_SZ || dato.tipo == win::REG_EXPAND_SZ)) ? TextoDeDato(dato) : "";
  return r;
}

}  // namespace evalora

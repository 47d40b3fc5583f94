#include "platform/windows/RegistroWin.h"

#include <windows.h>

#include <vector>

#include "platform/windows/TextoWin.h"

namespace evalora {

namespace {

HKEY Raiz(win::HKEY raiz) { return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(raiz))); }

// An open key, closed when it goes out of scope.
class Clave {
 public:
  Clave(win::HKEY raiz, const std::string& ruta, REGSAM acceso, bool crear = false) {
    const std::wstring camino = win32::Ancho(ruta);
    if (crear) {
      error_ = RegCreateKeyExW(Raiz(raiz), camino.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, acceso,
                               nullptr, &h_, nullptr);
    } else {
      error_ = RegOpenKeyExW(Raiz(raiz), camino.c_str(), 0, acceso, &h_);
    }
    if (error_ != ERROR_SUCCESS) h_ = nullptr;
  }
  ~Clave() {
    if (h_) RegCloseKey(h_);
  }
  Clave(const Clave&) = delete;
  Clave& operator=(const Clave&) = delete;
  HKEY h() const { return h_; }
  long error() const { return error_; }

 private:
  HKEY h_ = nullptr;
  long error_ = ERROR_SUCCESS;
};

// A value's bytes as the registry keeps them.
long LeerValor(HKEY clave, const std::wstring& nombre, DatoDelRegistro& dato) {
  DWORD tipo = 0;
  DWORD tamano = 0;
  long r = RegQueryValueExW(clave, nombre.c_str(), nullptr, &tipo, nullptr, &tamano);
  if (r != ERROR_SUCCESS) return r;
  std::vector<uint8_t> bytes(tamano);
  do {
    bytes.resize(tamano);
    r = RegQueryValueExW(clave, nombre.c_str(), nullptr, &tipo, bytes.empty() ? nullptr : bytes.data(), &tamano);
  } while (r == ERROR_MORE_DATA);
  if (r != ERROR_SUCCESS) return r;
  bytes.resize(tamano);
  dato.tipo = tipo;
  dato.bytes = std::move(bytes);
  return ERROR_SUCCESS;
}

}  // namespace

long RegistroWin::AbrirClave(win::HKEY raiz, const std::string& ruta) {
  return Clave(raiz, ruta, KEY_READ).error();
}

long RegistroWin::ConsultarValor(win::HKEY raiz, const std::string& ruta, const std::string& nombre,
                                 DatoDelRegistro& dato) {
  Clave clave(raiz, ruta, KEY_QUERY_VALUE);
  if (!clave.h()) return clave.error();
  return LeerValor(clave.h(), win32::Ancho(nombre), dato);
}

long RegistroWin::EnumerarSubclave(win::HKEY raiz, const std::string& ruta, uint32_t indice, std::string& nombre) {
  Clave clave(raiz, ruta, KEY_ENUMERATE_SUB_KEYS);
  if (!clave.h()) return clave.error();
  wchar_t texto[256];
  DWORD largo = 256;
  const long r = RegEnumKeyExW(clave.h(), indice, texto, &largo, nullptr, nullptr, nullptr, nullptr);
  if (r == ERROR_SUCCESS) nombre = win32::Estrecho(std::wstring(texto, largo));
  return r;
}

long RegistroWin::EnumerarValor(win::HKEY raiz, const std::string& ruta, uint32_t indice, std::string& nombre,
                                DatoDelRegistro& dato) {
  Clave clave(raiz, ruta, KEY_QUERY_VALUE);
  if (!clave.h()) return clave.error();
  std::vector<wchar_t> texto(16384);
  DWORD largo = static_cast<DWORD>(texto.size());
  const long r = RegEnumValueW(clave.h(), indice, texto.data(), &largo, nullptr, nullptr, nullptr, nullptr);
  if (r != ERROR_SUCCESS) return r;
  const std::wstring ancho(texto.data(), largo);
  nombre = win32::Estrecho(ancho);
  return LeerValor(clave.h(), ancho, dato);
}

long RegistroWin::ConsultarInfo(win::HKEY raiz, const std::string& ruta, InfoDeClave& info) {
  Clave clave(raiz, ruta, KEY_QUERY_VALUE);
  if (!clave.h()) return clave.error();
  DWORD subclaves = 0;
  DWORD valores = 0;
  const long r = RegQueryInfoKeyW(clave.h(), nullptr, nullptr, nullptr, &subclaves, nullptr, nullptr, &valores,
                                  nullptr, nullptr, nullptr, nullptr);
  if (r == ERROR_SUCCESS) info = InfoDeClave{subclaves, valores};
  return r;
}

long RegistroWin::CrearClave(win::HKEY raiz, const std::string& ruta) {
  return Clave(raiz, ruta, KEY_WRITE, true).error();
}

long RegistroWin::EstablecerValor(win::HKEY raiz, const std::string& ruta, const std::string& nombre,
                                  const DatoDelRegistro& dato) {
  Clave clave(raiz, ruta, KEY_SET_VALUE, true);
  if (!clave.h()) return clave.error();
  return RegSetValueExW(clave.h(), win32::Ancho(nombre).c_str(), 0, dato.tipo,
                        dato.bytes.empty() ? nullptr : dato.bytes.data(), static_cast<DWORD>(dato.bytes.size()));
}

long RegistroWin::BorrarValor(win::HKEY raiz, const std::string& ruta, const std::string& nombre) {
  Clave clave(raiz, ruta, KEY_SET_VALUE);
  if (!clave.h()) return clave.error();
  return RegDeleteValueW(clave.h(), win32::Ancho(nombre).c_str());
}

long RegistroWin::BorrarClave(win::HKEY raiz, const std::string& ruta) {
  {
    InfoDeClave info;
    if (ConsultarInfo(raiz, ruta, info) == ERROR_SUCCESS && info.subclaves > 0) return win::kAccesoDenegado;
  }
  return RegDeleteKeyW(Raiz(raiz), win32::Ancho(ruta).c_str());
}

}  // namespace evalora

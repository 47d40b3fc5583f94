#include "platform/windows/SistemaDeArchivosWin.h"

// Before windows.h, whose macros bear some of its names.
#include "platform/CodigosWin.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "core/Texto.h"
#include "platform/windows/TextoWin.h"

namespace evalora {

namespace {

// The folders below System32 that a 32-bit program reaches as they are.
constexpr const char* kCompartidas[] = {"CATROOT", "CATROOT2", "DRIVERSTORE", "DRIVERS\\ETC", "LOGFILES", "SPOOL"};

std::string Windir() {
  wchar_t texto[MAX_PATH];
  const UINT largo = GetSystemWindowsDirectoryW(texto, MAX_PATH);
  return largo > 0 && largo < MAX_PATH ? win32::Estrecho(std::wstring(texto, largo)) : "C:\\windows";
}

DWORD Atributos(const std::string& ruta) { return GetFileAttributesW(win32::Ancho(ruta).c_str()); }

std::wstring Real(const std::string& ruta) { return FormaExtendida(win32::Ancho(RutaQueAlcanza(ruta))); }

// The waits between the tries of a call that another program's hold refused: two seconds in all.
constexpr uint32_t kEsperasPorRetencion[] = {50, 100, 150, 200, 250, 250, 250, 250, 250, 250};

DWORD AtributosReales(const std::string& ruta) { return GetFileAttributesW(Real(ruta).c_str()); }

bool EsCarpeta(DWORD a) { return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY); }
bool EsArchivo(DWORD a) { return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY); }

bool OrdenSinMayusculas(const std::string& a, const std::string& b) { return Mayusculas(a) < Mayusculas(b); }

std::vector<std::string> Listar(const std::string& carpeta, bool carpetas) {
  std::vector<std::string> nombres;
  WIN32_FIND_DATAW datos;
  const std::wstring patron = Real(carpeta + (carpeta.empty() || carpeta.back() != '\\' ? "\\*" : "*"));
  const HANDLE busqueda = FindFirstFileExW(patron.c_str(), FindExInfoBasic, &datos, FindExSearchNameMatch, nullptr, 0);
  if (busqueda == INVALID_HANDLE_VALUE) return nombres;
  do {
    const std::wstring nombre = datos.cFileName;
    if (nombre == L"." || nombre == L"..") continue;
    if (((datos.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) == carpetas)
      nombres.push_back(win32::Estrecho(nombre));
  } while (FindNextFileW(busqueda, &datos));
  FindClose(busqueda);
  std::sort(nombres.begin(), nombres.end(), OrdenSinMayusculas);
  return nombres;
}

class EscrituraWin : public EscrituraDeArchivo {
 public:
  explicit EscrituraWin(HANDLE h) : h_(h) {}
  ~EscrituraWin() override { Cerrar(); }
  bool Escribir(const char* datos, size_t cuantos) override {
    while (cuantos > 0) {
      const DWORD parte = static_cast<DWORD>(std::min<size_t>(cuantos, 1u << 30));
      DWORD escrito = 0;
      if (!WriteFile(h_, datos, parte, &escrito, nullptr) || escrito == 0) return false;
      datos += escrito;
      cuantos -= escrito;
    }
    return true;
  }
  bool Asegurar() override { return FlushFileBuffers(h_) != FALSE; }
  bool Cerrar() override {
    if (h_ == INVALID_HANDLE_VALUE) return true;
    const bool bien = CloseHandle(h_) != FALSE;
    h_ = INVALID_HANDLE_VALUE;
    return bien;
  }

 private:
  HANDLE h_;
};

}  // namespace

bool EsRetencion(unsigned long error) {
  return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION || error == ERROR_ACCESS_DENIED;
}

std::wstring FormaExtendida(const std::wstring& ruta) {
  if (ruta.rfind(L"\\\\?\\", 0) == 0) return ruta;
  std::wstring barras = ruta;
  std::replace(barras.begin(), barras.end(), L'/', L'\\');
  std::wstring raiz;
  size_t desde = 0;
  if (barras.size() >= 3 && iswalpha(barras[0]) && barras[1] == L':' && barras[2] == L'\\') {
    raiz = L"\\\\?\\" + barras.substr(0, 2);
    desde = 3;
  } else if (barras.size() > 2 && barras.rfind(L"\\\\", 0) == 0 && barras[2] != L'.' && barras[2] != L'?') {
    // \\servidor\recurso: both names are the root, never left by "..".
    const size_t servidor = barras.find(L'\\', 2);
    if (servidor == std::wstring::npos || servidor == 2) return ruta;
    const size_t recurso = barras.find(L'\\', servidor + 1);
    raiz = L"\\\\?\\UNC\\" + barras.substr(2, (recurso == std::wstring::npos ? barras.size() : recurso) - 2);
    desde = recurso == std::wstring::npos ? barras.size() : recurso + 1;
  } else {
    return ruta;
  }
  std::vector<std::wstring> partes;
  while (desde <= barras.size()) {
    size_t fin = barras.find(L'\\', desde);
    if (fin == std::wstring::npos) fin = barras.size();
    std::wstring parte = barras.substr(desde, fin - desde);
    desde = fin + 1;
    if (parte == L"..") {
      if (!partes.empty()) partes.pop_back();
      continue;
    }
    if (parte == L"*") {  // a search pattern keeps its wildcard
      partes.push_back(parte);
      continue;
    }
    // Windows drops a name's final blanks and dots before it opens it; in this form it would not.
    while (!parte.empty() && (parte.back() == L' ' || parte.back() == L'.')) parte.pop_back();
    if (!parte.empty()) partes.push_back(parte);
  }
  std::wstring extendida = raiz;
  for (const auto& parte : partes) extendida += L"\\" + parte;
  if (partes.empty()) extendida += L"\\";  // the root of a drive, "\\?\C:\"
  return extendida;
}

std::string RutaQueAlcanza(const std::string& ruta) {
  static const std::string windir = Windir();
  static const bool haySysWow64 = [] {
    const DWORD a = Atributos(windir + "\\SysWOW64");
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
  }();
  return RutaDe32Bits(ruta, windir, haySysWow64);
}

std::string RutaDe32Bits(const std::string& ruta, const std::string& windir, bool haySysWow64) {
  const std::string sistema = Mayusculas(windir) + "\\SYSTEM32";
  const std::string mayusculas = Mayusculas(ruta);
  if (!haySysWow64 || mayusculas.rfind(sistema, 0) != 0) return ruta;
  if (mayusculas.size() > sistema.size() && mayusculas[sistema.size()] != '\\') return ruta;  // System32x
  const std::string debajo = mayusculas.substr(std::min(mayusculas.size(), sistema.size() + 1));
  for (const char* compartida : kCompartidas) {
    const std::string c = compartida;
    if (debajo.rfind(c, 0) == 0 && (debajo.size() == c.size() || debajo[c.size()] == '\\')) return ruta;
  }
  return windir + "\\SysWOW64" + ruta.substr(sistema.size());
}

bool SistemaDeArchivosWin::Fallo() {
  ultimoError_ = static_cast<long>(GetLastError());
  return false;
}

template <typename Llamada>
bool SistemaDeArchivosWin::Reintentando(Llamada llamada) {
  for (const uint32_t espera : kEsperasPorRetencion) {
    if (llamada()) return true;
    if (!EsRetencion(GetLastError())) return Fallo();
    reloj_.Dormir(espera);
  }
  return llamada() || Fallo();
}

std::optional<std::filesystem::path> SistemaDeArchivosWin::RutaAnfitrion(const std::string& ruta) const {
  const std::wstring alcanzada = win32::Ancho(RutaQueAlcanza(ruta));
  const bool conUnidad =
      alcanzada.size() >= 3 && iswalpha(alcanzada[0]) && alcanzada[1] == L':' && alcanzada[2] == L'\\';
  if (!conUnidad) return std::nullopt;
  // Beyond MAX_PATH only the extended form opens.
  return std::filesystem::path(alcanzada.size() < MAX_PATH ? alcanzada : FormaExtendida(alcanzada));
}

bool SistemaDeArchivosWin::ExisteArchivo(const std::string& ruta) const { return EsArchivo(AtributosReales(ruta)); }

bool SistemaDeArchivosWin::ExisteCarpeta(const std::string& ruta) const { return EsCarpeta(AtributosReales(ruta)); }

bool SistemaDeArchivosWin::CrearCarpeta(const std::string& ruta) {
  return CreateDirectoryW(Real(ruta).c_str(), nullptr) || Fallo();
}

bool SistemaDeArchivosWin::CopiarArchivo(const std::string& origen, const std::string& destino, bool sobrescribir) {
  // Windows never copies over a read-only file (not every implementation of CopyFile refuses).
  if (const DWORD a = AtributosReales(destino); EsArchivo(a) && (a & FILE_ATTRIBUTE_READONLY)) {
    ultimoError_ = ERROR_ACCESS_DENIED;
    return false;
  }
  const std::wstring de = Real(origen);
  const std::wstring a = Real(destino);
  return Reintentando([&] { return CopyFileW(de.c_str(), a.c_str(), !sobrescribir) != FALSE; });
}

bool SistemaDeArchivosWin::BorrarArchivo(const std::string& ruta, bool forzar) {
  const std::wstring real = Real(ruta);
  const DWORD a = GetFileAttributesW(real.c_str());
  if (!EsArchivo(a)) return false;
  if (a & FILE_ATTRIBUTE_READONLY) {
    if (!forzar) return false;
    SetFileAttributesW(real.c_str(), a & ~FILE_ATTRIBUTE_READONLY);
  }
  return Reintentando([&] { return DeleteFileW(real.c_str()) != FALSE; });
}

bool SistemaDeArchivosWin::BorrarCarpeta(const std::string& ruta, bool forzar) {
  const DWORD a = AtributosReales(ruta);
  if (!EsCarpeta(a)) return false;
  // A link to a folder elsewhere goes, never what it points to.
  if (!(a & FILE_ATTRIBUTE_REPARSE_POINT)) {
    for (const auto& archivo : Listar(ruta, false)) {
      if (!BorrarArchivo(ruta + "\\" + archivo, forzar)) return false;
    }
    for (const auto& carpeta : Listar(ruta, true)) {
      if (!BorrarCarpeta(ruta + "\\" + carpeta, forzar)) return false;
    }
  }
  const std::wstring real = Real(ruta);
  if (a & FILE_ATTRIBUTE_READONLY) {
    if (!forzar) return false;
    SetFileAttributesW(real.c_str(), a & ~FILE_ATTRIBUTE_READONLY);
  }
  return Reintentando([&] { return RemoveDirectoryW(real.c_str()) != FALSE; });
}

bool SistemaDeArchivosWin::Renombrar(const std::string& origen, const std::string& destino, bool reemplazar) {
  const bool archivo = EsArchivo(AtributosReales(origen));
  const DWORD opciones = reemplazar && archivo ? MOVEFILE_REPLACE_EXISTING : 0;
  const std::wstring de = Real(origen);
  const std::wstring a = Real(destino);
  return Reintentando([&] { return MoveFileExW(de.c_str(), a.c_str(), opciones) != FALSE; });
}

std::vector<std::string> SistemaDeArchivosWin::ListarArchivos(const std::string& carpeta) const {
  return Listar(carpeta, false);
}

std::vector<std::string> SistemaDeArchivosWin::ListarSubcarpetas(const std::string& carpeta) const {
  return Listar(carpeta, true);
}

std::optional<int64_t> SistemaDeArchivosWin::Tamano(const std::string& ruta) const {
  WIN32_FILE_ATTRIBUTE_DATA datos;
  if (!GetFileAttributesExW(Real(ruta).c_str(), GetFileExInfoStandard, &datos)) return std::nullopt;
  if (datos.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return std::nullopt;
  return (static_cast<int64_t>(datos.nFileSizeHigh) << 32) | datos.nFileSizeLow;
}

std::optional<uint32_t> SistemaDeArchivosWin::LeerAtributos(const std::string& ruta) const {
  const DWORD a = AtributosReales(ruta);
  if (a == INVALID_FILE_ATTRIBUTES) return std::nullopt;
  return a & (win::kAtributoSoloLectura | win::kAtributoOculto | win::kAtributoSistema | win::kAtributoCarpeta |
              win::kAtributoArchivo);
}

bool SistemaDeArchivosWin::EstablecerAtributos(const std::string& ruta, uint32_t atributos) {
  const DWORD a =
      atributos & (win::kAtributoSoloLectura | win::kAtributoOculto | win::kAtributoSistema | win::kAtributoArchivo);
  return SetFileAttributesW(Real(ruta).c_str(), a == 0 ? FILE_ATTRIBUTE_NORMAL : a) || Fallo();
}

std::optional<std::string> SistemaDeArchivosWin::CrearArchivoTemporal(const std::string& carpeta) {
  if (!ExisteCarpeta(carpeta)) return std::nullopt;
  const bool conBarra = !carpeta.empty() && carpeta.back() == '\\';
  const std::string base = carpeta + (conBarra ? "" : "\\");
  // The names GetTempFileName gives ("EVL" and up to four hexadecimal digits), made here because
  // it refuses a folder longer than MAX_PATH - 14; each is created exclusively, never one that was.
  uint32_t numero = (GetTickCount() & 0xFFFF) ? (GetTickCount() & 0xFFFF) : 1;
  for (uint32_t intento = 0; intento < 0xFFFF; ++intento, numero = numero % 0xFFFF + 1) {
    char nombre[16];
    std::snprintf(nombre, sizeof nombre, "EVL%X.tmp", numero);
    const std::wstring real = Real(base + nombre);
    HANDLE h = INVALID_HANDLE_VALUE;
    const bool creado = Reintentando([&] {
      h = CreateFileW(real.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
      return h != INVALID_HANDLE_VALUE;
    });
    if (creado) {
      CloseHandle(h);
      return base + nombre;
    }
    if (ultimoError_ != ERROR_FILE_EXISTS && ultimoError_ != ERROR_ALREADY_EXISTS) return std::nullopt;
  }
  return std::nullopt;
}

std::unique_ptr<EscrituraDeArchivo> SistemaDeArchivosWin::AbrirParaEscribir(const std::string& ruta) {
  const std::wstring real = Real(ruta);
  HANDLE h = INVALID_HANDLE_VALUE;
  const bool abierto = Reintentando([&] {
    h = CreateFileW(real.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL,
                    nullptr);
    return h != INVALID_HANDLE_VALUE;
  });
  if (!abierto) return nullptr;
  return std::make_unique<EscrituraWin>(h);
}

std::unique_ptr<EscrituraDeArchivo> SistemaDeArchivosWin::AbrirParaContinuar(const std::string& ruta, int64_t desde) {
  if (desde < 0) return nullptr;
  const std::wstring real = Real(ruta);
  HANDLE h = INVALID_HANDLE_VALUE;
  const bool abierto = Reintentando([&] {
    h = CreateFileW(real.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, desde == 0 ? OPEN_ALWAYS : OPEN_EXISTING,
                    FILE_ATTRIBUTE_NORMAL, nullptr);
    return h != INVALID_HANDLE_VALUE;
  });
  if (!abierto) return nullptr;
  LARGE_INTEGER tamano{};
  LARGE_INTEGER posicion{};
  posicion.QuadPart = desde;
  // Cut where the kept part ends, and write on from there.
  if (!GetFileSizeEx(h, &tamano) || tamano.QuadPart < desde || !SetFilePointerEx(h, posicion, nullptr, FILE_BEGIN) ||
      (tamano.QuadPart != desde && !SetEndOfFile(h))) {
    Fallo();
    CloseHandle(h);
    return nullptr;
  }
  return std::make_unique<EscrituraWin>(h);
}

std::optional<std::string> SistemaDeArchivosWin::LeerArchivo(const std::string& ruta, size_t maximo) const {
  const HANDLE h = CreateFileW(Real(ruta).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                               nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string contenido;
  char bloque[4096];
  bool bien = true;
  for (;;) {
    DWORD leidos = 0;
    if (!ReadFile(h, bloque, sizeof bloque, &leidos, nullptr)) {
      bien = false;
      break;
    }
    if (leidos == 0) break;
    contenido.append(bloque, leidos);
    if (contenido.size() > maximo) {
      bien = false;
      break;
    }
  }
  CloseHandle(h);
  if (!bien) return std::nullopt;
  return contenido;
}

bool SistemaDeArchivosWin::ArchivoLibre(const std::string& ruta) const {
  const HANDLE h = CreateFileW(Real(ruta).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                               nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  BY_HANDLE_FILE_INFORMATION datos;
  const bool archivo = GetFileInformationByHandle(h, &datos) && !(datos.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
  CloseHandle(h);
  return archivo;
}

}  // namespace evalora

#include "platform/windows/InformacionDelEjecutableWin.h"

#include <windows.h>

#include <vector>

#include "platform/windows/TextoWin.h"

namespace evalora {

namespace {

std::string ArchivoPropio() {
  std::wstring ruta(MAX_PATH, L'\0');
  for (;;) {
    const DWORD largo = GetModuleFileNameW(nullptr, ruta.data(), static_cast<DWORD>(ruta.size()));
    if (largo == 0) return "";
    if (largo < ruta.size()) return win32::Estrecho(ruta.substr(0, largo));
    ruta.resize(ruta.size() * 2);
  }
}

}  // namespace

InformacionDelEjecutableWin::InformacionDelEjecutableWin() : archivo_(ArchivoPropio()) {}

InformacionDelEjecutableWin::InformacionDelEjecutableWin(std::string archivo) : archivo_(std::move(archivo)) {}

VersionDelEjecutable InformacionDelEjecutableWin::Version() const {
  const std::wstring archivo = win32::Ancho(archivo_);
  DWORD nada = 0;
  const DWORD tamano = GetFileVersionInfoSizeW(archivo.c_str(), &nada);
  if (tamano == 0) return {};
  std::vector<BYTE> datos(tamano);
  if (!GetFileVersionInfoW(archivo.c_str(), 0, tamano, datos.data())) return {};
  VS_FIXEDFILEINFO* fija = nullptr;
  UINT largo = 0;
  if (!VerQueryValueW(datos.data(), L"\\", reinterpret_cast<void**>(&fija), &largo) || !fija ||
      largo < sizeof(VS_FIXEDFILEINFO)) {
    return {};
  }
  return VersionDelEjecutable{HIWORD(fija->dwFileVersionMS), LOWORD(fija->dwFileVersionMS),
                              HIWORD(fija->dwFileVersionLS), LOWORD(fija->dwFileVersionLS)};
}

}  // namespace evalora

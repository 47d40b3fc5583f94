#include "platform/windows/FuentesGdi.h"

namespace {
// Taken before windows.h, whose macros bear the same names.
constexpr evalora::win::HKEY kMaquina = evalora::win::HKEY_LOCAL_MACHINE;
}  // namespace

#include <windows.h>

#include <filesystem>

#include "core/Texto.h"
#include "platform/FuenteSfnt.h"
#include "platform/windows/TextoWin.h"

namespace evalora {

namespace {

constexpr const char* kFuentesInstaladas = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
constexpr UINT kEsperaPorVentanaMs = 1000;  // for a window that is slow but not yet taken as hung

std::optional<FuenteSfnt> Leer(const std::string& archivo) {
  return LeerArchivoDeFuente(std::filesystem::path(win32::Ancho(archivo)));
}

// The registry holds a file of the Fonts folder by its name alone, any other by its full path.
std::string ValorRegistrado(const std::string& archivo) {
  wchar_t windows[MAX_PATH];
  const UINT largo = GetWindowsDirectoryW(windows, MAX_PATH);
  const std::string fuentes = win32::Estrecho(std::wstring(windows, largo < MAX_PATH ? largo : 0)) + "\\Fonts";
  const auto barra = archivo.find_last_of("\\/");
  if (barra != std::string::npos && IgualesSinMayusculas(archivo.substr(0, barra), fuentes)) {
    return archivo.substr(barra + 1);
  }
  return archivo;
}

}  // namespace

int FuentesGdi::AgregarRecurso(const std::string& archivo) {
  if (!Leer(archivo)) return 0;
  return AddFontResourceW(win32::Ancho(archivo).c_str());
}

bool FuentesGdi::QuitarRecurso(const std::string& archivo) {
  return RemoveFontResourceW(win32::Ancho(archivo).c_str()) != FALSE;
}

bool FuentesGdi::Registrar(const std::string& archivo) {
  const auto fuente = Leer(archivo);
  if (!fuente) return false;
  return registro_.EstablecerValor(kMaquina, kFuentesInstaladas, NombreDeFuenteInstalada(*fuente),
                                   DatoDeTexto(ValorRegistrado(archivo))) == win::kExito;
}

bool FuentesGdi::CrearRecursoEscalable(const std::string& archivoFot, const std::string& archivoFuente,
                                       const std::string& carpeta) {
  const std::wstring fot = win32::Ancho(archivoFot);
  const std::wstring fuente = win32::Ancho(archivoFuente);
  const std::wstring donde = win32::Ancho(carpeta);
  return CreateScalableFontResourceW(0, fot.c_str(), fuente.c_str(), donde.empty() ? nullptr : donde.c_str()) != FALSE;
}

void FuentesGdi::AvisarCambio() {
  DWORD_PTR resultado = 0;
  SendMessageTimeoutW(HWND_BROADCAST, WM_FONTCHANGE, 0, 0, SMTO_ABORTIFHUNG, kEsperaPorVentanaMs, &resultado);
}

}  // namespace evalora

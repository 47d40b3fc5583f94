#include "platform/windows/ShellWin.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "core/Texto.h"
#include "platform/windows/ComWin.h"
#include "platform/windows/TextoWin.h"

namespace evalora {

namespace {

// The file-system path of a shell item; nothing when it has none.
std::optional<std::string> RutaDe(PIDLIST_ABSOLUTE elemento) {
  wchar_t ruta[MAX_PATH];
  if (!SHGetPathFromIDListW(elemento, ruta)) return std::nullopt;
  return win32::Estrecho(ruta);
}

std::wstring Programa(const std::string& archivo) {
  if (IgualesSinMayusculas(archivo, "regsvr32")) {
    wchar_t sistema[MAX_PATH];
    const UINT largo = GetSystemWow64DirectoryW(sistema, MAX_PATH);
    if (largo > 0 && largo < MAX_PATH) {
      const std::wstring de32 = std::wstring(sistema, largo) + L"\\regsvr32.exe";
      if (GetFileAttributesW(de32.c_str()) != INVALID_FILE_ATTRIBUTES) return de32;
    }
  }
  return win32::Ancho(archivo);
}

}  // namespace

std::string ShellWin::CarpetaEspecial(int csidl) {
  PIDLIST_ABSOLUTE elemento = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &elemento)) || !elemento) return "";
  const auto ruta = RutaDe(elemento);
  CoTaskMemFree(elemento);
  return ruta.value_or("");
}

bool ShellWin::Abrir(const std::string& archivo, const std::string& argumentos, Verbo verbo) {
  const std::wstring programa = Programa(archivo);
  const std::wstring texto = win32::Ancho(argumentos);
  // The registration tool runs hidden; everything else shows as it would from the desktop.
  const int mostrar = IgualesSinMayusculas(archivo, "regsvr32") ? SW_HIDE : SW_SHOWNORMAL;
  const auto resultado =
      reinterpret_cast<INT_PTR>(ShellExecuteW(Duena(), verbo == Verbo::kAbrir ? L"open" : nullptr, programa.c_str(),
                                              texto.empty() ? nullptr : texto.c_str(), nullptr, mostrar));
  return resultado > 32;
}

bool ShellWin::GuardarAccesoDirecto(const std::string& archivoLnk, const AccesoDirecto& acceso) {
  win32::ComDelHilo com;
  IShellLinkW* enlace = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              reinterpret_cast<void**>(&enlace)))) {
    return false;
  }
  enlace->SetPath(win32::Ancho(acceso.destino).c_str());
  enlace->SetArguments(win32::Ancho(acceso.argumentos).c_str());
  enlace->SetWorkingDirectory(win32::Ancho(acceso.carpetaDeTrabajo).c_str());
  if (!acceso.icono.empty()) enlace->SetIconLocation(win32::Ancho(acceso.icono).c_str(), acceso.indiceDeIcono);
  enlace->SetDescription(win32::Ancho(acceso.descripcion).c_str());
  IPersistFile* archivo = nullptr;
  bool guardado = false;
  if (SUCCEEDED(enlace->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&archivo)))) {
    guardado = SUCCEEDED(archivo->Save(win32::Ancho(archivoLnk).c_str(), TRUE));
    archivo->Release();
  }
  enlace->Release();
  return guardado;
}

std::string ShellWin::ExaminarCarpeta(const std::string& titulo) {
  win32::ComDelHilo com;
  const std::wstring texto = win32::Ancho(titulo);
  BROWSEINFOW info{};
  info.hwndOwner = Duena();
  info.lpszTitle = texto.c_str();
  info.ulFlags = BIF_NEWDIALOGSTYLE;
  PIDLIST_ABSOLUTE elegido = SHBrowseForFolderW(&info);
  if (!elegido) return "";
  const auto ruta = RutaDe(elegido);
  CoTaskMemFree(elegido);
  return ruta.value_or(kCarpetaNoValida);
}

}  // namespace evalora

#include "platform/windows/ShellWin.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <exdisp.h>
#include <servprov.h>
#include <shldisp.h>
#include <shlguid.h>

#include <algorithm>
#include <vector>

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

// A text for an automation call, freed when it goes out of scope.
class TextoCom {
 public:
  explicit TextoCom(const std::wstring& texto) : v_{} {
    VariantInit(&v_);
    v_.vt = VT_BSTR;
    v_.bstrVal = SysAllocString(texto.c_str());
  }
  ~TextoCom() { VariantClear(&v_); }
  TextoCom(const TextoCom&) = delete;
  TextoCom& operator=(const TextoCom&) = delete;
  const VARIANT& Variante() const { return v_; }
  BSTR Bstr() const { return v_.bstrVal; }

 private:
  VARIANT v_;
};

// ShellExecute in the desktop's own process (Explorer's), which runs with the signed-in user's
// unelevated token: from its shell window, its view's background object, the shell's automation
// object. False wherever a link of that chain is missing (no desktop shell running).
bool AbrirDesdeElEscritorio(const std::wstring& archivo, const std::wstring& argumentos, Verbo verbo) {
  win32::ComDelHilo com;
  win32::Com<IShellWindows> ventanas;
  if (FAILED(CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_LOCAL_SERVER, IID_IShellWindows,
                              reinterpret_cast<void**>(&ventanas)))) {
    return false;
  }
  VARIANT ninguno;
  VariantInit(&ninguno);
  long ventana = 0;
  win32::Com<IDispatch> escritorio;
  if (ventanas->FindWindowSW(&ninguno, &ninguno, SWC_DESKTOP, &ventana, SWFO_NEEDDISPATCH, &escritorio) != S_OK ||
      !escritorio.get()) {
    return false;
  }
  win32::Com<IServiceProvider> servicios;
  win32::Com<IShellBrowser> navegador;
  win32::Com<IShellView> vista;
  win32::Com<IDispatch> fondo;
  win32::Com<IShellFolderViewDual> carpeta;
  win32::Com<IDispatch> aplicacion;
  win32::Com<IShellDispatch2> shell;
  if (FAILED(escritorio->QueryInterface(IID_IServiceProvider, reinterpret_cast<void**>(&servicios))) ||
      FAILED(servicios->QueryService(SID_STopLevelBrowser, IID_IShellBrowser, reinterpret_cast<void**>(&navegador))) ||
      FAILED(navegador->QueryActiveShellView(&vista)) || !vista.get() ||
      FAILED(vista->GetItemObject(SVGIO_BACKGROUND, IID_IDispatch, reinterpret_cast<void**>(&fondo))) ||
      FAILED(fondo->QueryInterface(IID_IShellFolderViewDual, reinterpret_cast<void**>(&carpeta))) ||
      FAILED(carpeta->get_Application(&aplicacion)) || !aplicacion.get() ||
      FAILED(aplicacion->QueryInterface(IID_IShellDispatch2, reinterpret_cast<void**>(&shell)))) {
    return false;
  }
  const TextoCom programa(archivo);
  const TextoCom texto(argumentos);
  const TextoCom accion(verbo == Verbo::kAbrir ? L"open" : L"");
  VARIANT mostrar;
  VariantInit(&mostrar);
  mostrar.vt = VT_I4;
  mostrar.lVal = SW_SHOWNORMAL;
  return SUCCEEDED(shell->ShellExecute(programa.Bstr(), texto.Variante(), ninguno, accion.Variante(), mostrar));
}

}  // namespace

std::string ShellWin::CarpetaEspecial(int csidl) {
  PIDLIST_ABSOLUTE elemento = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &elemento)) || !elemento) return "";
  const auto ruta = RutaDe(elemento);
  CoTaskMemFree(elemento);
  return ruta.value_or("");
}

ShellWin::~ShellWin() {
  for (void* proceso : ocultos_) CloseHandle(proceso);
}

bool ShellWin::Abrir(const std::string& archivo, const std::string& argumentos, Verbo verbo) {
  const std::wstring programa = Programa(archivo);
  const std::wstring texto = win32::Ancho(argumentos);
  // The registration tool runs hidden, and its end is awaited before the system is started;
  // everything else shows as it would from the desktop.
  const bool oculto = EsRegistrador(archivo);
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_FLAG_NO_UI | (oculto ? SEE_MASK_NOCLOSEPROCESS : 0);  // a failure is the caller's to report
  info.hwnd = Duena();
  info.lpVerb = verbo == Verbo::kAbrir ? L"open" : nullptr;
  info.lpFile = programa.c_str();
  info.lpParameters = texto.empty() ? nullptr : texto.c_str();
  info.nShow = oculto ? SW_HIDE : SW_SHOWNORMAL;
  if (!ShellExecuteExW(&info)) return false;
  if (oculto && info.hProcess) ocultos_.push_back(info.hProcess);
  return true;
}

bool ShellWin::AbrirComoUsuario(const std::string& archivo, const std::string& argumentos, Verbo verbo) {
  return AbrirDesdeElEscritorio(Programa(archivo), win32::Ancho(argumentos), verbo) ||
         Abrir(archivo, argumentos, verbo);
}

bool ShellWin::TerminaronLosOcultos(uint32_t esperaMs) {
  const DWORD inicio = GetTickCount();
  for (;;) {
    std::vector<void*> enCurso;
    for (void* proceso : ocultos_) {
      if (WaitForSingleObject(proceso, 0) == WAIT_TIMEOUT) {
        enCurso.push_back(proceso);
      } else {
        CloseHandle(proceso);
      }
    }
    ocultos_ = std::move(enCurso);
    const DWORD pasado = GetTickCount() - inicio;
    if (ocultos_.empty()) return true;
    if (pasado >= esperaMs) return false;
    // Until the first of them ends (at most 64 at a time), or the time is up.
    const DWORD cuantos = static_cast<DWORD>(std::min<size_t>(ocultos_.size(), MAXIMUM_WAIT_OBJECTS));
    WaitForMultipleObjects(cuantos, ocultos_.data(), FALSE, esperaMs - pasado);
  }
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

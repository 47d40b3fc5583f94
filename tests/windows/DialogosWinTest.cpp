// The message box and the folder browser of the Windows build, answered by a helper thread as the
// user would answer them.
#include <gtest/gtest.h>

#include "startup/TiposDeAsistente.h"

#include <windows.h>

#include <atomic>
#include <thread>

#include "ApoyoWin.h"
#include "platform/windows/MensajesWin.h"
#include "platform/windows/ShellWin.h"
#include "platform/windows/TextoWin.h"

namespace evalora {
namespace {

// A top-level window of a process with that class (shown, or also hidden); nothing when none.
HWND VentanaDe(DWORD proceso, const wchar_t* clase, bool mostrada) {
  struct Busqueda {
    DWORD proceso;
    const wchar_t* clase;
    bool mostrada;
    HWND encontrada = nullptr;
  } busqueda{proceso, clase, mostrada};
  EnumWindows(
      [](HWND v, LPARAM p) -> BOOL {
        auto& b = *reinterpret_cast<Busqueda*>(p);
        DWORD suyo = 0;
        GetWindowThreadProcessId(v, &suyo);
        wchar_t suClase[64];
        GetClassNameW(v, suClase, 64);
        if (suyo == b.proceso && (!b.mostrada || IsWindowVisible(v)) && std::wstring(suClase) == b.clase) {
          b.encontrada = v;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&busqueda));
  return busqueda.encontrada;
}

struct DialogoVisto {
  std::string titulo;
  std::string textos;  // every child's text, one after the other
  int botones = 0;
  HWND duena = nullptr;  // the window that owns it
};

// Waits for the first dialog box of a process (this one by default), reads it and presses its
// button `orden`.
class Contestador {
 public:
  explicit Contestador(int orden, DWORD proceso = GetCurrentProcessId()) {
    hilo_ = std::thread([this, orden, proceso] {
      for (int i = 0; i < 2000 && !hecho_; ++i) {  // the dialog's own time to appear, at most 20 s
        if (const HWND dialogo = Buscar(proceso)) {
          Leer(dialogo);
          PostMessageW(dialogo, WM_COMMAND, MAKEWPARAM(orden, BN_CLICKED), 0);
          hecho_ = true;
          return;
        }
        Sleep(10);
      }
    });
  }
  ~Contestador() {
    if (hilo_.joinable()) hilo_.join();
  }
  // What the dialog showed, once it has been answered (or the wait ran out).
  const DialogoVisto& Visto() {
    if (hilo_.joinable()) hilo_.join();
    return visto_;
  }

 private:
  static HWND Buscar(DWORD proceso) { return VentanaDe(proceso, L"#32770", true); }
  void Leer(HWND dialogo) {
    wchar_t texto[1024];
    GetWindowTextW(dialogo, texto, 1024);
    visto_.titulo = win32::Estrecho(texto);
    visto_.duena = GetWindow(dialogo, GW_OWNER);
    EnumChildWindows(
        dialogo,
        [](HWND hijo, LPARAM p) -> BOOL {
          auto& visto = *reinterpret_cast<DialogoVisto*>(p);
          wchar_t suTexto[1024];
          GetWindowTextW(hijo, suTexto, 1024);
          visto.textos += win32::Estrecho(suTexto) + "\n";
          wchar_t clase[64];
          GetClassNameW(hijo, clase, 64);
          if (std::wstring(clase) == L"Button") ++visto.botones;
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&visto_));
  }

  std::thread hilo_;
  std::atomic<bool> hecho_{false};
  DialogoVisto visto_;
};

TEST(MensajesWin, ElTextoYElTituloComoSeDieron) {
  MensajesWin mensajes;
  {
    Contestador usuario(IDOK);
    mensajes.Mostrar("Instalación terminada.\r\nReinicia el equipo.", kMensajeInformacion, std::string());
    const DialogoVisto& visto = usuario.Visto();
    EXPECT_EQ(visto.titulo, "");
    EXPECT_NE(visto.textos.find("Instalación terminada."), std::string::npos) << visto.textos;
    EXPECT_EQ(visto.botones, 1);  // OK only
  }
  {
    Contestador usuario(IDOK);
    mensajes.Mostrar("Sin título propio", kMensajeAdvertencia, std::nullopt);
    EXPECT_EQ(usuario.Visto().titulo, "Evalora");
  }
}

// A visible top-level window of this program.
HWND VentanaVisible(const wchar_t* titulo) {
  HWND v = CreateWindowExW(0, L"STATIC", titulo, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 300, 200, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
  UpdateWindow(v);
  return v;
}

// The main window owns the message boxes and the folder browser even when it is not the active
// window (another window is in front): a box never opens behind it, unowned. Before the main
// window is on the screen, nothing owns them.
TEST(MensajesWin, LaVentanaPrincipalEsLaDuenaDeLasCajasYDelExplorador) {
  win32::VentanaDuena duena;
  MensajesWin mensajes(&duena);
  ShellWin shell(&duena);
  HWND principal = VentanaVisible(L"Asistente");
  ShowWindow(principal, SW_HIDE);
  duena.Usar(principal);
  {
    Contestador usuario(IDOK);
    mensajes.Mostrar("Antes de mostrar la ventana", kMensajeInformacion, std::string());
    EXPECT_EQ(usuario.Visto().duena, nullptr);
  }
  ShowWindow(principal, SW_SHOW);
  HWND otra = VentanaVisible(L"Otra ventana");
  SetActiveWindow(otra);
  ASSERT_EQ(GetActiveWindow(), otra);
  {
    Contestador usuario(IDOK);
    mensajes.Mostrar("La descarga terminó", kMensajeInformacion, std::string());
    EXPECT_EQ(usuario.Visto().duena, principal);
  }
  {
    Contestador usuario(IDCANCEL);
    EXPECT_EQ(shell.ExaminarCarpeta("Selecciona la carpeta de descarga"), "");
    EXPECT_EQ(usuario.Visto().duena, principal);
  }
  DestroyWindow(otra);
  DestroyWindow(principal);
}

TEST(ShellWin, ElExploradorCanceladoNoDaCarpeta) {
  ShellWin shell;
  Contestador usuario(IDCANCEL);
  EXPECT_EQ(shell.ExaminarCarpeta("Selecciona la carpeta de descarga"), "");
  EXPECT_NE(usuario.Visto().textos.find("Selecciona la carpeta de descarga"), std::string::npos)
      << usuario.Visto().textos;
}

// The window of a process: the top-level window of the wizard's class, once its caption is
// written (up to 20 s).
HWND VentanaDelAsistente(DWORD proceso) {
  for (int i = 0; i < 2000; ++i) {
    const HWND v = VentanaDe(proceso, L"EvaloraFrmPrincipal", false);
    if (v && GetWindowTextLengthW(v) > 0) return v;
    Sleep(10);
  }
  return nullptr;
}

// Each wizard, started as Windows starts a program, reads its kind and version from its own
// resource: its window carries its kind's caption, and closing it ends the program at once.
TEST(AsistentesWin, CadaUnoSabeQueAsistenteEs) {
  const std::string carpeta = pruebas::EnUnidadZ(EVALORA_BIN_WINDOWS);
  // Neither the Internet check nor the catalogue leave this machine: both are refused at once.
  SetEnvironmentVariableW(L"EVALORA_SITIO_WEB", L"http://127.0.0.1:1/");
  SetEnvironmentVariableW(L"EVALORA_CATALOGO", L"127.0.0.1:1");
  EstadoDeEjecucion estado;
  estado.VersionMayor = "2020";
  for (const FichaDeTipo& tipo : TiposDeAsistente()) {
    const std::string programa = NombreDelEjecutable(tipo, "2020");
    const std::string titulo = Rellenar(tipo.titulo, estado);
    STARTUPINFOW inicio{};
    inicio.cb = sizeof inicio;
    PROCESS_INFORMATION proceso{};
    std::wstring linea = L"\"" + win32::Ancho(carpeta + "\\" + programa + ".exe") + L"\"";
    ASSERT_TRUE(CreateProcessW(nullptr, linea.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &inicio, &proceso))
        << programa;
    const HWND ventana = VentanaDelAsistente(proceso.dwProcessId);
    EXPECT_NE(ventana, nullptr) << programa;
    if (ventana) {
      wchar_t caption[256];
      GetWindowTextW(ventana, caption, 256);
      EXPECT_EQ(win32::Estrecho(caption), std::string(titulo) + " (Compilación 6)") << programa;
      RECT cliente;
      GetClientRect(ventana, &cliente);
      EXPECT_EQ(cliente.right, 736) << programa;  // the design's 11040 x 3780 twips
      EXPECT_EQ(cliente.bottom, 252) << programa;
      PostMessageW(ventana, WM_CLOSE, 0, 0);  // heard also under a message box of the wizard's
    }
    EXPECT_EQ(WaitForSingleObject(proceso.hProcess, 20000), WAIT_OBJECT_0) << programa;
    DWORD estado = 1;
    GetExitCodeProcess(proceso.hProcess, &estado);
    EXPECT_EQ(estado, 0u) << programa;
    CloseHandle(proceso.hThread);
    CloseHandle(proceso.hProcess);
  }
}

}  // namespace
}  // namespace evalora

// The message box and the folder browser of the Windows build, answered by a helper thread as the
// user would answer them.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <thread>

#include "ApoyoWin.h"
#include "platform/windows/MensajesWin.h"
#include "platform/windows/ShellWin.h"
#include "platform/windows/TextoWin.h"

namespace evalora {
namespace {

struct DialogoVisto {
  std::string titulo;
  std::string textos;  // every child's text, one after the other
  int botones = 0;
};

// Waits for the program's first dialog box, reads it and presses its button `orden`.
class Contestador {
 public:
  explicit Contestador(int orden) {
    hilo_ = std::thread([this, orden] {
      for (int i = 0; i < 1000 && !hecho_; ++i) {  // the dialog's own time to appear, at most 10 s
        if (const HWND dialogo = Buscar()) {
          Leer(dialogo);
          PostMessageW(dialogo, WM_COMMAND, MAKEWPARAM(orden, BN_CLICKED), 0);
          hecho_ = true;
          return;
        }
        Sleep(10);
      }
    });
  }
  ~Contestador() { hilo_.join(); }
  const DialogoVisto& Visto() {
    hilo_.join();
    hilo_ = std::thread([] {});
    return visto_;
  }

 private:
  static HWND Buscar() {
    struct Busqueda {
      DWORD proceso;
      HWND encontrada = nullptr;
    } b{GetCurrentProcessId()};
    EnumWindows(
        [](HWND v, LPARAM p) -> BOOL {
          auto& b = *reinterpret_cast<Busqueda*>(p);
          DWORD proceso = 0;
          GetWindowThreadProcessId(v, &proceso);
          wchar_t clase[64];
          GetClassNameW(v, clase, 64);
          if (proceso == b.proceso && IsWindowVisible(v) && std::wstring(clase) == L"#32770") {
            b.encontrada = v;
            return FALSE;
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&b));
    return b.encontrada;
  }
  void Leer(HWND dialogo) {
    wchar_t texto[1024];
    GetWindowTextW(dialogo, texto, 1024);
    visto_.titulo = win32::Estrecho(texto);
    EnumChildWindows(
        dialogo,
        [](HWND hijo, LPARAM p) -> BOOL {
          auto& visto = *reinterpret_cast<DialogoVisto*>(p);
          wchar_t texto[1024];
          GetWindowTextW(hijo, texto, 1024);
          visto.textos += win32::Estrecho(texto) + "\n";
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

TEST(ShellWin, ElExploradorCanceladoNoDaCarpeta) {
  ShellWin shell;
  Contestador usuario(IDCANCEL);
  EXPECT_EQ(shell.ExaminarCarpeta("Selecciona la carpeta de descarga"), "");
  EXPECT_NE(usuario.Visto().textos.find("Selecciona la carpeta de descarga"), std::string::npos)
      << usuario.Visto().textos;
}

}  // namespace
}  // namespace evalora

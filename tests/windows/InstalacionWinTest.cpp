// What of the installation is Windows' own, over the Win32 services under Wine: the libraries
// (32-bit ones go where a 32-bit Windows program finds them), the font class through GDI and its
// message to the open windows, the shortcuts in every folder of the shell. Time, messages and
// what the shell opens are the fakes'. The installation's shared suite (InstalacionTest) runs in
// this program too, each case in a prefix of its own.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <fstream>
#include <thread>

#include "ApoyoWin.h"
#include "install/AccesosDirectos.h"
#include "install/CarpetasDelSistema.h"
#include "install/ConfigurarImpresora.h"
#include "install/Librerias.h"
#include "install/PrnAdmin.h"
#include "install/gdiInstallFont.h"
#include "platform/fakes/Falsos.h"
#include "platform/windows/PlataformaWindows.h"
#include "platform/windows/TextoWin.h"

namespace {
// Taken before windows.h, whose macros bear the same names.
constexpr evalora::win::HKEY kMaquina = evalora::win::HKEY_LOCAL_MACHINE;
}  // namespace

#include <windows.h>

namespace evalora {
namespace {

class InstalacionWinTest : public ::testing::Test {
 protected:
  void SetUp() override {
    estado.TipoDeAsistente = "1";
    estado.VersionMayor = "2020";
    estado.CarpetaDeInstalacion = carpeta.Ruta() + "\\Evalora 2020 Cloud";
  }
  // A file below the test's folder, by its Windows path.
  void Escribir(const std::string& ruta, const std::string& bytes) {
    carpeta.Escribir(ruta.substr(carpeta.Ruta().size() + 1), bytes);
  }

  pruebas::CarpetaTemporalWin carpeta;
  PlataformaWindows windows;
  falsos::MensajesGrabados mensajes;
  Plataforma real = windows.Servicios(mensajes);
  falsos::RelojVirtual reloj;
  falsos::BucleDelReloj eventos{reloj};
  falsos::ShellGrabado shell{real.shell};
  Plataforma p = Sustituir(real, {.reloj = &reloj, .eventos = &eventos, .shell = &shell});
  EstadoDeEjecucion estado;
};

// The permission tool writes its answer slowly: the marker is there a second before the tool
// closes it, and only then is the default printer's name read, whole; the marker goes after.
TEST_F(InstalacionWinTest, ElNombreDeLaImpresoraSeLeeCuandoLaHerramientaCierraElMarcador) {
  const std::string utilerias = estado.CarpetaDeInstalacion + "\\Utilerías";
  Escribir(utilerias + "\\SecurityFolder.exe", "");
  const std::wstring marcador = win32::Ancho(utilerias + "\\LogEV.txt");
  const uint32_t inicio = reloj.Milisegundos();
  HANDLE herramienta = INVALID_HANDLE_VALUE;
  bool cerrado = false;
  eventos.alCeder = [&] {
    const uint32_t pasado = reloj.Milisegundos() - inicio;
    DWORD escrito = 0;
    if (herramienta == INVALID_HANDLE_VALUE && !cerrado && pasado >= 200) {
      herramienta = CreateFileW(marcador.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
      WriteFile(herramienta, "Impresora ", 10, &escrito, nullptr);
    } else if (herramienta != INVALID_HANDLE_VALUE && pasado >= 1500) {
      WriteFile(herramienta, "de la Direcci\xc3\xb3n", 16, &escrito, nullptr);
      CloseHandle(herramienta);
      herramienta = INVALID_HANDLE_VALUE;
      cerrado = true;
    }
  };
  EXPECT_EQ(LeerImpresoraPredeterminada(estado, p), "Impresora de la Dirección");
  EXPECT_TRUE(cerrado);
  EXPECT_FALSE(p.archivos.ExisteArchivo(utilerias + "\\LogEV.txt"));
  ASSERT_EQ(shell.abiertos.size(), 1u);
  EXPECT_NE(shell.abiertos[0].find("ImpresoraPredeterminada"), std::string::npos);
}

// A registration that takes two seconds (a stand-in for regsvr32, started hidden as the libraries
// stage starts it) holds the result step back until it has ended.
TEST_F(InstalacionWinTest, ElPasoFinalEsperaAUnRegistroLento) {
  const std::string suplente = carpeta.Ruta() + "\\regsvr32.exe";
  ASSERT_TRUE(CopyFileW(win32::Ancho(pruebas::EnUnidadZ(EVALORA_SUPLENTE_REGSVR32)).c_str(),
                        win32::Ancho(suplente).c_str(), FALSE));
  const Plataforma conElShell = Sustituir(real, {.reloj = &reloj, .eventos = &eventos});
  ASSERT_TRUE(conElShell.shell.Abrir(suplente, "/s C:\\Evalora\\Lenta.ocx", Verbo::kPredeterminado));
  EXPECT_FALSE(conElShell.shell.TerminaronLosOcultos(0));
  EXPECT_TRUE(EsperarRegistros(conElShell));
  EXPECT_EQ(carpeta.Leer("regsvr32.exe.hecho"), "C:\\Evalora\\Lenta.ocx");
  EXPECT_TRUE(conElShell.shell.TerminaronLosOcultos(0));
}

// Opened as the desktop's user, a program starts (through the desktop's shell where it answers,
// else as any other).
TEST_F(InstalacionWinTest, ComoElUsuarioDelEscritorioElProgramaArranca) {
  const std::string suplente = carpeta.Ruta() + "\\EVLogIn.exe";
  ASSERT_TRUE(CopyFileW(win32::Ancho(pruebas::EnUnidadZ(EVALORA_SUPLENTE_REGSVR32)).c_str(),
                        win32::Ancho(suplente).c_str(), FALSE));
  ASSERT_TRUE(real.shell.AbrirComoUsuario(suplente, "", Verbo::kPredeterminado));
  // Not hidden, so not awaited by the shell: the test waits for its mark to appear in the folder.
  const HANDLE cambios = FindFirstChangeNotificationW(win32::Ancho(carpeta.Ruta()).c_str(), FALSE,
                                                      FILE_NOTIFY_CHANGE_FILE_NAME);
  ASSERT_NE(cambios, INVALID_HANDLE_VALUE);
  const std::wstring marca = win32::Ancho(suplente + ".hecho");
  for (int i = 0; i < 20 && GetFileAttributesW(marca.c_str()) == INVALID_FILE_ATTRIBUTES; ++i) {
    if (WaitForSingleObject(cambios, 30000) != WAIT_OBJECT_0) break;
    FindNextChangeNotification(cambios);
  }
  FindCloseChangeNotification(cambios);
  EXPECT_NE(GetFileAttributesW(marca.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(InstalacionWinTest, LibreriasALaCarpetaDelSistemaDe32Bits) {
  const std::string dlls = estado.CarpetaDeInstalacion + "\\Utilerías\\DLLs\\";
  Escribir(dlls + "EvaloraPrueba Nueva.dll", "nueva");
  Escribir(dlls + "EvaloraPrueba.ocx", "ocx");
  InstalarLibrerias(estado, p);
  const std::string windir = p.entorno.Valor("windir");
  // Named as the system's folder, found where Windows puts a 32-bit program's libraries.
  EXPECT_TRUE(p.archivos.ExisteArchivo(windir + "\\System32\\EvaloraPrueba Nueva.dll"));
  EXPECT_TRUE(p.archivos.ExisteArchivo(windir + "\\SysWOW64\\EvaloraPrueba Nueva.dll"));
  const std::vector<std::string> esperados{"regsvr32 /s \"" + windir + "\\System32\\EvaloraPrueba Nueva.dll\"",
                                           "regsvr32 /s " + windir + "\\System32\\EvaloraPrueba.ocx"};
  for (const auto& e : esperados) {
    EXPECT_NE(std::find(shell.abiertos.begin(), shell.abiertos.end(), e), shell.abiertos.end()) << e;
  }
  p.archivos.BorrarArchivo(windir + "\\System32\\EvaloraPrueba Nueva.dll", true);
  p.archivos.BorrarArchivo(windir + "\\System32\\EvaloraPrueba.ocx", true);
}

// An installation folder of 250 characters: the libraries stage takes its files from below it as
// from any other.
TEST_F(InstalacionWinTest, UnaCarpetaDeInstalacionDe250Caracteres) {
  std::string honda = carpeta.Ruta();
  while (honda.size() < 250) honda += "\\" + std::string(std::min<size_t>(40, 249 - honda.size()), 'h');
  estado.CarpetaDeInstalacion = honda;
  Escribir(honda + "\\Utilerías\\DLLs\\EvaloraPrueba Honda.dll", "honda");
  InstalarLibrerias(estado, p);
  const std::string windir = p.entorno.Valor("windir");
  EXPECT_EQ(p.archivos.Tamano(windir + "\\System32\\EvaloraPrueba Honda.dll"), 5);
  EXPECT_EQ(mensajes.mostrados.size(), 0u);
  p.archivos.BorrarArchivo(windir + "\\System32\\EvaloraPrueba Honda.dll", true);
}

TEST_F(InstalacionWinTest, LaClaseDeFuentesConGdi) {
  gdiInstallFont fuente(p);
  EXPECT_EQ(fuente.DirectorioFuentesSistema(), p.entorno.Valor("windir") + "\\Fonts");
  const std::string origen = pruebas::EnUnidadZ("/usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf");
  ASSERT_TRUE(p.archivos.CopiarArchivo(origen, carpeta.Ruta() + "\\DejaVuSerif.ttf", true));
  fuente.PathTTF(carpeta.Ruta());
  fuente.archivoTTF("DejaVuSerif.ttf");
  fuente.Instalar();
  EXPECT_FALSE(fuente.Error().has_value()) << fuente.Error()->texto;
  EXPECT_TRUE(p.archivos.ExisteArchivo(fuente.DirectorioFuentesSistema() + "\\DejaVuSerif.ttf"));
  DatoDelRegistro dato;
  EXPECT_EQ(p.registro.ConsultarValor(kMaquina, "Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts",
                                      "DejaVu Serif (TrueType)", dato),
            win::kExito);
  Escribir(carpeta.Ruta() + "\\falsa.ttf", "no es una fuente");
  fuente.archivoTTF("falsa.ttf");
  fuente.Instalar();
  ASSERT_TRUE(fuente.Error().has_value());
  EXPECT_EQ(fuente.Error()->texto, "Error ejecutando AddFontResource.");
}

// A top-level window of another program, as a word processor that is open: it counts the
// font-change messages it hears.
class VentanaQueOye {
 public:
  VentanaQueOye() {
    WNDCLASSW clase{};
    clase.lpfnWndProc = [](HWND v, UINT mensaje, WPARAM w, LPARAM l) -> LRESULT {
      if (mensaje == WM_FONTCHANGE) ++*reinterpret_cast<int*>(GetWindowLongPtrW(v, GWLP_USERDATA));
      return DefWindowProcW(v, mensaje, w, l);
    };
    clase.hInstance = GetModuleHandleW(nullptr);
    clase.lpszClassName = L"EvaloraPruebaQueOye";
    RegisterClassW(&clase);
    ventana_ = CreateWindowExW(0, clase.lpszClassName, L"Procesador de textos", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                               nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(ventana_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&avisos));
  }
  ~VentanaQueOye() { DestroyWindow(ventana_); }
  int avisos = 0;

 private:
  HWND ventana_;
};

// The font stage tells the running programs of each font it added, and a window that does not
// answer holds it up a moment only.
TEST_F(InstalacionWinTest, LosProgramasAbiertosOyenDeLasFuentesNuevas) {
  const std::string dlls = estado.CarpetaDeInstalacion + "\\Utilerías\\DLLs\\";
  Escribir(dlls + "Falsa.ttf", "no es una fuente");
  ASSERT_TRUE(p.archivos.CopiarArchivo(pruebas::EnUnidadZ("/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf"),
                                       dlls + "EvaloraMono.ttf", true));
  VentanaQueOye procesador;
  // A program hung since a moment ago: its window's thread takes no messages until the end.
  std::atomic<HWND> colgada{nullptr};
  HANDLE fin = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::thread otroPrograma([&] {
    colgada = CreateWindowExW(0, L"STATIC", L"Colgado", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    WaitForSingleObject(fin, INFINITE);
    DestroyWindow(colgada);
  });
  while (!colgada) std::this_thread::yield();
  const auto antes = std::chrono::steady_clock::now();
  InstalarLibrerias(estado, p);
  EXPECT_LT(std::chrono::steady_clock::now() - antes, std::chrono::seconds(10));
  EXPECT_EQ(procesador.avisos, 1);  // the font that entered the table, not the false one
  // (Wine keeps a font it added for the whole session, so the notice of a removal is seen in the
  // Linux build's tests only.)
  SetEvent(fin);
  otroPrograma.join();
  CloseHandle(fin);
}

TEST_F(InstalacionWinTest, AccesosDirectosEnLasCarpetasDeLaShell) {
  Escribir(estado.CarpetaDeInstalacion + "\\EVLogIn.exe", "MZ");
  EXPECT_TRUE(CrearAccesosDirectos(estado.CarpetaDeInstalacion, estado, p));
  EXPECT_FALSE(p.archivos.ExisteArchivo(p.shell.CarpetaEspecial(kCsidlEscritorio) + "\\Evalora 2020 Cloud.lnk"));
  Escribir(estado.CarpetaDeInstalacion + "\\evicon.ico", "icono");
  EXPECT_TRUE(CrearAccesosDirectos(estado.CarpetaDeInstalacion, estado, p));
  for (int csidl :
       {kCsidlEscritorio, kCsidlProgramas, kCsidlMenuInicio, kCsidlMenuInicioComun, kCsidlProgramasComunes}) {
    const std::string lnk = p.shell.CarpetaEspecial(csidl) + "\\Evalora 2020 Cloud.lnk";
    EXPECT_TRUE(p.archivos.ExisteArchivo(lnk)) << lnk;
    p.archivos.BorrarArchivo(lnk, true);
  }
}

}  // namespace
}  // namespace evalora

// The smaller Win32 services: environment, user, processes, drives, the Internet check, the clock,
// the event loop, and COM for the window's thread.
#include <gtest/gtest.h>

// The services of a run come before windows.h, whose macros bear their registry keys' names.
#include "platform/fakes/Falsos.h"
#include "platform/windows/PlataformaWindows.h"
// clang-format off
#include <winsock2.h>
#include <windows.h>
#include <objbase.h>
// clang-format on

#include <algorithm>
#include <thread>

#include "ApoyoWin.h"
#include "platform/windows/BucleDeEventosWin.h"
#include "platform/windows/EntornoWin.h"
#include "platform/windows/InternetWinInet.h"
#include "platform/windows/ProcesosWmi.h"
#include "platform/windows/RelojWin.h"
#include "platform/windows/UnidadesWin.h"
#include "platform/windows/UsuarioWin.h"
#include "platform/windows/TextoWin.h"

namespace evalora {
namespace {

TEST(EntornoWin, VariablesYLaCarpetaDeProgramasDe32Bits) {
  EntornoWin entorno;
  EXPECT_FALSE(entorno.Valor("windir").empty());
  EXPECT_EQ(entorno.Valor("windir"), entorno.Valor("WINDIR"));
  EXPECT_EQ(entorno.Valor("EVALORA_NO_EXISTE_ESTA_VARIABLE"), "");
  SetEnvironmentVariableW(L"EVALORA_PRUEBA", L"Utilerías");
  EXPECT_EQ(entorno.Valor("evalora_prueba"), "Utilerías");
  // This Windows is 64-bit: a 32-bit program sees the 32-bit program-files folder.
  const std::string x86 = pruebas::Variable("ProgramFiles(x86)");
  ASSERT_FALSE(x86.empty());
  EXPECT_EQ(entorno.Valor("ProgramFiles"), x86);
}

TEST(UsuarioWin, NombreYAdministrador) {
  UsuarioWin usuario;
  EXPECT_FALSE(usuario.Nombre().empty());
  EXPECT_EQ(usuario.Nombre(), pruebas::Variable("USERNAME"));
  // Wine's user is an administrator of its prefix.
  EXPECT_TRUE(usuario.EsAdministrador());
}

TEST(ProcesosWmi, ElPropioProgramaEstaEnLaLista) {
  wchar_t propio[MAX_PATH];
  GetModuleFileNameW(nullptr, propio, MAX_PATH);
  std::string nombre = win32::Estrecho(propio);
  nombre = nombre.substr(nombre.find_last_of('\\') + 1);
  const auto nombres = ProcesosWmi().NombresEnEjecucion();
  EXPECT_NE(std::find(nombres.begin(), nombres.end(), nombre), nombres.end()) << nombre;
  EXPECT_TRUE(std::is_sorted(nombres.begin(), nombres.end()));
}

// The services of a run set COM up on their thread (the window's) before any shell or WMI call:
// a single-threaded apartment, which a later request for another kind cannot change; the shell
// and WMI then work on it.
TEST(PlataformaWindows, ComDelHiloDeLaVentanaAntesDeTodo) {
  std::thread([] {
    PlataformaWindows plataforma;
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), RPC_E_CHANGED_MODE);
    falsos::MensajesGrabados mensajes;
    const Plataforma servicios = plataforma.Servicios(mensajes);
    EXPECT_FALSE(servicios.procesos.NombresEnEjecucion().empty());
    EXPECT_FALSE(servicios.shell.CarpetaEspecial(kCsidlEscritorio).empty());
  }).join();
}

TEST(UnidadesWin, LaUnidadCEsFija) {
  const auto unidades = UnidadesWin().Listar();
  const auto c = std::find_if(unidades.begin(), unidades.end(), [](const Unidad& u) { return u.letra == "C:"; });
  ASSERT_NE(c, unidades.end());
  EXPECT_EQ(c->tipo, kUnidadFija);
  EXPECT_TRUE(std::is_sorted(unidades.begin(), unidades.end(),
                             [](const Unidad& a, const Unidad& b) { return a.letra < b.letra; }));
}

// A listening socket on loopback for the Internet check.
class Escucha {
 public:
  Escucha() {
    WSADATA datos;
    WSAStartup(MAKEWORD(2, 2), &datos);
    s_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in dir{};
    dir.sin_family = AF_INET;
    dir.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(s_, reinterpret_cast<sockaddr*>(&dir), sizeof dir);
    listen(s_, 8);
    int largo = sizeof dir;
    getsockname(s_, reinterpret_cast<sockaddr*>(&dir), &largo);
    puerto_ = ntohs(dir.sin_port);
  }
  ~Escucha() {
    closesocket(s_);
    WSACleanup();
  }
  int Puerto() const { return puerto_; }

 private:
  SOCKET s_;
  int puerto_ = 0;
};

TEST(InternetWinInet, ConexionSoloConUnServidorQueEscucha) {
  InternetWinInet internet;
  int puerto = 0;
  {
    Escucha escucha;
    puerto = escucha.Puerto();
    EXPECT_TRUE(internet.HayConexion("http://127.0.0.1:" + std::to_string(puerto) + "/"));
  }
  EXPECT_FALSE(internet.HayConexion("http://127.0.0.1:" + std::to_string(puerto) + "/"));
}

TEST(RelojWin, ContadorYFecha) {
  RelojWin reloj;
  const uint32_t antes = reloj.Milisegundos();
  EXPECT_LE(reloj.Milisegundos() - antes, 1000u);
  EXPECT_NEAR(static_cast<double>(reloj.Ahora()), static_cast<double>(time(nullptr)), 2.0);
}

// A clock the test moves.
class RelojQuieto : public Reloj {
 public:
  uint32_t Milisegundos() override { return ahora; }
  void Dormir(uint32_t ms) override { ahora += ms; }
  int64_t Ahora() override { return 0; }
  uint32_t ahora = 1000;
};

int entregados = 0;
LRESULT CALLBACK Contar(HWND ventana, UINT mensaje, WPARAM w, LPARAM l) {
  if (mensaje == WM_APP) {
    ++entregados;
    return 0;
  }
  return DefWindowProcW(ventana, mensaje, w, l);
}

TEST(BucleDeEventosWin, EntregaLosMensajesPeroNoMasDeUnaVezCadaPocosMilisegundos) {
  WNDCLASSW clase{};
  clase.lpfnWndProc = Contar;
  clase.hInstance = GetModuleHandleW(nullptr);
  clase.lpszClassName = L"EvaloraPruebaBucle";
  RegisterClassW(&clase);
  const HWND ventana = CreateWindowExW(0, clase.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                       clase.hInstance, nullptr);
  ASSERT_NE(ventana, nullptr);
  RelojQuieto reloj;
  BucleDeEventosWin bucle(reloj);
  entregados = 0;
  PostMessageW(ventana, WM_APP, 0, 0);
  bucle.Ceder();
  EXPECT_EQ(entregados, 1);
  PostMessageW(ventana, WM_APP, 0, 0);
  bucle.Ceder();  // too soon: the queue waits
  EXPECT_EQ(entregados, 1);
  reloj.ahora += 5;
  bucle.Ceder();
  EXPECT_EQ(entregados, 2);
  DestroyWindow(ventana);
}

}  // namespace
}  // namespace evalora

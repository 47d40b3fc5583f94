// The wizard's window drawn by Win32, under Wine on its own display: the system's controls carry
// the user's typing, Enter and ticks to the form; the pointer and clicks on what we draw reach the
// form's handlers; what the screen shows is the form (the progress bar's not-xor box included).
#include "ui/win32/VentanaWin32.h"

#include <gtest/gtest.h>

// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include "platform/fakes/PlataformaDePruebaWin.h"
#include "ui/Asistente.h"

namespace evalora::ui {
namespace {

class VentanaWin32Test : public ::testing::Test {
 protected:
  // A run of the kind whose catalogue cannot be reached (refused at once), drawn by Win32.
  void Crear(unsigned tipo) {
    version = {2020, tipo, 0, 3};
    plataforma = std::make_unique<falsos::PlataformaDePruebaWin>(
        version, std::vector<std::string>{"EVALORA_CATALOGO=127.0.0.1:1", "EVALORA_SITIO_WEB=http://127.0.0.1:1/"});
    asistente = std::make_unique<Asistente>(plataforma->Servicios(), version);
    ventana = std::make_unique<VentanaWin32>(asistente->Ventana());
    EstablecerVersion(asistente->Estado(), version);
  }
  frmPrincipal& Forma() { return asistente->Ventana(); }
  HWND Ventana() { return static_cast<HWND>(ventana->Ventana()); }
  HWND DelSistema(const char* control) { return static_cast<HWND>(ventana->ControlDelSistema(control)); }
  // Runs the window's pending messages.
  static void Atender() {
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&m);
      DispatchMessageW(&m);
    }
  }
  // The centre of a control, in the client area.
  POINT Centro(const char* control) {
    const auto p = Forma().LugarEnPixeles(Forma().Indice(control));
    return POINT{p.x + p.ancho / 2, p.y + p.alto / 2};
  }
  void Raton(UINT mensaje, POINT p) {
    SendMessageW(Ventana(), mensaje, mensaje == WM_MOUSEMOVE ? 0 : MK_LBUTTON, MAKELPARAM(p.x, p.y));
  }

  VersionDelEjecutable version{};
  std::unique_ptr<falsos::PlataformaDePruebaWin> plataforma;
  std::unique_ptr<Asistente> asistente;
  std::unique_ptr<VentanaWin32> ventana;
};

TEST_F(VentanaWin32Test, MarcoFijoDelTamanoDelDiseno) {
  Crear(6);
  EstablecerTitulos(asistente->Estado(), Forma(), nullptr);
  wchar_t caption[256];
  GetWindowTextW(Ventana(), caption, 256);
  EXPECT_EQ(std::wstring(caption),
            L"Asistente para la descarga del material didáctico de Evalora 2020 Cloud (Compilación 6)");
  RECT cliente;
  GetClientRect(Ventana(), &cliente);
  EXPECT_EQ(cliente.right, 736);
  EXPECT_EQ(cliente.bottom, 252);
  const LONG estilo = GetWindowLongW(Ventana(), GWL_STYLE);
  EXPECT_TRUE(estilo & WS_MINIMIZEBOX);
  EXPECT_FALSE(estilo & (WS_MAXIMIZEBOX | WS_THICKFRAME));  // no maximize, no resizing
}

TEST_F(VentanaWin32Test, LaCajaDelIdEsDelSistemaYLlevaLoEscritoAlFormulario) {
  Crear(6);
  Forma().Mostrar();
  Forma().MuestraPaso("bienvenida");
  HWND caja = DelSistema("PasoBienvenido_txtIDLanzador");
  ASSERT_NE(caja, nullptr);
  wchar_t clase[32];
  GetClassNameW(caja, clase, 32);
  EXPECT_EQ(std::wstring(clase), L"Edit");
  EXPECT_TRUE(IsWindowVisible(caja));
  EXPECT_EQ(GetFocus(), caja);
  // Enter with no ID: the message; typing hides it, as the box's change does.
  SendMessageW(caja, WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_TRUE(Forma().ALaVista("PasoBienvenido_lblMensajeLanzador"));
  SendMessageW(caja, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"ESCUEL01TÉ"));
  EXPECT_EQ(Forma().Texto("PasoBienvenido_txtIDLanzador"), "ESCUEL01TÉ");
  EXPECT_FALSE(Forma().ALaVista("PasoBienvenido_lblMensajeLanzador"));
  // What the program writes shows in the box, without being the user's change.
  Forma().PonerTexto("PasoBienvenido_txtIDLanzador", "OTRO");
  wchar_t texto[64];
  GetWindowTextW(caja, texto, 64);
  EXPECT_EQ(std::wstring(texto), L"OTRO");
  // The other panels' system controls stay hidden.
  EXPECT_FALSE(IsWindowVisible(DelSistema("PasoDI_txtNombre")));
}

TEST_F(VentanaWin32Test, AyudasDeLasCasillasYDelRegreso) {
  Crear(6);
  HWND ayudas = nullptr;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND v, LPARAM p) -> BOOL {
        wchar_t clase[64];
        GetClassNameW(v, clase, 64);
        if (std::wstring(clase) != L"tooltips_class32") return TRUE;
        *reinterpret_cast<HWND*>(p) = v;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&ayudas));
  ASSERT_NE(ayudas, nullptr);
  EXPECT_EQ(SendMessageW(ayudas, TTM_GETTOOLCOUNT, 0, 0), 8);  // seven suites and "Regresar"
  wchar_t texto[128] = L"";
  TTTOOLINFOW herramienta{};
  herramienta.cbSize = sizeof herramienta;
  herramienta.hwnd = Ventana();
  herramienta.uId = reinterpret_cast<UINT_PTR>(DelSistema("PasoSuitechkOffice2016"));
  herramienta.lpszText = texto;
  SendMessageW(ayudas, TTM_GETTEXTW, 128, reinterpret_cast<LPARAM>(&herramienta));
  EXPECT_EQ(std::wstring(texto), L"Incluye Word, Excel, PowerPoint, Access y Outlook");
}

TEST_F(VentanaWin32Test, CasillasYElPesoEstimado) {
  Crear(6);
  asistente->Estado().PesoMS2016 = 1536;
  // The user's decimal separator is a comma.
  ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, L"Control Panel\\International", L"sDecimal", REG_SZ, L",", 4),
            ERROR_SUCCESS);
  Forma().Mostrar();
  Forma().MuestraPaso("SolicitaSuite");
  HWND casilla = DelSistema("PasoSuitechkOffice2016");
  ASSERT_NE(casilla, nullptr);
  SendMessageW(casilla, BM_CLICK, 0, 0);
  EXPECT_TRUE(Forma().Marcado("PasoSuitechkOffice2016"));
  EXPECT_EQ(Forma().Texto("PasoSuite_LblPesoEstimado"), "Total estimado de descarga: \r\n1,5 KB");
  SendMessageW(casilla, BM_CLICK, 0, 0);
  EXPECT_FALSE(Forma().Marcado("PasoSuitechkOffice2016"));
  EXPECT_FALSE(Forma().ALaVista("PasoSuite_LblPesoEstimado"));
}

TEST_F(VentanaWin32Test, PunteroYClicSobreLoQueDibujamos) {
  Crear(4);
  Forma().Mostrar();
  Forma().MuestraPaso("DescargaIncorrecta");
  // A link: a click is pressing and releasing on it.
  Raton(WM_LBUTTONDOWN, Centro("lblProporcioanrDatos"));
  Raton(WM_LBUTTONUP, Centro("lblProporcioanrDatos"));
  Atender();
  EXPECT_TRUE(Forma().ALaVista("picContacto"));
  // A flat button lights up under the pointer; the panel puts it back at rest.
  Raton(WM_MOUSEMOVE, Centro("PasoDI_lblRegistrar"));
  EXPECT_TRUE(Forma().ALaVista("PasoDI_picInferiorRegistrar"));
  Raton(WM_MOUSEMOVE, POINT{5, 240});
  EXPECT_FALSE(Forma().ALaVista("PasoDI_picInferiorRegistrar"));
  // Pressed on one control and released on another: no click.
  Raton(WM_LBUTTONDOWN, Centro("PasoDI_lblRegistrar"));
  Raton(WM_LBUTTONUP, POINT{5, 240});
  EXPECT_TRUE(plataforma->mensajes.mostrados.empty());
  Raton(WM_LBUTTONDOWN, Centro("PasoDI_lblRegistrar"));
  Raton(WM_LBUTTONUP, Centro("PasoDI_lblRegistrar"));
  ASSERT_EQ(plataforma->mensajes.mostrados.size(), 1u);
  EXPECT_EQ(plataforma->mensajes.mostrados[0].texto, "Indica tu nombre antes de continuar");
}

TEST_F(VentanaWin32Test, LaPantallaMuestraLaBarraInvertida) {
  Crear(4);
  Forma().Mostrar();
  Forma().MuestraPaso("Paso1");
  Forma().MuestraPanel("picIniciaDescarga");
  Forma().Preparar();
  Forma().DibujarArchivo(50);
  int ancho = 0, alto = 0;
  std::vector<uint32_t> pixeles;
  ASSERT_TRUE(ventana->Foto(ancho, alto, pixeles));
  ASSERT_EQ(ancho, 736);
  auto pixel = [&](POINT p) { return pixeles[static_cast<size_t>(p.y) * ancho + p.x]; };
  const auto barra = Forma().LugarEnPixeles(Forma().Indice("picProgresoPorArchivo"));
  // Not-xor of the grey (69,69,69) box over the background (192,192,192): 122 in each channel.
  EXPECT_EQ(pixel(POINT{barra.x + 3, barra.y + 3}), 0x7A7A7Au);
  EXPECT_EQ(pixel(POINT{barra.x + barra.ancho * 3 / 4, barra.y + 3}), 0xC0C0C0u);
  EXPECT_EQ(pixel(POINT{5, 5}), 0x004F8Eu);    // the menu band
  EXPECT_EQ(pixel(POINT{5, 100}), 0xFFFFFFu);  // the panel
}

}  // namespace
}  // namespace evalora::ui

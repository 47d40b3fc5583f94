// The wizard's window drawn by Win32, under Wine on its own display: the system's controls carry
// the user's typing, Enter and ticks to the form; the pointer and clicks on what we draw reach the
// form's handlers; what the screen shows is the form (the progress bar's not-xor box included).
#include "ui/win32/VentanaWin32.h"

#include <gtest/gtest.h>

// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <oleacc.h>
#include <uxtheme.h>
// clang-format on

#include <string>

#include "ApoyoWin.h"
#include "platform/windows/TextoWin.h"
#include "PruebaDeVentanaWin32.h"
#include "ui/Png.h"
#include "ui/win32/IidAccesible.h"

namespace evalora::ui {
namespace {

class VentanaWin32Test : public PruebaDeVentanaWin32 {
 protected:
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
    const auto p = Forma().LugarEnPixeles(Forma().Indice(control), ventana->Ppp());
    return POINT{p.x + p.ancho / 2, p.y + p.alto / 2};
  }
  void Raton(UINT mensaje, POINT p) {
    SendMessageW(Ventana(), mensaje, mensaje == WM_MOUSEMOVE ? 0 : MK_LBUTTON, MAKELPARAM(p.x, p.y));
  }
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

// Keys as the window's loop takes them: Tab and Shift+Tab along the form's order, through the
// system's controls and ours alike; the focus of a control we draw is our window's; Enter on a
// flat button is its click; Space on a check box ticks it; a new step begins on its first control.
TEST_F(VentanaWin32Test, ElTecladoRecorreElPasoEnElOrdenDelFormulario) {
  Crear(6);
  Forma().Mostrar();
  Forma().MuestraPaso("SolicitaSuite");
  auto tecla = [&](HWND destino, WPARAM cual) {
    MSG m{destino, WM_KEYDOWN, cual, 0, 0, {}};
    ventana->Atender(&m);
    m.message = WM_KEYUP;
    ventana->Atender(&m);
    Atender();
  };
  HWND primera = DelSistema("PasoSuitechkOffice2010");
  SetFocus(primera);
  EXPECT_EQ(Forma().Foco(), "PasoSuitechkOffice2010");
  tecla(primera, VK_TAB);
  EXPECT_EQ(Forma().Foco(), "PasoSuitechkAdobeCS6");
  EXPECT_EQ(GetFocus(), DelSistema("PasoSuitechkAdobeCS6"));
  tecla(GetFocus(), VK_SPACE);
  EXPECT_TRUE(Forma().Marcado("PasoSuitechkAdobeCS6"));
  for (int i = 0; i < 6; ++i) tecla(GetFocus(), VK_TAB);
  EXPECT_EQ(Forma().Foco(), "PasoSuitelblContinuar");
  EXPECT_EQ(GetFocus(), Ventana());  // drawn by us: the keys come to the window
  tecla(Ventana(), VK_RETURN);
  EXPECT_TRUE(Forma().ALaVista("picSolicitaCarpeta"));  // a suite is ticked: the next step
  // The new step begins with the focus on its first control, the text box.
  EXPECT_EQ(Forma().Foco(), "PasoSCtxtCarpetaDeDescarga");
  EXPECT_EQ(GetFocus(), DelSistema("PasoSCtxtCarpetaDeDescarga"));
  tecla(GetFocus(), VK_TAB);
  EXPECT_EQ(Forma().Foco(), "PasoSClblExaminar");
  EXPECT_EQ(GetFocus(), Ventana());
}

// What a screen reader reads of a step through Active Accessibility (Wine's oleacc, as Narrator or
// NVDA ask Windows'): the client's children are the form's controls in reading order, each with
// its role and name (the system's controls as their own objects), and a drawn button's default
// action is its click.
TEST_F(VentanaWin32Test, ElArbolAccesibleEsElDelFormulario) {
  const GUID& iid = kIidIAccessible;
  Crear(6);
  Forma().Mostrar();
  Forma().MuestraPaso("SolicitaCarpeta");
  Atender();
  IAccessible* cliente = nullptr;
  ASSERT_EQ(AccessibleObjectFromWindow(Ventana(), OBJID_CLIENT, iid, reinterpret_cast<void**>(&cliente)), S_OK);
  const std::vector<int> orden = Forma().OrdenAccesible();
  LONG cuantos = 0;
  ASSERT_EQ(cliente->get_accChildCount(&cuantos), S_OK);
  ASSERT_EQ(cuantos, static_cast<LONG>(orden.size()));
  std::vector<VARIANT> hijos(static_cast<size_t>(cuantos));
  LONG obtenidos = 0;
  ASSERT_EQ(AccessibleChildren(cliente, 0, cuantos, hijos.data(), &obtenidos), S_OK);
  ASSERT_EQ(obtenidos, cuantos);
  auto texto = [](BSTR b) {
    std::wstring w = b ? std::wstring(b, SysStringLen(b)) : L"";
    SysFreeString(b);
    return w;
  };
  std::vector<std::string> leidos, esperados;
  for (size_t k = 0; k < hijos.size(); ++k) {
    const Control& c = Forma().Controles()[static_cast<size_t>(orden[k])];
    IAccessible* objeto = cliente;
    VARIANT quien = hijos[k];
    if (hijos[k].vt == VT_DISPATCH) {  // a system control: its own object
      ASSERT_EQ(hijos[k].pdispVal->QueryInterface(iid, reinterpret_cast<void**>(&objeto)), S_OK) << c.nombre;
      quien.vt = VT_I4;
      quien.lVal = CHILDID_SELF;
    }
    VARIANT rol{};
    ASSERT_EQ(objeto->get_accRole(quien, &rol), S_OK) << c.nombre;
    BSTR nombre = nullptr;
    objeto->get_accName(quien, &nombre);
    std::wstring leido = texto(nombre);
    if (c.rol == Rol::kCaja) {  // a box: named by its label, and its value
      BSTR valor = nullptr;
      objeto->get_accValue(quien, &valor);
      leido += L" = " + texto(valor);
    }
    leidos.push_back(c.nombre + " " + std::to_string(rol.lVal) + " " + win32::Estrecho(leido));
    const long esperado = c.rol == Rol::kBoton     ? ROLE_SYSTEM_PUSHBUTTON
                          : c.rol == Rol::kEnlace  ? ROLE_SYSTEM_LINK
                          : c.rol == Rol::kCaja    ? ROLE_SYSTEM_TEXT
                          : c.rol == Rol::kCasilla ? ROLE_SYSTEM_CHECKBUTTON
                          : c.rol == Rol::kBarra   ? ROLE_SYSTEM_PROGRESSBAR
                                                   : ROLE_SYSTEM_STATICTEXT;
    esperados.push_back(c.nombre + " " + std::to_string(esperado) + " " + Forma().NombreAccesible(orden[k]) +
                        (c.rol == Rol::kCaja ? " = " + c.texto : ""));
    if (objeto != cliente) objeto->Release();
    VariantClear(&hijos[k]);
  }
  EXPECT_EQ(leidos, esperados);
  // The folder step's back picture is read as what it does, and a drawn button's default action
  // is its click (run from the window's loop).
  EXPECT_NE(std::find(leidos.begin(), leidos.end(), "PicSCRegresar " + std::to_string(ROLE_SYSTEM_PUSHBUTTON) + " Regresar"),
            leidos.end());
  const auto regreso = std::find(orden.begin(), orden.end(), Forma().Indice("PicSCRegresar"));
  ASSERT_NE(regreso, orden.end());
  VARIANT boton{};
  boton.vt = VT_I4;
  boton.lVal = static_cast<LONG>(regreso - orden.begin()) + 1;
  EXPECT_EQ(cliente->accDoDefaultAction(boton), S_OK);
  Atender();
  EXPECT_TRUE(Forma().ALaVista("picPasoSuite"));
  cliente->Release();
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

// The program's icon (resource 1 of this test program, as of every wizard) is the window's: in
// its caption, the taskbar and Alt+Tab.
TEST_F(VentanaWin32Test, ElIconoDelProgramaEsElDeLaVentana) {
  Crear(6);
  const auto grande = reinterpret_cast<HICON>(GetClassLongPtrW(Ventana(), GCLP_HICON));
  const auto pequeno = reinterpret_cast<HICON>(GetClassLongPtrW(Ventana(), GCLP_HICONSM));
  ASSERT_NE(grande, nullptr);
  ASSERT_NE(pequeno, nullptr);
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(pequeno, &info));
  BITMAP mapa{};
  GetObjectW(info.hbmColor, sizeof mapa, &mapa);
  EXPECT_EQ(mapa.bmWidth, GetSystemMetrics(SM_CXSMICON));  // the size drawn for it, not one shrunk
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
}

// Wine draws the frame itself in these tests (no window manager on their display): the caption
// shows the program's icon at its left, in the icon's blue.
TEST_F(VentanaWin32Test, ElTituloMuestraElIcono) {
  Crear(6);
  EstablecerTitulos(asistente->Estado(), Forma(), nullptr);
  Forma().Mostrar();
  Forma().MuestraPaso("bienvenida");
  int ancho = 0, alto = 0;
  std::vector<uint32_t> pixeles;
  ASSERT_TRUE(ventana->Foto(ancho, alto, pixeles, true, true));
  // (scripts/capturas.sh keeps the picture: EVALORA_CAPTURA_DEL_MARCO names its file.)
  if (const std::string archivo = pruebas::Variable("EVALORA_CAPTURA_DEL_MARCO"); !archivo.empty()) {
    EscribirPng(archivo, ancho, alto, pixeles);
  }
  // The caption: the rows above the client area; the icon at its left.
  RECT marco;
  GetWindowRect(Ventana(), &marco);
  POINT cliente{0, 0};
  ClientToScreen(Ventana(), &cliente);
  const int arriba = cliente.y - marco.top;
  ASSERT_GT(arriba, GetSystemMetrics(SM_CYSMICON));
  int azules = 0, blancos = 0;
  for (int y = 0; y < arriba; ++y) {
    for (int x = 0; x < cliente.x - marco.left + GetSystemMetrics(SM_CXSMICON) + 4; ++x) {
      const uint32_t p = pixeles[static_cast<size_t>(y) * ancho + x];
      azules += p == 0x004F8Eu;
      blancos += p == 0xFFFFFFu;
    }
  }
  EXPECT_GT(azules, 20);   // the icon's square
  EXPECT_GT(blancos, 10);  // its E
}

// Common Controls 6 themes the system's controls (Wine's prefix has its theme on, as Windows has
// its own); a themed check box would paint its text in the theme's colour, so the check boxes
// alone go without a theme and keep the design's orange.
TEST_F(VentanaWin32Test, LasCasillasSinTemaConservanSuNaranja) {
  Crear(6);
  Forma().Mostrar();
  Forma().MuestraPaso("SolicitaSuite");
  EXPECT_NE(GetWindowTheme(DelSistema("PasoSCtxtCarpetaDeDescarga")), nullptr);  // a box keeps the theme
  HWND casilla = DelSistema("PasoSuitechkOffice2016");
  EXPECT_EQ(GetWindowTheme(casilla), nullptr);
  int ancho = 0, alto = 0;
  std::vector<uint32_t> pixeles;
  ASSERT_TRUE(ventana->Foto(ancho, alto, pixeles));
  RECT r;
  GetWindowRect(casilla, &r);
  MapWindowPoints(nullptr, Ventana(), reinterpret_cast<POINT*>(&r), 2);
  int naranjas = 0, oscuros = 0;
  for (int y = r.top; y < r.bottom; ++y) {
    for (int x = r.left + (r.right - r.left) / 6; x < r.right; ++x) {  // the text, right of the box
      const uint32_t p = pixeles[static_cast<size_t>(y) * ancho + x];
      const int rojo = (p >> 16) & 0xFF, verde = (p >> 8) & 0xFF, azul = p & 0xFF;
      if (rojo > 200 && verde > 90 && verde < 170 && azul < 60) ++naranjas;
      if (rojo < 90 && verde < 90 && azul < 90) ++oscuros;
    }
  }
  EXPECT_GT(naranjas, 20);
  EXPECT_EQ(oscuros, 0);  // no black text
}

// The pointer over a text box is the box's own (the I-beam); over what the window draws, the
// window's (a hand over a link).
TEST_F(VentanaWin32Test, ElPunteroDeLasCajasEsElDeTexto) {
  Crear(4);
  Forma().Mostrar();
  Forma().MuestraPaso("DescargaIncorrecta");
  Forma().MuestraPaso("Contacto");
  HWND caja = DelSistema("PasoDI_txtNombre");
  ASSERT_TRUE(IsWindowVisible(caja));
  RECT r;
  GetWindowRect(caja, &r);
  SetCursorPos(r.left + 5, r.top + 5);
  SendMessageW(caja, WM_SETCURSOR, reinterpret_cast<WPARAM>(caja), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, MAKEINTRESOURCEW(32513)));  // IDC_IBEAM
  Forma().MuestraPaso("DescargaIncorrecta");
  POINT enlace = Centro("lblProporcioanrDatos");
  ClientToScreen(Ventana(), &enlace);
  SetCursorPos(enlace.x, enlace.y);
  SendMessageW(Ventana(), WM_SETCURSOR, reinterpret_cast<WPARAM>(Ventana()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, MAKEINTRESOURCEW(32649)));  // IDC_HAND
}

// What changes where the program does not yield (an installation stage) is on the screen before
// the program goes on: the bar's new value and the stage's caption, without a repaint asked for.
TEST_F(VentanaWin32Test, LoQueCambiaSinCederSeVeAlMomento) {
  Crear(1);
  Forma().Mostrar();
  Forma().MuestraPaso("Paso1");
  Forma().MuestraPanel("PicInstalando");
  Forma().Etapa("Registrando librerías");
  Forma().Progreso(25);
  Forma().Refrescar();
  const auto barra = Forma().LugarEnPixeles(Forma().Indice("picProgresoInstalacion"), ventana->Ppp());
  const auto etapa = Forma().LugarEnPixeles(Forma().Indice("lbProgresoInstalacion"), ventana->Ppp());
  int ancho = 0, alto = 0;
  std::vector<uint32_t> antes, despues;
  ASSERT_TRUE(ventana->Foto(ancho, alto, antes, false));
  auto pixel = [&](const std::vector<uint32_t>& foto, int x, int y) {
    return foto[static_cast<size_t>(y) * ancho + x];
  };
  const int medio = barra.y + barra.alto / 2, dentroDel40 = barra.x + barra.ancho * 40 / 100;
  Forma().Progreso(50);
  Forma().Etapa("Creando accesos directos");
  ASSERT_TRUE(ventana->Foto(ancho, alto, despues, false));
  // Not-xor of the fill over the grey box: the part up to 50 % has turned, what lies after 25 %.
  EXPECT_NE(pixel(despues, dentroDel40, medio), pixel(antes, dentroDel40, medio));
  EXPECT_EQ(pixel(despues, dentroDel40, medio), pixel(despues, barra.x + 2, medio));
  int distintos = 0;
  for (int y = etapa.y; y < etapa.y + etapa.alto; ++y) {
    for (int x = etapa.x; x < etapa.x + etapa.ancho; ++x) distintos += pixel(antes, x, y) != pixel(despues, x, y);
  }
  EXPECT_GT(distintos, 30);  // the new caption
}

// Enter on the focused "Cancelar" presses it (the program ends); Enter in the ID box runs the
// box's own handler: both through the window's message loop, as the user's keys arrive.
TEST_F(VentanaWin32Test, EnterPulsaElBotonEnfocadoYEsDeLaCaja) {
  Crear(4);
  Forma().Mostrar();
  Forma().MuestraPaso("bienvenida");
  HWND caja = DelSistema("PasoBienvenido_txtIDLanzador");
  SetFocus(caja);
  PostMessageW(caja, WM_KEYDOWN, VK_RETURN, 0);
  ventana->AtenderPendientes();
  EXPECT_TRUE(Forma().ALaVista("PasoBienvenido_lblMensajeLanzador"));  // no ID typed
  Forma().MuestraPaso("SolicitaCarpeta");
  HWND cancelar = DelSistema("PasoSC_btnCancelar");
  ASSERT_TRUE(IsWindowVisible(cancelar));
  SetFocus(cancelar);
  PostMessageW(cancelar, WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_THROW(ventana->AtenderPendientes(), falsos::ProgramaTerminado);
  EXPECT_EQ(plataforma->terminacion.veces, 1);
}

}  // namespace
}  // namespace evalora::ui

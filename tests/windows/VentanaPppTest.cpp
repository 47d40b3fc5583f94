// The window at the screen's DPI as Windows tells it to a DPI-aware program: the run's LogPixels
// (EVALORA_PPP: 96, 120 or 144, set in the prefix by scripts/en-wine.sh). The client area, every
// system control and what the window draws grow by dpi/96 (within a pixel of the design's twips),
// the fonts with them, and no label's text is cut by its box on any step of any kind; a screen
// reader finds each control where it is drawn.
#include "ui/win32/VentanaWin32.h"

#include <gtest/gtest.h>

// clang-format off
#include <windows.h>
#include <oleacc.h>
// clang-format on

#include "ApoyoWin.h"
#include "ui/win32/IidAccesible.h"
#include "PruebaDeVentanaWin32.h"

namespace evalora::ui {
namespace {

class VentanaPppTest : public PruebaDeVentanaWin32 {
 protected:
  static int PppDeLaPrueba() {
    const std::string ppp = pruebas::Variable("EVALORA_PPP");
    return ppp.empty() ? 96 : std::stoi(ppp);
  }
  // A length of the design at the run's DPI, unrounded.
  double Escalado(int twips) const { return twips * ppp / 1440.0; }
  // A control's place in twips within the client area.
  Rect EnLaVentana(int indice) {
    const auto& controles = Forma().Controles();
    Rect r = controles[indice].lugar;
    for (int padre = controles[indice].padre; padre >= 0; padre = controles[padre].padre) {
      r.x += controles[padre].lugar.x;
      r.y += controles[padre].lugar.y;
    }
    return r;
  }
  // How far a run of pixels of that colour goes from a point, to the left and right (or up and
  // down): the first and one past the last pixel of the run.
  static std::pair<int, int> Tramo(const std::vector<uint32_t>& foto, int ancho, int x, int y, bool horizontal,
                                   uint32_t color) {
    auto en = [&](int i) { return foto[static_cast<size_t>(horizontal ? y : i) * ancho + (horizontal ? i : x)]; };
    int desde = horizontal ? x : y, hasta = desde;
    while (desde > 0 && en(desde - 1) == color) --desde;
    const int limite = horizontal ? ancho : static_cast<int>(foto.size() / ancho);
    while (hasta < limite && en(hasta) == color) ++hasta;
    return {desde, hasta};
  }

  const int ppp = PppDeLaPrueba();
};

TEST_F(VentanaPppTest, LaVentanaSusControlesYSusLetrasCrecenConLosPpp) {
  Crear(6);
  ASSERT_EQ(ventana->Ppp(), ppp) << "the prefix's LogPixels is the DPI the window is laid out at";
  RECT cliente;
  GetClientRect(Ventana(), &cliente);
  EXPECT_NEAR(cliente.right, Escalado(frmPrincipal::kAnchoTwips), 1.0);
  EXPECT_NEAR(cliente.bottom, Escalado(frmPrincipal::kAltoTwips), 1.0);
  // Every text box, check box and push button where the design puts it, at its size.
  const auto& controles = Forma().Controles();
  int delSistema = 0;
  for (size_t i = 0; i < controles.size(); ++i) {
    HWND hijo = static_cast<HWND>(ventana->ControlDelSistema(controles[i].nombre));
    if (!hijo) continue;
    ++delSistema;
    RECT r;
    GetWindowRect(hijo, &r);
    MapWindowPoints(nullptr, Ventana(), reinterpret_cast<POINT*>(&r), 2);
    const Rect t = EnLaVentana(static_cast<int>(i));
    EXPECT_NEAR(r.left, Escalado(t.x), 1.0) << controles[i].nombre;
    EXPECT_NEAR(r.top, Escalado(t.y), 1.0) << controles[i].nombre;
    EXPECT_NEAR(r.right - r.left, Escalado(t.ancho), 1.0) << controles[i].nombre;
    EXPECT_NEAR(r.bottom - r.top, Escalado(t.alto), 1.0) << controles[i].nombre;
  }
  EXPECT_GT(delSistema, 10);
  // What the window draws: the blue band across the top, and a flat button's face at rest.
  Forma().Mostrar();
  Forma().MuestraPaso("bienvenida");
  int ancho = 0, alto = 0;
  std::vector<uint32_t> foto;
  ASSERT_TRUE(ventana->Foto(ancho, alto, foto));
  const auto banda = Tramo(foto, ancho, 5, 0, false, 0x004F8Eu);
  EXPECT_EQ(banda.first, 0);
  EXPECT_NEAR(banda.second, Escalado(frmPrincipal::kAltoBarraMenuTwips), 1.0);
  const int cara = Forma().Indice("picPasoBienvenido_lblContinuar");
  const Rect t = EnLaVentana(cara);
  // Along its top row and down its left column, clear of the caption.
  const int x = static_cast<int>(Escalado(t.x)) + 2, y = static_cast<int>(Escalado(t.y)) + 2;
  const auto horizontal = Tramo(foto, ancho, x, y, true, 0xF2F2F2u);
  EXPECT_NEAR(horizontal.first, Escalado(t.x), 1.0);
  EXPECT_NEAR(horizontal.second, Escalado(t.x + t.ancho), 1.0);
  const auto vertical = Tramo(foto, ancho, x, y, false, 0xF2F2F2u);
  EXPECT_NEAR(vertical.first, Escalado(t.y), 1.0);
  EXPECT_NEAR(vertical.second, Escalado(t.y + t.alto), 1.0);
  // The window's font: 9 points at this DPI (the em, without the leading above it).
  HDC dc = GetDC(Ventana());
  HGDIOBJ antes =
      SelectObject(dc, static_cast<HFONT>(ventana->LetraDe(Forma().Indice("PasoBienvenido_lblDescripcion"))));
  TEXTMETRICW metricas{};
  GetTextMetricsW(dc, &metricas);
  SelectObject(dc, antes);
  ReleaseDC(Ventana(), dc);
  EXPECT_NEAR(metricas.tmHeight - metricas.tmInternalLeading, 9.0 * ppp / 72, 1.0);
}

// Where a screen reader (and its magnifier, and a click it makes) finds each control of a step: the
// place of each accessible child on the screen is where the window puts the control at this DPI,
// and the point in its middle is that child.
TEST_F(VentanaPppTest, ElLectorHallaCadaControlDondeSeDibuja) {
  const GUID& iid = kIidIAccessible;
  Crear(2);
  Forma().Mostrar();
  Forma().MuestraPaso("IndicaIdEV");
  ventana->AtenderPendientes();
  IAccessible* cliente = nullptr;
  ASSERT_EQ(AccessibleObjectFromWindow(Ventana(), OBJID_CLIENT, iid, reinterpret_cast<void**>(&cliente)), S_OK);
  POINT origen{0, 0};
  ClientToScreen(Ventana(), &origen);
  const std::vector<int> orden = Forma().OrdenAccesible();
  ASSERT_GE(orden.size(), 6u);
  for (size_t k = 0; k < orden.size(); ++k) {
    const std::string& nombre = Forma().Controles()[static_cast<size_t>(orden[k])].nombre;
    VARIANT hijo{};
    hijo.vt = VT_I4;
    hijo.lVal = static_cast<LONG>(k + 1);
    LONG x = 0, y = 0, ancho = 0, alto = 0;
    ASSERT_EQ(cliente->accLocation(&x, &y, &ancho, &alto, hijo), S_OK) << nombre;
    const Rect t = EnLaVentana(orden[k]);
    EXPECT_NEAR(x - origen.x, Escalado(t.x), 1.0) << nombre;
    EXPECT_NEAR(y - origen.y, Escalado(t.y), 1.0) << nombre;
    EXPECT_NEAR(ancho, Escalado(t.ancho), 1.0) << nombre;
    EXPECT_NEAR(alto, Escalado(t.alto), 1.0) << nombre;
    VARIANT hallado{};
    ASSERT_EQ(cliente->accHitTest(x + ancho / 2, y + alto / 2, &hallado), S_OK) << nombre;
    if (hallado.vt == VT_DISPATCH) {  // over a system control: the system says it is its window
      EXPECT_NE(ventana->ControlDelSistema(nombre), nullptr) << nombre;
      hallado.pdispVal->Release();
    } else {
      ASSERT_EQ(hallado.vt, VT_I4) << nombre;
      EXPECT_EQ(hallado.lVal, static_cast<LONG>(k + 1)) << nombre;
    }
  }
  cliente->Release();
}

// Every step the window shows without the catalogue, for every kind, and the failure step's
// variants: each label's text fits in its box at this DPI.
TEST_F(VentanaPppTest, CadaTextoCabeEnSuCajaEnCadaPasoDeCadaTipo) {
  for (unsigned tipo = 1; tipo <= 8; ++tipo) {
    Crear(tipo);
    asistente->Main();  // no Internet: the notice step with its long text
    EXPECT_EQ(ventana->EtiquetasQueNoCaben(), std::vector<std::string>{}) << "tipo " << tipo << ", Paso1";
    asistente->Estado().PesoInstalador = 1536.0 * 1024 * 1024;
    for (const char* paso : {"bienvenida", "IndicaIdEV", "SolicitaSuite", "SolicitaCarpeta", "DescargaCorrecta",
                             "DescargaIncorrecta", "Contacto"}) {
      Forma().MuestraPaso(paso);
      EXPECT_EQ(ventana->EtiquetasQueNoCaben(), std::vector<std::string>{}) << "tipo " << tipo << ", " << paso;
    }
    EstadoDeEjecucion& estado = asistente->Estado();
    plataforma->UsarPremisas({"avastui.exe"}, "pruebas_win_ppp.exe", true);
    for (int variante = 0; variante < 3; ++variante) {
      estado.NetFrameworkFaltante = variante == 0;
      estado.InstalacionFallida = variante > 0;
      estado.ImpresoraNoInstalable = variante == 2;
      estado.AvisoWindowsVista = true;
      Forma().MuestraPaso("DescargaIncorrecta");
      EXPECT_EQ(ventana->EtiquetasQueNoCaben(), std::vector<std::string>{})
          << "tipo " << tipo << ", DescargaIncorrecta, variante " << variante;
      Forma().MuestraPaso("DescargaCorrecta");
      EXPECT_EQ(ventana->EtiquetasQueNoCaben(), std::vector<std::string>{}) << "tipo " << tipo << ", DescargaCorrecta";
    }
  }
}

}  // namespace
}  // namespace evalora::ui

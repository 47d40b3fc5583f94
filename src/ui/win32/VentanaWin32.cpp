#include "ui/win32/VentanaWin32.h"

// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <uxtheme.h>
#include <windowsx.h>
// clang-format on

#include <algorithm>

#include "platform/windows/TextoWin.h"
#include "ui/Png.h"
#include "ui/win32/AccesibleWin32.h"

namespace evalora::ui {

namespace {

constexpr wchar_t kClase[] = L"EvaloraFrmPrincipal";
constexpr DWORD kEstilo = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr int kPuntosDeLaVentana = 9;  // the window's font size

COLORREF Rgb(Color c) { return RGB(c.r, c.g, c.b); }

// The design's text with plain line breaks for the system's controls ("\r\n" stays as it is).
std::wstring Ancho(const std::string& texto) { return win32::Ancho(texto); }

bool EsDelSistema(Clase clase) { return clase == Clase::kCaja || clase == Clase::kCasilla || clase == Clase::kBoton; }

// The system's DPI, which a program that declares itself DPI-aware is told (96 otherwise on
// Windows 8.1 and later, which then stretches its window).
int PppDelSistema() {
  HDC dc = GetDC(nullptr);
  const int ppp = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(nullptr, dc);
  return ppp > 0 ? ppp : kPppDeDiseno;
}

// The program's icon (its resource 1) at a size the system asks for; none when it has none.
HICON IconoDelPrograma(int metricaAncho, int metricaAlto) {
  return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON,
                                       GetSystemMetrics(metricaAncho), GetSystemMetrics(metricaAlto), LR_SHARED));
}

// The first of the design's faces this machine has, else the system's message font.
std::wstring FamiliaDeLetra() {
  HDC dc = GetDC(nullptr);
  std::wstring elegida;
  for (const wchar_t* familia : {L"Segoe UI", L"Tahoma"}) {
    LOGFONTW buscada{};
    buscada.lfCharSet = DEFAULT_CHARSET;
    wcsncpy(buscada.lfFaceName, familia, LF_FACESIZE - 1);
    bool hay = false;
    EnumFontFamiliesExW(
        dc, &buscada,
        [](const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM encontrada) -> int {
          *reinterpret_cast<bool*>(encontrada) = true;
          return 0;
        },
        reinterpret_cast<LPARAM>(&hay), 0);
    if (hay) {
      elegida = familia;
      break;
    }
  }
  ReleaseDC(nullptr, dc);
  if (elegida.empty()) {
    NONCLIENTMETRICSW metricas{};
    metricas.cbSize = sizeof metricas;
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metricas, &metricas, 0)) {
      elegida = metricas.lfMessageFont.lfFaceName;
    }
  }
  return elegida;
}

}  // namespace

struct VentanaWin32::Estado {
  frmPrincipal& forma;
  const int ppp = PppDelSistema();  // the layout's and the fonts' DPI
  HWND ventana = nullptr;
  std::map<int, HWND> delSistema;                  // by the control's index
  std::map<int, bool> mostrados;                   // what each system control shows now
  std::map<int, std::pair<bool, RECT>> dibujados;  // labels and bars: in view, and where, when last drawn
  std::wstring familia = FamiliaDeLetra();
  std::map<std::tuple<int, bool, bool>, HFONT> letras;
  std::map<COLORREF, HBRUSH> pinceles;
  HWND ayudas = nullptr;     // the tooltips of the controls that have one
  bool escribiendo = false;  // the program writes a text box: no change event of the user's
  int pulsado = -1;          // where the left button went down
  bool anunciando = false;   // a step's alert waits for the loop
  std::string anuncio;       // the last step's message, as its alert says it
  HCURSOR flecha = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
  HCURSOR mano = LoadCursorW(nullptr, MAKEINTRESOURCEW(32649));

  explicit Estado(frmPrincipal& f) : forma(f) {}
  ~Estado() {
    for (auto& [clave, letra] : letras) DeleteObject(letra);
    for (auto& [color, pincel] : pinceles) DeleteObject(pincel);
  }

  int AltoBase() const { return -MulDiv(kPuntosDeLaVentana, ppp, 72); }
  // A length of the drawing in pixels of 96 DPI, at the window's DPI.
  int Escalar(int pixeles) const { return MulDiv(pixeles, ppp, kPppDeDiseno); }

  HFONT Letra(const ui::Letra& l) {
    int alto = AltoBase();
    if (l.puntos > 0) {
      alto = alto * l.puntos / kPuntosDeLaVentana;
    } else {
      alto = static_cast<int>(alto * l.escala - 0.5);
    }
    const auto clave = std::make_tuple(alto, l.negrita, l.subrayada);
    HFONT& letra = letras[clave];
    if (!letra) {
      letra = CreateFontW(alto, 0, 0, 0, l.negrita ? FW_BOLD : FW_NORMAL, FALSE, l.subrayada, FALSE, DEFAULT_CHARSET,
                          OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_SWISS,
                          familia.c_str());
    }
    return letra;
  }

  HBRUSH Pincel(Color c) {
    HBRUSH& p = pinceles[Rgb(c)];
    if (!p) p = CreateSolidBrush(Rgb(c));
    return p;
  }

  RECT Rectangulo(int i) const {
    const auto p = forma.LugarEnPixeles(i, ppp);
    return RECT{p.x, p.y, p.x + p.ancho, p.y + p.alto};
  }
  int ControlEn(int x, int y) const { return forma.ControlEn(x, y, ppp); }

  void Pintar(HDC dc, const RECT& zona);
  void PintarControl(HDC dc, int i, const RECT& zona);
  void PintarEtiqueta(HDC dc, const Control& c, RECT r);
  void PintarImagen(HDC dc, const Control& c, RECT r);
  void PintarBarra(HDC dc, const Control& c, RECT r);
  void CrearDelSistema();
  void ActualizarDelSistema();
  void CrearAyudas();
  void ActualizarAyudas();
  void Puntero(int x, int y);
  LRESULT Mensaje(UINT mensaje, WPARAM w, LPARAM l);
  static LRESULT CALLBACK Procedimiento(HWND v, UINT mensaje, WPARAM w, LPARAM l);
  static LRESULT CALLBACK DelSistema(HWND v, UINT mensaje, WPARAM w, LPARAM l);
};

// --- Drawing -------------------------------------------------------------------------------

// What lies in `zona` of the client area (what the system asks to be painted).
void VentanaWin32::Estado::Pintar(HDC dc, const RECT& zona) {
  FillRect(dc, &zona, Pincel(forma.FondoEfectivo(forma.Nombre())));
  SetBkMode(dc, TRANSPARENT);
  for (int i : forma.Hijos(-1)) PintarControl(dc, i, zona);
}

void VentanaWin32::Estado::PintarControl(HDC dc, int i, const RECT& zona) {
  const Control& c = forma.Controles()[i];
  if (!c.visible || EsDelSistema(c.clase)) return;
  const RECT r = Rectangulo(i);
  RECT comun;
  if (!IntersectRect(&comun, &r, &zona)) return;  // neither it nor its children show there
  const int guardado = SaveDC(dc);
  IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
  if (c.fondo && c.clase != Clase::kBarra) FillRect(dc, &r, Pincel(*c.fondo));
  switch (c.clase) {
    case Clase::kEtiqueta:
      PintarEtiqueta(dc, c, r);
      break;
    case Clase::kImagen:
      PintarImagen(dc, c, r);
      break;
    case Clase::kBarra:
      PintarBarra(dc, c, r);
      break;
    default:
      break;
  }
  for (int hijo : forma.Hijos(i)) PintarControl(dc, hijo, zona);
  RestoreDC(dc, guardado);
}

void VentanaWin32::Estado::PintarEtiqueta(HDC dc, const Control& c, RECT r) {
  SelectObject(dc, Letra(c.letra));
  SetTextColor(dc, Rgb(c.tinta.value_or(kNegro)));
  const std::wstring texto = Ancho(c.texto);
  UINT formato = DT_NOPREFIX | (c.horizontal == Horizontal::kCentro ? DT_CENTER : DT_LEFT);
  formato |= c.ajustar ? DT_WORDBREAK : DT_SINGLELINE;
  if (c.vertical == Vertical::kCentro) {
    // Centred as a block: the text's height first.
    RECT medida = r;
    DrawTextW(dc, texto.c_str(), -1, &medida, formato | DT_CALCRECT);
    const int alto = medida.bottom - medida.top;
    r.top += std::max(0L, static_cast<LONG>((r.bottom - r.top - alto) / 2));
  }
  DrawTextW(dc, texto.c_str(), -1, &r, formato);
}

void VentanaWin32::Estado::PintarImagen(HDC dc, const Control& c, RECT r) {
  const int ancho = r.right - r.left, alto = r.bottom - r.top;
  if (c.icono == Icono::kAdvertencia || c.icono == Icono::kError) {
    HICON icono = LoadIconW(nullptr, c.icono == Icono::kError ? MAKEINTRESOURCEW(32513) : MAKEINTRESOURCEW(32515));
    DrawIconEx(dc, r.left, r.top, icono, ancho, alto, 0, nullptr, DI_NORMAL);
    return;
  }
  const Color tinta = c.tinta.value_or(kNegro);
  HPEN pluma = CreatePen(PS_SOLID, Escalar(2), Rgb(c.icono == Icono::kCorrecto ? Color{255, 255, 255} : tinta));
  HGDIOBJ antes = SelectObject(dc, pluma);
  if (c.icono == Icono::kCorrecto) {
    // A green disc with a white tick.
    HGDIOBJ pincel = SelectObject(dc, Pincel(Color{46, 160, 67}));
    HPEN borde = CreatePen(PS_SOLID, 1, RGB(46, 160, 67));
    HGDIOBJ plumaAntes = SelectObject(dc, borde);
    const int margen = Escalar(2);
    Ellipse(dc, r.left + margen, r.top + margen, r.right - margen, r.bottom - margen);
    SelectObject(dc, plumaAntes);
    DeleteObject(borde);
    HPEN gruesa = CreatePen(PS_SOLID, std::max(2, ancho / 10), RGB(255, 255, 255));
    SelectObject(dc, gruesa);
    const POINT visto[] = {{r.left + ancho * 27 / 100, r.top + alto * 52 / 100},
                           {r.left + ancho * 44 / 100, r.top + alto * 68 / 100},
                           {r.left + ancho * 74 / 100, r.top + alto * 34 / 100}};
    Polyline(dc, visto, 3);
    SelectObject(dc, pluma);
    DeleteObject(gruesa);
    SelectObject(dc, pincel);
  } else if (c.icono == Icono::kRegresar) {
    // An arrow to the left.
    HGDIOBJ pincel = SelectObject(dc, Pincel(tinta));
    const int punta = Escalar(3), borde = Escalar(4);
    const POINT puntas[] = {{r.left + punta, r.top + alto / 2},         {r.left + ancho / 2, r.top + borde},
                            {r.left + ancho / 2, r.top + alto * 3 / 8}, {r.right - borde, r.top + alto * 3 / 8},
                            {r.right - borde, r.top + alto * 5 / 8},    {r.left + ancho / 2, r.top + alto * 5 / 8},
                            {r.left + ancho / 2, r.bottom - borde}};
    Polygon(dc, puntas, 7);
    SelectObject(dc, pincel);
  } else if (c.icono == Icono::kSobre) {
    // An envelope.
    HGDIOBJ pincel = SelectObject(dc, Pincel(kBlanco));
    const int arriba = r.top + alto / 5, abajo = r.top + alto * 4 / 5, margen = Escalar(2);
    Rectangle(dc, r.left + margen, arriba, r.right - margen, abajo);
    const POINT solapa[] = {
        {r.left + margen, arriba}, {r.left + ancho / 2, r.top + alto / 2 + margen}, {r.right - margen - 1, arriba}};
    Polyline(dc, solapa, 3);
    SelectObject(dc, pincel);
  }
  SelectObject(dc, antes);
  DeleteObject(pluma);
}

void VentanaWin32::Estado::PintarBarra(HDC dc, const Control& c, RECT r) {
  const Color fondo = c.fondo.value_or(Color{192, 192, 192});
  const Color tinta = c.tinta.value_or(Color{69, 69, 69});
  FillRect(dc, &r, Pincel(fondo));
  if (!c.porcentaje) return;  // cleared
  const int32_t porcentaje = *c.porcentaje;
  // The percentage flush right and centred, then the box in not-xor over it: the covered part
  // of the text shows inverted.
  SelectObject(dc, Letra(c.letra));
  SetTextColor(dc, Rgb(tinta));
  const std::wstring texto = (porcentaje == 0 ? std::wstring() : std::to_wstring(porcentaje)) + L"%";
  RECT texto_r = r;
  DrawTextW(dc, texto.c_str(), -1, &texto_r, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  if (porcentaje > 0) {
    HGDIOBJ antes = SelectObject(dc, Pincel(tinta));
    const int ancho = (r.right - r.left) * porcentaje / 100;
    PatBlt(dc, r.left, r.top, ancho, r.bottom - r.top, 0x00A50065);  // PDxn: not (pattern xor destination)
    SelectObject(dc, antes);
  }
}

// --- The system's controls ---------------------------------------------------------------

void VentanaWin32::Estado::CrearDelSistema() {
  const auto& controles = forma.Controles();
  for (size_t i = 0; i < controles.size(); ++i) {
    const Control& c = controles[i];
    if (!EsDelSistema(c.clase)) continue;
    const wchar_t* clase = c.clase == Clase::kCaja ? L"EDIT" : L"BUTTON";
    DWORD estilo = WS_CHILD | WS_TABSTOP;
    DWORD extendido = 0;
    if (c.clase == Clase::kCaja) {
      estilo |= ES_AUTOHSCROLL | ES_LEFT;
      extendido = WS_EX_CLIENTEDGE;
    } else {
      estilo |= c.clase == Clase::kCasilla ? BS_AUTOCHECKBOX : BS_PUSHBUTTON;
    }
    const RECT r = Rectangulo(static_cast<int>(i));
    HWND hijo = CreateWindowExW(extendido, clase, Ancho(c.texto).c_str(), estilo, r.left, r.top, r.right - r.left,
                                r.bottom - r.top, ventana, reinterpret_cast<HMENU>(static_cast<INT_PTR>(1000 + i)),
                                GetModuleHandleW(nullptr), nullptr);
    SendMessageW(hijo, WM_SETFONT, reinterpret_cast<WPARAM>(Letra(c.letra)), FALSE);
    // A themed check box (Common Controls 6) draws its text in the theme's colour whatever
    // WM_CTLCOLORSTATIC says: without a theme it keeps the design's orange on white. A blank
    // name matches no class of any theme (an empty one would mean the default theme).
    if (c.clase == Clase::kCasilla) SetWindowTheme(hijo, L" ", L" ");
    SetWindowLongPtrW(hijo, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetPropW(hijo, L"EvaloraProcedimiento",
             reinterpret_cast<HANDLE>(SetWindowLongPtrW(hijo, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&DelSistema))));
    delSistema[static_cast<int>(i)] = hijo;
  }
}

void VentanaWin32::Estado::ActualizarDelSistema() {
  for (auto& [i, hijo] : delSistema) {
    const Control& c = forma.Controles()[i];
    const RECT r = Rectangulo(i);
    SetWindowPos(hijo, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
    std::wstring actual(static_cast<size_t>(GetWindowTextLengthW(hijo)) + 1, L'\0');
    actual.resize(static_cast<size_t>(GetWindowTextW(hijo, actual.data(), static_cast<int>(actual.size()))));
    if (actual != Ancho(c.texto)) {
      escribiendo = true;
      SetWindowTextW(hijo, Ancho(c.texto).c_str());
      escribiendo = false;
    }
    if (c.clase == Clase::kCaja) SendMessageW(hijo, EM_SETREADONLY, c.soloLectura, 0);
    if (c.clase == Clase::kCasilla) SendMessageW(hijo, BM_SETCHECK, c.marcado ? BST_CHECKED : BST_UNCHECKED, 0);
    EnableWindow(hijo, c.habilitado);
    const bool ver = forma.ALaVista(i);
    if (mostrados[i] != ver) ShowWindow(hijo, ver ? SW_SHOWNA : SW_HIDE);
    mostrados[i] = ver;
  }
  ActualizarAyudas();
}

// --- Tooltips ----------------------------------------------------------------------------

void VentanaWin32::Estado::CrearAyudas() {
  INITCOMMONCONTROLSEX comunes{sizeof comunes, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&comunes);
  ayudas = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, ventana, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
  const auto& controles = forma.Controles();
  for (size_t i = 0; i < controles.size(); ++i) {
    if (controles[i].ayuda.empty()) continue;
    std::wstring texto = Ancho(controles[i].ayuda);
    TTTOOLINFOW herramienta{};
    herramienta.cbSize = sizeof herramienta;
    herramienta.uFlags = TTF_SUBCLASS;
    herramienta.hwnd = ventana;
    herramienta.uId = 1000 + i;
    // A system control is its own tool (the pointer over it is its own); a drawn one, a place.
    if (const auto hijo = delSistema.find(static_cast<int>(i)); hijo != delSistema.end()) {
      herramienta.uFlags |= TTF_IDISHWND;
      herramienta.uId = reinterpret_cast<UINT_PTR>(hijo->second);
    }
    herramienta.lpszText = texto.data();
    SendMessageW(ayudas, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&herramienta));
  }
  ActualizarAyudas();
}

void VentanaWin32::Estado::ActualizarAyudas() {
  // Each tooltip over its control's place while the control is in view; nowhere otherwise.
  const auto& controles = forma.Controles();
  for (size_t i = 0; i < controles.size() && ayudas; ++i) {
    if (controles[i].ayuda.empty() || delSistema.count(static_cast<int>(i))) continue;
    TTTOOLINFOW herramienta{};
    herramienta.cbSize = sizeof herramienta;
    herramienta.hwnd = ventana;
    herramienta.uId = 1000 + i;
    herramienta.rect = forma.ALaVista(static_cast<int>(i)) ? Rectangulo(static_cast<int>(i)) : RECT{0, 0, 0, 0};
    SendMessageW(ayudas, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&herramienta));
  }
}

// --- What the user does ------------------------------------------------------------------

void VentanaWin32::Estado::Puntero(int x, int y) {
  const int i = ControlEn(x, y);
  if (i < 0) {
    forma.Raton(forma.Nombre());
  } else {
    forma.PunteroSobre(forma.Controles()[i].nombre);
  }
}

LRESULT CALLBACK VentanaWin32::Estado::DelSistema(HWND v, UINT mensaje, WPARAM w, LPARAM l) {
  auto* e = reinterpret_cast<Estado*>(GetWindowLongPtrW(v, GWLP_USERDATA));
  const auto anterior = reinterpret_cast<WNDPROC>(GetPropW(v, L"EvaloraProcedimiento"));
  const int i = GetDlgCtrlID(v) - 1000;
  if (mensaje == WM_MOUSEMOVE) {
    POINT p{GET_X_LPARAM(l), GET_Y_LPARAM(l)};
    MapWindowPoints(v, e->ventana, &p, 1);
    e->Puntero(p.x, p.y);
  } else if (mensaje == WM_KEYDOWN && w == VK_RETURN) {
    // Enter on a push button or a check box is its click, as in every dialog of the system; in a
    // box it is the box's own key.
    const Control& c = e->forma.Controles()[i];
    if (c.clase == Clase::kBoton || c.clase == Clase::kCasilla) {
      e->forma.Pulsar(c.nombre);
    } else {
      e->forma.TeclaEnter(c.nombre);
    }
    return 0;
  } else if (mensaje == WM_SETFOCUS && e->forma.Foco() != e->forma.Controles()[i].nombre) {
    e->forma.Enfocar(e->forma.Controles()[i].nombre);  // the pointer put it there
  } else if (mensaje == WM_GETOBJECT && static_cast<LONG>(l) == static_cast<LONG>(OBJID_CLIENT)) {
    if (const LRESULT r = ResponderDelSistema(v, e->forma.Controles()[i], e->forma.NombreAccesible(i), w)) return r;
  } else if (mensaje == WM_GETDLGCODE && l && reinterpret_cast<const MSG*>(l)->wParam == VK_RETURN) {
    return CallWindowProcW(anterior, v, mensaje, w, l) | DLGC_WANTALLKEYS;  // Enter is the box's
  } else if (mensaje == WM_CHAR && (w == L'\r' || w == L'\n')) {
    return 0;  // no beep: Enter was the form's
  }
  return CallWindowProcW(anterior, v, mensaje, w, l);
}

LRESULT VentanaWin32::Estado::Mensaje(UINT mensaje, WPARAM w, LPARAM l) {
  switch (mensaje) {
    case WM_GETOBJECT:
      if (static_cast<LONG>(l) == static_cast<LONG>(OBJID_CLIENT)) {
        auto delSistemaDe = [this](int i) -> void* {
          const auto hijo = delSistema.find(i);
          return hijo == delSistema.end() ? nullptr : hijo->second;
        };
        if (const LRESULT r = ResponderAccesible(FuenteAccesible{forma, ventana, ppp, delSistemaDe}, w)) return r;
      } else if (static_cast<LONG>(l) == static_cast<LONG>(OBJID_ALERT) && !anuncio.empty()) {
        if (const LRESULT r = ResponderAlerta(ventana, anuncio, w)) return r;
      }
      break;
    case kMensajeAnunciarPaso:
      anunciando = false;
      anuncio = forma.MensajeDelPaso();
      if (!anuncio.empty()) NotifyWinEvent(EVENT_SYSTEM_ALERT, ventana, OBJID_ALERT, CHILDID_SELF);
      return 0;
    case kMensajeAccionAccesible:  // a screen reader's default action on a control we draw
      // Only on one still in view: the step may have changed since the reader asked.
      if (w < forma.Controles().size() && forma.ALaVista(static_cast<int>(w))) {
        forma.Pulsar(forma.Controles()[static_cast<size_t>(w)].nombre);
      }
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(ventana, &ps);
      const RECT& zona = ps.rcPaint;
      const int ancho = zona.right - zona.left, alto = zona.bottom - zona.top;
      if (ancho <= 0 || alto <= 0) {
        EndPaint(ventana, &ps);
        return 0;
      }
      // Only what must be painted (a bar's place, for its percentage), drawn off the screen
      // first, then shown at once.
      HDC memoria = CreateCompatibleDC(dc);
      HBITMAP imagen = CreateCompatibleBitmap(dc, ancho, alto);
      HGDIOBJ antes = SelectObject(memoria, imagen);
      SetViewportOrgEx(memoria, -zona.left, -zona.top, nullptr);
      Pintar(memoria, zona);
      SetViewportOrgEx(memoria, 0, 0, nullptr);
      BitBlt(dc, zona.left, zona.top, ancho, alto, memoria, 0, 0, SRCCOPY);
      SelectObject(memoria, antes);
      DeleteObject(imagen);
      DeleteDC(memoria);
      EndPaint(ventana, &ps);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;  // the painting covers it
    case WM_MOUSEMOVE:
      Puntero(GET_X_LPARAM(l), GET_Y_LPARAM(l));
      return 0;
    case WM_LBUTTONDOWN:
      pulsado = ControlEn(GET_X_LPARAM(l), GET_Y_LPARAM(l));
      SetCapture(ventana);
      return 0;
    case WM_LBUTTONUP: {
      ReleaseCapture();
      const int i = ControlEn(GET_X_LPARAM(l), GET_Y_LPARAM(l));
      const int antes = pulsado;
      pulsado = -1;
      if (i >= 0 && i == antes) forma.Pulsar(forma.Controles()[i].nombre);
      return 0;
    }
    case WM_SETCURSOR: {
      // Over a system control (the text boxes' I-beam) the control's own pointer; the window's
      // only over what it draws itself.
      if (reinterpret_cast<HWND>(w) != ventana) return FALSE;
      if (LOWORD(l) != HTCLIENT) break;
      POINT p;
      GetCursorPos(&p);
      ScreenToClient(ventana, &p);
      const int i = ControlEn(p.x, p.y);
      SetCursor(i >= 0 && forma.Controles()[i].mano ? mano : flecha);
      return TRUE;
    }
    case WM_COMMAND: {
      const int i = LOWORD(w) - 1000;
      if (i < 0 || i >= static_cast<int>(forma.Controles().size())) break;
      const Control& c = forma.Controles()[i];
      HWND hijo = reinterpret_cast<HWND>(l);
      if (c.clase == Clase::kCaja && HIWORD(w) == EN_CHANGE && !escribiendo) {
        std::wstring texto(static_cast<size_t>(GetWindowTextLengthW(hijo)) + 1, L'\0');
        texto.resize(static_cast<size_t>(GetWindowTextW(hijo, texto.data(), static_cast<int>(texto.size()))));
        forma.Escribir(c.nombre, win32::Estrecho(texto));
      } else if (c.clase == Clase::kCasilla && HIWORD(w) == BN_CLICKED) {
        forma.Marcar(c.nombre, SendMessageW(hijo, BM_GETCHECK, 0, 0) == BST_CHECKED);
      } else if (c.clase == Clase::kBoton && HIWORD(w) == BN_CLICKED) {
        forma.Pulsar(c.nombre);
      }
      return 0;
    }
    case WM_CTLCOLORSTATIC: {
      // Check boxes and the read-only box: the design's colours.
      HDC dc = reinterpret_cast<HDC>(w);
      const int i = GetDlgCtrlID(reinterpret_cast<HWND>(l)) - 1000;
      if (i < 0 || i >= static_cast<int>(forma.Controles().size())) break;
      const Control& c = forma.Controles()[i];
      if (c.clase == Clase::kCaja) break;
      const Color fondo = forma.FondoEfectivo(c.nombre);
      SetTextColor(dc, Rgb(c.tinta.value_or(kNegro)));
      SetBkColor(dc, Rgb(fondo));
      return reinterpret_cast<LRESULT>(Pincel(fondo));
    }
    case WM_CLOSE:
      forma.CerrarPorElUsuario();  // ends the program
      return 0;
    default:
      break;
  }
  return DefWindowProcW(ventana, mensaje, w, l);
}

LRESULT CALLBACK VentanaWin32::Estado::Procedimiento(HWND v, UINT mensaje, WPARAM w, LPARAM l) {
  if (mensaje == WM_NCCREATE) {
    auto* e = static_cast<Estado*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
    e->ventana = v;
    SetWindowLongPtrW(v, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(e));
  }
  auto* e = reinterpret_cast<Estado*>(GetWindowLongPtrW(v, GWLP_USERDATA));
  return e ? e->Mensaje(mensaje, w, l) : DefWindowProcW(v, mensaje, w, l);
}

// --- The renderer ------------------------------------------------------------------------

VentanaWin32::VentanaWin32(frmPrincipal& forma) : forma_(forma), estado_(std::make_unique<Estado>(forma)) {
  WNDCLASSEXW clase{};
  clase.cbSize = sizeof clase;
  clase.lpfnWndProc = &Estado::Procedimiento;
  clase.hInstance = GetModuleHandleW(nullptr);
  clase.hCursor = estado_->flecha;
  // The caption's, taskbar's and Alt+Tab's icon: the program's own.
  clase.hIcon = IconoDelPrograma(SM_CXICON, SM_CYICON);
  clase.hIconSm = IconoDelPrograma(SM_CXSMICON, SM_CYSMICON);
  clase.lpszClassName = kClase;
  RegisterClassExW(&clase);  // a second window finds it registered
  const Rect lugar = forma.Lugar();
  RECT marco{0, 0, Pixeles(lugar.ancho, estado_->ppp), Pixeles(lugar.alto, estado_->ppp)};
  AdjustWindowRectEx(&marco, kEstilo, FALSE, 0);
  CreateWindowExW(0, kClase, Ancho(forma.Caption()).c_str(), kEstilo, CW_USEDEFAULT, CW_USEDEFAULT,
                  marco.right - marco.left, marco.bottom - marco.top, nullptr, nullptr, GetModuleHandleW(nullptr),
                  estado_.get());
  estado_->CrearDelSistema();
  estado_->CrearAyudas();
  estado_->ActualizarDelSistema();
  forma_.UsarVista(this);
}

VentanaWin32::~VentanaWin32() {
  if (forma_.VistaActual() == this) forma_.UsarVista(nullptr);
  SetWindowLongPtrW(estado_->ventana, GWLP_USERDATA, 0);
  DestroyWindow(estado_->ventana);
}

void VentanaWin32::Actualizar(int control) {
  const Control& c = forma_.Controles()[control];
  if (c.clase == Clase::kBarra || c.clase == Clase::kEtiqueta) {
    // The frequent ones (a bar's percentage, a stage's text): their own place only, unless they
    // moved or came into view or out of it.
    const RECT r = estado_->Rectangulo(control);
    auto& antes = estado_->dibujados[control];
    const bool igual = antes.first == forma_.ALaVista(control) && EqualRect(&antes.second, &r);
    antes = {forma_.ALaVista(control), r};
    if (igual) {
      // Painted now: the program may go on working without yielding (an installation stage).
      InvalidateRect(estado_->ventana, &r, FALSE);
      UpdateWindow(estado_->ventana);
      return;
    }
  }
  estado_->ActualizarDelSistema();
  InvalidateRect(estado_->ventana, nullptr, FALSE);
}

void VentanaWin32::Reordenar(int) { InvalidateRect(estado_->ventana, nullptr, FALSE); }

void VentanaWin32::AnunciarPaso() {
  if (estado_->anunciando) return;
  estado_->anunciando = true;
  // From the loop: by then the program has written the step's texts.
  PostMessageW(estado_->ventana, kMensajeAnunciarPaso, 0, 0);
}

void VentanaWin32::Enfocar(int control) {
  // A control we draw has no window: the keys go to ours, and the form knows which it is.
  const auto hijo = estado_->delSistema.find(control);
  SetFocus(hijo != estado_->delSistema.end() ? hijo->second : estado_->ventana);
}

void VentanaWin32::EscribirCaption(const std::string& caption) {
  SetWindowTextW(estado_->ventana, Ancho(caption).c_str());
}

void VentanaWin32::Mostrar() {
  ShowWindow(estado_->ventana, SW_SHOW);
  UpdateWindow(estado_->ventana);
}

void VentanaWin32::Ocultar() { ShowWindow(estado_->ventana, SW_HIDE); }

void VentanaWin32::Refrescar() {
  RedrawWindow(estado_->ventana, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

bool VentanaWin32::Capturar(const std::string& archivo) {
  int ancho = 0, alto = 0;
  std::vector<uint32_t> pixeles;
  return Foto(ancho, alto, pixeles) && EscribirPng(archivo, ancho, alto, pixeles);
}

bool VentanaWin32::Foto(int& ancho, int& alto, std::vector<uint32_t>& pixeles, bool repintar, bool conMarco) {
  // PrintWindow gives blank pictures under Wine: the screen's own pixels are copied instead.
  HWND v = estado_->ventana;
  if (!IsWindowVisible(v)) return false;
  if (repintar) Refrescar();
  RECT cliente;
  if (conMarco) {
    GetWindowRect(v, &cliente);
    OffsetRect(&cliente, -cliente.left, -cliente.top);
  } else {
    GetClientRect(v, &cliente);
  }
  ancho = cliente.right;
  alto = cliente.bottom;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = ancho;
  info.bmiHeader.biHeight = -alto;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC dc = conMarco ? GetWindowDC(v) : GetDC(v);
  HDC memoria = CreateCompatibleDC(dc);
  HBITMAP imagen = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  bool bien = false;
  if (imagen && bits) {
    HGDIOBJ antes = SelectObject(memoria, imagen);
    bien = BitBlt(memoria, 0, 0, ancho, alto, dc, 0, 0, SRCCOPY);
    GdiFlush();
    SelectObject(memoria, antes);
    if (bien) {
      const auto* p = static_cast<const uint32_t*>(bits);
      pixeles.assign(p, p + static_cast<size_t>(ancho) * alto);
      for (uint32_t& x : pixeles) x &= 0x00FFFFFFu;
    }
    DeleteObject(imagen);
  }
  DeleteDC(memoria);
  ReleaseDC(v, dc);
  return bien;
}

void* VentanaWin32::Ventana() const { return estado_->ventana; }

void* VentanaWin32::ControlDelSistema(const std::string& nombre) const {
  const auto hijo = estado_->delSistema.find(forma_.Indice(nombre));
  return hijo == estado_->delSistema.end() ? nullptr : hijo->second;
}

int VentanaWin32::Ppp() const { return estado_->ppp; }

void* VentanaWin32::LetraDe(int control) const { return estado_->Letra(forma_.Controles()[control].letra); }

std::vector<std::string> VentanaWin32::EtiquetasQueNoCaben() const {
  std::vector<std::string> sinLugar;
  HDC dc = GetDC(estado_->ventana);
  const auto& controles = forma_.Controles();
  for (size_t i = 0; i < controles.size(); ++i) {
    const Control& c = controles[i];
    if (c.clase != Clase::kEtiqueta || c.texto.empty() || !forma_.ALaVista(static_cast<int>(i))) continue;
    const RECT caja = estado_->Rectangulo(static_cast<int>(i));
    HGDIOBJ antes = SelectObject(dc, static_cast<HFONT>(LetraDe(static_cast<int>(i))));
    const std::wstring texto = Ancho(c.texto);
    // Measured as it is drawn (PintarEtiqueta).
    RECT medida{0, 0, caja.right - caja.left, 0};
    DrawTextW(dc, texto.c_str(), -1, &medida, DT_CALCRECT | DT_NOPREFIX | (c.ajustar ? DT_WORDBREAK : DT_SINGLELINE));
    SelectObject(dc, antes);
    const int ancho = medida.right - medida.left, alto = medida.bottom - medida.top;
    if (ancho > caja.right - caja.left || alto > caja.bottom - caja.top) {
      sinLugar.push_back(c.nombre + " (" + std::to_string(ancho) + "x" + std::to_string(alto) + " en " +
                         std::to_string(caja.right - caja.left) + "x" + std::to_string(caja.bottom - caja.top) + ")");
    }
  }
  ReleaseDC(estado_->ventana, dc);
  return sinLugar;
}

// One message of the window's loop: the keyboard's way through the form first (Tab and Shift+Tab
// along its order; Enter and Space on a control we draw), then the keys of a dialog (Enter on a
// push button, Space on a check box).
void VentanaWin32::Atender(void* mensaje) {
  MSG* m = static_cast<MSG*>(mensaje);
  const bool nuestra = m->hwnd == estado_->ventana || IsChild(estado_->ventana, m->hwnd);
  if (nuestra && m->message == WM_KEYDOWN) {
    using T = frmPrincipal::Tecla;
    if (m->wParam == VK_TAB) {
      forma_.PulsarTecla(GetKeyState(VK_SHIFT) < 0 ? T::kShiftTab : T::kTab);
      return;
    }
    if ((m->wParam == VK_RETURN || m->wParam == VK_SPACE) && m->hwnd == estado_->ventana) {
      forma_.PulsarTecla(m->wParam == VK_RETURN ? T::kEnter : T::kEspacio);
      return;
    }
  }
  if (nuestra && m->message == WM_CHAR && m->hwnd == estado_->ventana && (m->wParam == L' ' || m->wParam == L'\r')) {
    return;  // no beep: the key was the form's
  }
  if (!IsDialogMessageW(estado_->ventana, m)) {
    TranslateMessage(m);
    DispatchMessageW(m);
  }
}

void VentanaWin32::AtenderPendientes() {
  MSG mensaje;
  while (PeekMessageW(&mensaje, nullptr, 0, 0, PM_REMOVE)) Atender(&mensaje);
}

int VentanaWin32::Bucle() {
  MSG mensaje;
  while (GetMessageW(&mensaje, nullptr, 0, 0) > 0) Atender(&mensaje);
  return static_cast<int>(mensaje.wParam);
}

}  // namespace evalora::ui

// The Windows build's scenarios see the form through the Win32 window (under Wine, on Xvfb), laid
// out at the prefix's DPI, and hear it as a screen reader does, through MSAA.
#include "Escenario.h"
#include "ui/win32/VentanaWin32.h"

// clang-format off
#include <windows.h>
#include <oleacc.h>
// clang-format on

#include "platform/windows/TextoWin.h"
#include "ui/win32/IidAccesible.h"

namespace evalora::escenario {

std::unique_ptr<ui::Vista> CrearVista(ui::frmPrincipal& forma) { return std::make_unique<ui::VentanaWin32>(forma); }

std::string TextosQueNoCaben(ui::Vista& vista) {
  std::string todas;
  for (const std::string& etiqueta : static_cast<ui::VentanaWin32&>(vista).EtiquetasQueNoCaben()) {
    todas += (todas.empty() ? "" : ", ") + etiqueta;
  }
  return todas;
}

namespace {

std::string Leer(BSTR b) {
  std::wstring w = b ? std::wstring(b, SysStringLen(b)) : L"";
  SysFreeString(b);
  return win32::Estrecho(w);
}

std::string RolLeido(LONG rol) {
  switch (rol) {
    case ROLE_SYSTEM_PUSHBUTTON:
      return "botón";
    case ROLE_SYSTEM_LINK:
      return "enlace";
    case ROLE_SYSTEM_STATICTEXT:
      return "texto";
    case ROLE_SYSTEM_TEXT:
      return "caja";
    case ROLE_SYSTEM_CHECKBUTTON:
      return "casilla";
    case ROLE_SYSTEM_PROGRESSBAR:
      return "barra";
    default:
      return "";
  }
}

// One object (or a simple child of it) as a reader asks for it: role, name, value, states.
std::optional<Accesible> Preguntar(IAccessible* objeto, VARIANT quien) {
  VARIANT rol{};
  if (objeto->get_accRole(quien, &rol) != S_OK || rol.vt != VT_I4) return std::nullopt;
  VARIANT estado{};
  objeto->get_accState(quien, &estado);
  if (estado.vt == VT_I4 && (estado.lVal & STATE_SYSTEM_INVISIBLE)) return std::nullopt;
  Accesible a;
  a.rol = RolLeido(rol.lVal);
  if (a.rol.empty()) return std::nullopt;
  BSTR nombre = nullptr;
  objeto->get_accName(quien, &nombre);
  a.nombre = Leer(nombre);
  if (a.rol == "caja" || a.rol == "barra") {
    BSTR valor = nullptr;
    objeto->get_accValue(quien, &valor);
    a.valor = Leer(valor);
  }
  if (estado.vt == VT_I4) {
    a.marcado = (estado.lVal & STATE_SYSTEM_CHECKED) != 0;
    a.enfocado = (estado.lVal & STATE_SYSTEM_FOCUSED) != 0;
    a.deshabilitado = (estado.lVal & STATE_SYSTEM_UNAVAILABLE) != 0;
  }
  return a;
}

// A reader's ear: EVENT_SYSTEM_ALERT of this process, each alert asked for as the event names it.
// The hook's callback has no context of its own: the one ear listening is found through this.
class OyenteWin32;
OyenteWin32*& Escuchando() {
  static OyenteWin32* oyente = nullptr;
  return oyente;
}

class OyenteWin32 : public Oyente {
 public:
  explicit OyenteWin32(ui::VentanaWin32& ventana) : ventana_(ventana) {
    Escuchando() = this;
    gancho_ = SetWinEventHook(EVENT_SYSTEM_ALERT, EVENT_SYSTEM_ALERT, nullptr, &AlOir, GetCurrentProcessId(), 0,
                              WINEVENT_OUTOFCONTEXT);
  }
  ~OyenteWin32() override {
    if (gancho_) UnhookWinEvent(gancho_);
    Escuchando() = nullptr;
  }
  std::vector<std::string> Anuncios() override {
    ventana_.AtenderPendientes();
    return std::exchange(oidos_, {});
  }

 private:
  static void CALLBACK AlOir(HWINEVENTHOOK, DWORD, HWND hwnd, LONG objeto, LONG hijo, DWORD, DWORD) {
    OyenteWin32* oyente = Escuchando();
    if (!oyente) return;
    IAccessible* alerta = nullptr;
    VARIANT quien{};
    if (AccessibleObjectFromEvent(hwnd, static_cast<DWORD>(objeto), static_cast<DWORD>(hijo), &alerta, &quien) !=
        S_OK) {
      oyente->oidos_.push_back("(sin objeto accesible)");
      return;
    }
    VARIANT rol{};
    BSTR nombre = nullptr;
    const bool esAlerta = alerta->get_accRole(quien, &rol) == S_OK && rol.vt == VT_I4 && rol.lVal == ROLE_SYSTEM_ALERT;
    alerta->get_accName(quien, &nombre);
    const std::string texto = Leer(nombre);
    oyente->oidos_.push_back(esAlerta ? texto : "(no es una alerta) " + texto);
    alerta->Release();
  }

  ui::VentanaWin32& ventana_;
  HWINEVENTHOOK gancho_ = nullptr;
  std::vector<std::string> oidos_;
};

}  // namespace

std::vector<Accesible> LoQueOyeUnLector(ui::Vista& vista) {
  auto& ventana = static_cast<ui::VentanaWin32&>(vista);
  std::vector<Accesible> leidos;
  IAccessible* cliente = nullptr;
  if (AccessibleObjectFromWindow(static_cast<HWND>(ventana.Ventana()), static_cast<DWORD>(OBJID_CLIENT),
                                 ui::kIidIAccessible, reinterpret_cast<void**>(&cliente)) != S_OK) {
    return leidos;
  }
  LONG cuantos = 0;
  cliente->get_accChildCount(&cuantos);
  std::vector<VARIANT> hijos(static_cast<size_t>(cuantos));
  LONG obtenidos = 0;
  if (cuantos > 0) AccessibleChildren(cliente, 0, cuantos, hijos.data(), &obtenidos);
  for (LONG k = 0; k < obtenidos; ++k) {
    VARIANT& hijo = hijos[static_cast<size_t>(k)];
    if (hijo.vt == VT_DISPATCH) {  // a system control: its own object
      IAccessible* objeto = nullptr;
      if (hijo.pdispVal && hijo.pdispVal->QueryInterface(ui::kIidIAccessible, reinterpret_cast<void**>(&objeto)) == S_OK) {
        VARIANT propio{};
        propio.vt = VT_I4;
        propio.lVal = CHILDID_SELF;
        if (auto a = Preguntar(objeto, propio)) leidos.push_back(*a);
        objeto->Release();
      }
    } else if (auto a = Preguntar(cliente, hijo)) {
      leidos.push_back(*a);
    }
    VariantClear(&hijo);
  }
  cliente->Release();
  return leidos;
}

std::unique_ptr<Oyente> EscucharAnuncios(ui::Vista& vista) {
  return std::make_unique<OyenteWin32>(static_cast<ui::VentanaWin32&>(vista));
}

}  // namespace evalora::escenario

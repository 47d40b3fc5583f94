#include "ui/win32/AccesibleWin32.h"

// clang-format off
#include <windows.h>
#include <oleacc.h>
// clang-format on

#include <string>
#include <vector>

#include "platform/windows/TextoWin.h"
#include "ui/win32/IidAccesible.h"

namespace evalora::ui {

namespace {

BSTR Texto(const std::string& texto) { return SysAllocString(win32::Ancho(texto).c_str()); }

LONG RolDeMsaa(Rol rol) {
  switch (rol) {
    case Rol::kBoton:
      return ROLE_SYSTEM_PUSHBUTTON;
    case Rol::kEnlace:
      return ROLE_SYSTEM_LINK;
    case Rol::kTexto:
      return ROLE_SYSTEM_STATICTEXT;
    case Rol::kCaja:
      return ROLE_SYSTEM_TEXT;
    case Rol::kCasilla:
      return ROLE_SYSTEM_CHECKBUTTON;
    case Rol::kBarra:
      return ROLE_SYSTEM_PROGRESSBAR;
    case Rol::kNinguno:
      break;
  }
  return ROLE_SYSTEM_CLIENT;
}

// An accessible object of ours: its count of references, IDispatch only through IAccessible's
// own methods, and the answer of an object with nothing to say for each question it does not
// answer itself.
class ObjetoAccesible : public IAccessible {
 public:
  virtual ~ObjetoAccesible() = default;

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** objeto) override {
    if (!objeto) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == kIidIAccessible) {
      *objeto = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    *objeto = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&cuenta_); }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG queda = InterlockedDecrement(&cuenta_);
    if (queda == 0) delete this;
    return queda;
  }

  // IDispatch
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override {
    *n = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return E_NOTIMPL;
  }

  // IAccessible: nothing below it, nothing to say.
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** padre) override {
    *padre = nullptr;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* n) override {
    *n = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT, IDispatch** objeto) override {
    *objeto = nullptr;
    return E_INVALIDARG;
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT, BSTR* nombre) override { return Nada(nombre); }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT, BSTR* valor) override { return Nada(valor); }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT, BSTR* d) override { return Nada(d); }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT, VARIANT* rol) override {
    rol->vt = VT_I4;
    rol->lVal = ROLE_SYSTEM_CLIENT;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT, VARIANT* estado) override {
    estado->vt = VT_I4;
    estado->lVal = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* ayuda) override { return Nada(ayuda); }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* archivo, VARIANT, LONG* tema) override {
    *tema = 0;
    return Nada(archivo);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT, BSTR* atajo) override { return Nada(atajo); }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* foco) override {
    foco->vt = VT_EMPTY;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* seleccion) override {
    seleccion->vt = VT_EMPTY;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT, BSTR* accion) override { return Nada(accion); }
  HRESULT STDMETHODCALLTYPE accSelect(LONG, VARIANT) override { return S_FALSE; }
  HRESULT STDMETHODCALLTYPE accLocation(LONG* x, LONG* y, LONG* ancho, LONG* alto, VARIANT) override {
    *x = *y = *ancho = *alto = 0;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE accNavigate(LONG, VARIANT, VARIANT* hacia) override {
    hacia->vt = VT_EMPTY;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE accHitTest(LONG, LONG, VARIANT* hijo) override {
    hijo->vt = VT_EMPTY;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT) override { return DISP_E_MEMBERNOTFOUND; }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

 protected:
  static HRESULT Nada(BSTR* texto) {
    *texto = nullptr;
    return S_FALSE;
  }
  static bool Propio(const VARIANT& v) { return v.vt == VT_I4 && v.lVal == CHILDID_SELF; }

 private:
  LONG cuenta_ = 1;
};

// The client area: children 1…n are the step's controls in reading order, as the form has them
// at the moment of each question.
class ClienteAccesible final : public ObjetoAccesible {
 public:
  explicit ClienteAccesible(const FuenteAccesible& f) : f_(f) {}

  // IAccessible
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** padre) override {
    return AccessibleObjectFromWindow(Ventana(), static_cast<DWORD>(OBJID_WINDOW), IID_IDispatch,
                                      reinterpret_cast<void**>(padre));
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* n) override {
    if (!IsWindow(Ventana())) return RPC_E_DISCONNECTED;  // the window is gone
    *n = static_cast<LONG>(f_.forma.OrdenAccesible().size());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT hijo, IDispatch** objeto) override {
    if (!IsWindow(Ventana())) return RPC_E_DISCONNECTED;  // the window is gone
    *objeto = nullptr;
    const int i = Control(hijo);
    if (i < 0) return E_INVALIDARG;
    void* sistema = f_.delSistema(i);
    if (!sistema) return S_FALSE;  // a simple child of ours
    return AccessibleObjectFromWindow(static_cast<HWND>(sistema), static_cast<DWORD>(OBJID_CLIENT), IID_IDispatch,
                                      reinterpret_cast<void**>(objeto));
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT hijo, BSTR* nombre) override {
    if (!IsWindow(Ventana())) return RPC_E_DISCONNECTED;  // the window is gone
    if (Propio(hijo)) {
      *nombre = Texto(f_.forma.Caption());
      return S_OK;
    }
    const int i = Control(hijo);
    if (i < 0) return E_INVALIDARG;
    *nombre = Texto(f_.forma.NombreAccesible(i));
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT hijo, BSTR* valor) override {
    if (!IsWindow(Ventana())) return RPC_E_DISCONNECTED;  // the window is gone
    *valor = nullptr;
    const int i = Control(hijo);
    if (i < 0) return Propio(hijo) ? S_FALSE : E_INVALIDARG;
    const ui::Control& c = f_.forma.Controles()[static_cast<size_t>(i)];
    if (c.rol == Rol::kBarra) {
      *valor = Texto(std::to_string(c.porcentaje.value_or(0)) + " %");
      return S_OK;
    }
    if (c.rol == Rol::kCaja) {
      *valor = Texto(c.texto);
      return S_OK;
    }
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT hijo, VARIANT* rol) override {
    if (!IsWindow(Ventana())) return RPC_E_DISCONNECTED;  // the window is gone
    rol->vt = VT_I4;
    if (Propio(hijo)) {
      rol->lVal = ROLE_SYSTEM_CLIENT;
      return S_OK;
    }
    const int i = Control(hijo);
    if (i < 0) return E_INVALIDARG;
    rol->lVal = RolDeMsaa(f_.forma.Controles()[static_cast<size_t>(i)].rol);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT hijo, VARIANT* estado) override {
    if (!IsWindow(Ventana())) return RPC_E_DISCONNECTED;  // the window is gone
    estado->vt = VT_I4;
    estado->lVal = 0;
    if (Propio(hijo)) {
      if (GetFocus() == Ventana()) estado->lVal |= STATE_SYSTEM_FOCUSED;
      estado->lVal |= STATE_SYSTEM_FOCUSABLE;
      return S_OK;
    }
    const int i = Control(hijo);
    if (i < 0) return E_INVALIDARG;
    const ui::Control& c = f_.forma.Controles()[static_cast<size_t>(i)];
    if (c.tabulable) estado->lVal |= STATE_SYSTEM_FOCUSABLE;
    if (f_.forma.Foco() == c.nombre) estado->lVal |= STATE_SYSTEM_FOCUSED;
    if (!c.habilitado) estado->lVal |= STATE_SYSTEM_UNAVAILABLE;
    if (c.rol == Rol::kTexto) estado->lVal |= STATE_SYSTEM_READONLY;
    if (c.rol == Rol::kEnlace) estado->lVal |= STATE_SYSTEM_LINKED;
    if (c.marcado) estado->lVal |= STATE_SYSTEM_CHECKED;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT hijo, BSTR* ayuda) override {
    if (!IsWindow(Ventana())) return RPC_E_DISCONNECTED;  // the window is gone
    *ayuda = nullptr;
    const int i = Control(hijo);
    if (i < 0 || f_.forma.Controles()[static_cast<size_t>(i)].ayuda.empty()) return S_FALSE;
    *ayuda = Texto(f_.forma.Controles()[static_cast<size_t>(i)].ayuda);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* foco) override {
    if (!IsWindow(Ventana())) return RPC_E_DISCONNECTED;  // the window is gone
    const auto orden = f_.forma.OrdenAccesible();
    const int i = f_.forma.Indice(f_.forma.Foco());
    for (size_t k = 0; k < orden.size(); ++k) {
      if (orden[k] == i) {
        foco->vt = VT_I4;
        foco->lVal = static_cast<LONG>(k + 1);
        return S_OK;
      }
    }
    foco->vt = VT_EMPTY;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT hijo, BSTR* accion) override {
    if (!IsWindow(Ventana())) return RPC_E_DISCONNECTED;  // the window is gone
    *accion = nullptr;
    const int i = Control(hijo);
    if (i < 0) return S_FALSE;
    const Rol rol = f_.forma.Controles()[static_cast<size_t>(i)].rol;
    if (rol != Rol::kBoton && rol != Rol::kEnlace && rol != Rol::kCasilla) return S_FALSE;
    *accion = Texto(rol == Rol::kCasilla ? "Marcar" : "Pulsar");
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accLocation(LONG* x, LONG* y, LONG* ancho, LONG* alto, VARIANT hijo) override {
    if (!IsWindow(Ventana())) return RPC_E_DISCONNECTED;  // the window is gone
    RECT r{};
    if (Propio(hijo)) {
      GetClientRect(Ventana(), &r);
    } else {
      const int i = Control(hijo);
      if (i < 0) return E_INVALIDARG;
      const auto p = f_.forma.LugarEnPixeles(i, f_.ppp);
      r = RECT{p.x, p.y, p.x + p.ancho, p.y + p.alto};
    }
    MapWindowPoints(Ventana(), nullptr, reinterpret_cast<POINT*>(&r), 2);
    *x = r.left;
    *y = r.top;
    *ancho = r.right - r.left;
    *alto = r.bottom - r.top;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accNavigate(LONG direccion, VARIANT desde, VARIANT* hacia) override {
    if (!IsWindow(Ventana())) return RPC_E_DISCONNECTED;  // the window is gone
    hacia->vt = VT_EMPTY;
    const LONG n = static_cast<LONG>(f_.forma.OrdenAccesible().size());
    LONG k = Propio(desde) ? 0 : desde.lVal;
    switch (direccion) {
      case NAVDIR_FIRSTCHILD:
        k = Propio(desde) && n > 0 ? 1 : 0;
        break;
      case NAVDIR_LASTCHILD:
        k = Propio(desde) && n > 0 ? n : 0;
        break;
      case NAVDIR_NEXT:
      case NAVDIR_DOWN:
      case NAVDIR_RIGHT:
        k = Propio(desde) || k >= n ? 0 : k + 1;
        break;
      case NAVDIR_PREVIOUS:
      case NAVDIR_UP:
      case NAVDIR_LEFT:
        k = Propio(desde) || k <= 1 ? 0 : k - 1;
        break;
      default:
        return E_INVALIDARG;
    }
    if (k == 0) return S_FALSE;
    hacia->vt = VT_I4;
    hacia->lVal = k;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* hijo) override {
    if (!IsWindow(Ventana())) return RPC_E_DISCONNECTED;  // the window is gone
    POINT p{x, y};
    ScreenToClient(Ventana(), &p);
    RECT cliente;
    GetClientRect(Ventana(), &cliente);
    hijo->vt = VT_EMPTY;
    if (!PtInRect(&cliente, p)) return S_FALSE;
    const auto orden = f_.forma.OrdenAccesible();
    for (size_t k = orden.size(); k-- > 0;) {
      const auto l = f_.forma.LugarEnPixeles(orden[k], f_.ppp);
      if (p.x >= l.x && p.x < l.x + l.ancho && p.y >= l.y && p.y < l.y + l.alto) {
        hijo->vt = VT_I4;
        hijo->lVal = static_cast<LONG>(k + 1);
        return S_OK;
      }
    }
    hijo->vt = VT_I4;
    hijo->lVal = CHILDID_SELF;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT hijo) override {
    if (!IsWindow(Ventana())) return RPC_E_DISCONNECTED;  // the window is gone
    const int i = Control(hijo);
    if (i < 0) return Propio(hijo) ? DISP_E_MEMBERNOTFOUND : E_INVALIDARG;
    // Asked by a reader while it waits: the click runs from the window's loop, as a click would.
    PostMessageW(Ventana(), kMensajeAccionAccesible, static_cast<WPARAM>(i), 0);
    return S_OK;
  }

 private:
  // The control of child k (1…n) of the step as it is now; -1 for none.
  int Control(const VARIANT& v) const {
    if (v.vt != VT_I4 || v.lVal == CHILDID_SELF) return -1;
    const auto orden = f_.forma.OrdenAccesible();
    if (v.lVal < 1 || v.lVal > static_cast<LONG>(orden.size())) return -1;
    return orden[static_cast<size_t>(v.lVal - 1)];
  }

  HWND Ventana() const { return static_cast<HWND>(f_.ventana); }

  FuenteAccesible f_;
};

// What a reader is told when a step appears: an alert whose name is the step's message.
class AlertaAccesible final : public ObjetoAccesible {
 public:
  AlertaAccesible(void* ventana, std::string mensaje)
      : ventana_(static_cast<HWND>(ventana)), mensaje_(std::move(mensaje)) {}

  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** padre) override {
    return AccessibleObjectFromWindow(ventana_, static_cast<DWORD>(OBJID_WINDOW), IID_IDispatch,
                                      reinterpret_cast<void**>(padre));
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT hijo, BSTR* nombre) override {
    if (!Propio(hijo)) return E_INVALIDARG;
    *nombre = Texto(mensaje_);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT hijo, VARIANT* rol) override {
    if (!Propio(hijo)) return E_INVALIDARG;
    rol->vt = VT_I4;
    rol->lVal = ROLE_SYSTEM_ALERT;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT hijo, VARIANT* estado) override {
    if (!Propio(hijo)) return E_INVALIDARG;
    estado->vt = VT_I4;
    estado->lVal = STATE_SYSTEM_READONLY;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accLocation(LONG* x, LONG* y, LONG* ancho, LONG* alto, VARIANT) override {
    RECT r{};
    GetClientRect(ventana_, &r);
    MapWindowPoints(ventana_, nullptr, reinterpret_cast<POINT*>(&r), 2);
    *x = r.left;
    *y = r.top;
    *ancho = r.right - r.left;
    *alto = r.bottom - r.top;
    return S_OK;
  }

 private:
  HWND ventana_;
  std::string mensaje_;
};

// A system control (text box, check box, push button): the system's own object for it (its
// value, caret, place, focus), with the form's role, a box named by its label (the system names a
// box by a label window before it, and we draw ours), a check box's tick as the control has it.
// Not every system (Wine's) knows a button's role or a check box's tick.
class DelSistemaAccesible final : public ObjetoAccesible {
 public:
  DelSistemaAccesible(IAccessible* sistema, HWND control, const Control& c, std::string nombre)
      : sistema_(sistema),
        control_(control),
        nombre_(std::move(nombre)),
        rol_(RolDeMsaa(c.rol)),
        caja_(c.rol == Rol::kCaja),
        casilla_(c.rol == Rol::kCasilla) {}
  ~DelSistemaAccesible() override { sistema_->Release(); }

  HRESULT STDMETHODCALLTYPE get_accName(VARIANT hijo, BSTR* nombre) override {
    if (!Propio(hijo) || !caja_) return sistema_->get_accName(hijo, nombre);
    *nombre = Texto(nombre_);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT hijo, VARIANT* rol) override {
    if (!Propio(hijo)) return sistema_->get_accRole(hijo, rol);
    rol->vt = VT_I4;
    rol->lVal = rol_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT hijo, VARIANT* estado) override {
    const HRESULT r = sistema_->get_accState(hijo, estado);
    if (r != S_OK || !Propio(hijo) || !casilla_ || estado->vt != VT_I4) return r;
    const bool marcada = SendMessageW(control_, BM_GETCHECK, 0, 0) == BST_CHECKED;
    estado->lVal = marcada ? (estado->lVal | STATE_SYSTEM_CHECKED) : (estado->lVal & ~STATE_SYSTEM_CHECKED);
    return S_OK;
  }
  // Everything else, as the system answers it.
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** p) override { return sistema_->get_accParent(p); }
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* n) override { return sistema_->get_accChildCount(n); }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT h, IDispatch** o) override { return sistema_->get_accChild(h, o); }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT h, BSTR* v) override { return sistema_->get_accValue(h, v); }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT h, BSTR* d) override {
    return sistema_->get_accDescription(h, d);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT h, BSTR* a) override { return sistema_->get_accHelp(h, a); }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* f, VARIANT h, LONG* t) override {
    return sistema_->get_accHelpTopic(f, h, t);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT h, BSTR* a) override {
    return sistema_->get_accKeyboardShortcut(h, a);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* f) override { return sistema_->get_accFocus(f); }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* s) override { return sistema_->get_accSelection(s); }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT h, BSTR* a) override {
    return sistema_->get_accDefaultAction(h, a);
  }
  HRESULT STDMETHODCALLTYPE accSelect(LONG f, VARIANT h) override { return sistema_->accSelect(f, h); }
  HRESULT STDMETHODCALLTYPE accLocation(LONG* x, LONG* y, LONG* w, LONG* h, VARIANT c) override {
    return sistema_->accLocation(x, y, w, h, c);
  }
  HRESULT STDMETHODCALLTYPE accNavigate(LONG d, VARIANT desde, VARIANT* hacia) override {
    return sistema_->accNavigate(d, desde, hacia);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* h) override { return sistema_->accHitTest(x, y, h); }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT h) override { return sistema_->accDoDefaultAction(h); }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT h, BSTR v) override { return sistema_->put_accValue(h, v); }

 private:
  IAccessible* sistema_;
  HWND control_;
  std::string nombre_;
  LONG rol_;
  bool caja_;
  bool casilla_;
};

intptr_t Responder(ObjetoAccesible* objeto, uintptr_t w) {
  const LRESULT r = LresultFromObject(kIidIAccessible, w, objeto);
  objeto->Release();
  return r;
}

}  // namespace

intptr_t ResponderAlerta(void* ventana, const std::string& mensaje, uintptr_t w) {
  return Responder(new AlertaAccesible(ventana, mensaje), w);
}

intptr_t ResponderDelSistema(void* control, const Control& c, const std::string& nombre, uintptr_t w) {
  IAccessible* sistema = nullptr;
  if (CreateStdAccessibleObject(static_cast<HWND>(control), static_cast<LONG>(OBJID_CLIENT), kIidIAccessible,
                                reinterpret_cast<void**>(&sistema)) != S_OK ||
      !sistema) {
    return 0;
  }
  return Responder(new DelSistemaAccesible(sistema, static_cast<HWND>(control), c, nombre), w);
}

intptr_t ResponderAccesible(const FuenteAccesible& fuente, uintptr_t w) {
  return Responder(new ClienteAccesible(fuente), w);
}

}  // namespace evalora::ui

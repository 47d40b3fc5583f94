#include "ui/win32/AccesibleWin32.h"

// clang-format off
#include <windows.h>
#include <oleacc.h>
// clang-format on

#include <string>
#include <vector>

#include "platform/windows/TextoWin.h"

namespace evalora::ui {

namespace {

// IAccessible's interface id, written here: mingw-w64's oleacc and uuid libraries both define the
// symbol, and linking both fails.
constexpr GUID kIidIAccessible = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

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

// The client area: children 1…n are the step's controls in reading order, as the form has them
// at the moment of each question.
class ClienteAccesible final : public IAccessible {
 public:
  explicit ClienteAccesible(const FuenteAccesible& f) : f_(f) {}
  virtual ~ClienteAccesible() = default;

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

  // IDispatch: only through the interface's own methods.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override {
    *n = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return E_NOTIMPL;
  }

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
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT, BSTR* d) override {
    *d = nullptr;
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
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* archivo, VARIANT, LONG* tema) override {
    *archivo = nullptr;
    *tema = 0;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT, BSTR* atajo) override {
    *atajo = nullptr;
    return S_FALSE;
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
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* seleccion) override {
    seleccion->vt = VT_EMPTY;
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
  HRESULT STDMETHODCALLTYPE accSelect(LONG, VARIANT) override { return S_FALSE; }
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
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

 private:
  static bool Propio(const VARIANT& v) { return v.vt == VT_I4 && v.lVal == CHILDID_SELF; }
  // The control of child k (1…n) of the step as it is now; -1 for none.
  int Control(const VARIANT& v) const {
    if (v.vt != VT_I4 || v.lVal == CHILDID_SELF) return -1;
    const auto orden = f_.forma.OrdenAccesible();
    if (v.lVal < 1 || v.lVal > static_cast<LONG>(orden.size())) return -1;
    return orden[static_cast<size_t>(v.lVal - 1)];
  }

  HWND Ventana() const { return static_cast<HWND>(f_.ventana); }

  FuenteAccesible f_;
  LONG cuenta_ = 1;
};

}  // namespace

intptr_t ResponderAccesible(const FuenteAccesible& fuente, uintptr_t w) {
  auto* cliente = new ClienteAccesible(fuente);
  const LRESULT r = LresultFromObject(kIidIAccessible, w, cliente);
  cliente->Release();
  return r;
}

}  // namespace evalora::ui

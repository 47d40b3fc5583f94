#include "platform/windows/ProcesosWmi.h"

#include <windows.h>
#include <objbase.h>
#include <wbemidl.h>

#include <algorithm>

#include "platform/windows/ComDelPrograma.h"
#include "platform/windows/ComWin.h"
#include "platform/windows/TextoWin.h"

namespace evalora {

using win32::Com;

std::vector<std::string> ProcesosWmi::NombresEnEjecucion() {
  std::vector<std::string> nombres;
  win32::ComDelHilo com;
  win32::EstablecerSeguridadDeCom();  // the program set it at start; a test's process may not have
  Com<IWbemLocator> localizador;
  if (FAILED(CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER, IID_IWbemLocator,
                              reinterpret_cast<void**>(&localizador)))) {
    return nombres;
  }
  Com<IWbemServices> servicios;
  BSTR espacio = SysAllocString(L"ROOT\\CIMV2");
  const HRESULT conectado = localizador->ConnectServer(espacio, nullptr, nullptr, nullptr, 0, nullptr, nullptr, &servicios);
  SysFreeString(espacio);
  if (FAILED(conectado)) return nombres;
  CoSetProxyBlanket(servicios.get(), RPC_C_AUTHN_WINNT, RPC_C_AUTHZ_NONE, nullptr, RPC_C_AUTHN_LEVEL_CALL,
                    RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE);
  BSTR lenguaje = SysAllocString(L"WQL");
  BSTR consulta = SysAllocString(L"Select Name from Win32_Process");
  Com<IEnumWbemClassObject> lista;
  const HRESULT ejecutada = servicios->ExecQuery(
      lenguaje, consulta, WBEM_FLAG_FORWARD_ONLY | WBEM_FLAG_RETURN_IMMEDIATELY, nullptr, &lista);
  SysFreeString(lenguaje);
  SysFreeString(consulta);
  if (FAILED(ejecutada)) return nombres;
  // The enumerator is a proxy of its own: it needs the same authentication and impersonation.
  CoSetProxyBlanket(lista.get(), RPC_C_AUTHN_WINNT, RPC_C_AUTHZ_NONE, nullptr, RPC_C_AUTHN_LEVEL_CALL,
                    RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE);
  for (;;) {
    Com<IWbemClassObject> proceso;
    ULONG devueltos = 0;
    if (lista->Next(static_cast<LONG>(WBEM_INFINITE), 1, &proceso, &devueltos) != WBEM_S_NO_ERROR || devueltos == 0) {
      break;
    }
    VARIANT nombre;
    VariantInit(&nombre);
    if (SUCCEEDED(proceso->Get(L"Name", 0, &nombre, nullptr, nullptr)) && nombre.vt == VT_BSTR) {
      nombres.push_back(win32::Estrecho(std::wstring(nombre.bstrVal, SysStringLen(nombre.bstrVal))));
    }
    VariantClear(&nombre);
  }
  std::stable_sort(nombres.begin(), nombres.end());
  return nombres;
}

}  // namespace evalora

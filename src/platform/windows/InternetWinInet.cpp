#include "platform/windows/InternetWinInet.h"

#include <windows.h>
#include <wininet.h>

#include "platform/windows/ManejadorDeInternet.h"
#include "platform/windows/TextoWin.h"

namespace evalora {

namespace {

using win32::ManejadorDeInternet;

constexpr DWORD kEsperaPorElProxyMs = 15000;  // to connect, and again for the answer

// The address asked for through the system's Internet settings (its proxy where it has one): any
// HTTP answer, whatever its status, says that the web is reached.
bool ContestaPorLosAjustesDelSistema(const std::wstring& url) {
  ManejadorDeInternet sesion{InternetOpenW(L"Evalora", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0)};
  if (!sesion.h) return false;
  DWORD espera = kEsperaPorElProxyMs;
  InternetSetOptionW(sesion.h, INTERNET_OPTION_CONNECT_TIMEOUT, &espera, sizeof espera);
  InternetSetOptionW(sesion.h, INTERNET_OPTION_RECEIVE_TIMEOUT, &espera, sizeof espera);
  InternetSetOptionW(sesion.h, INTERNET_OPTION_SEND_TIMEOUT, &espera, sizeof espera);
  const DWORD opciones = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_PRAGMA_NOCACHE |
                         INTERNET_FLAG_NO_UI | INTERNET_FLAG_NO_AUTO_REDIRECT | INTERNET_FLAG_NO_COOKIES;
  ManejadorDeInternet peticion{InternetOpenUrlW(sesion.h, url.c_str(), nullptr, 0, opciones, 0)};
  if (!peticion.h) return false;
  DWORD estado = 0;
  DWORD largo = sizeof estado;
  DWORD indice = 0;
  return HttpQueryInfoW(peticion.h, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &estado, &largo, &indice) &&
         estado >= 100;
}

}  // namespace

bool InternetWinInet::HayConexion(const std::string& url) {
  const std::wstring ancho = win32::Ancho(url);
  // The direct connection first; where the web goes through a proxy it cannot succeed, and the
  // downloads' own way (the system's settings) decides.
  return InternetCheckConnectionW(ancho.c_str(), FLAG_ICC_FORCE_CONNECTION, 0) != FALSE ||
         ContestaPorLosAjustesDelSistema(ancho);
}

}  // namespace evalora

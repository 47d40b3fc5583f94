#include "platform/windows/InternetWinInet.h"

#include <windows.h>
#include <wininet.h>

#include "platform/windows/TextoWin.h"

namespace evalora {

bool InternetWinInet::HayConexion(const std::string& url) {
  return InternetCheckConnectionW(win32::Ancho(url).c_str(), FLAG_ICC_FORCE_CONNECTION, 0) != FALSE;
}

}  // namespace evalora

#include "platform/windows/ComDelPrograma.h"

#include <objbase.h>

namespace evalora::win32 {

ComDelPrograma::ComDelPrograma()
    : propio_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {
  EstablecerSeguridadDeCom();
}

ComDelPrograma::~ComDelPrograma() {
  if (propio_) CoUninitialize();
}

void EstablecerSeguridadDeCom() {
  // RPC_E_TOO_LATE when it was set already (or COM chose its defaults): nothing to do.
  CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_DEFAULT, RPC_C_IMP_LEVEL_IMPERSONATE, nullptr,
                       EOAC_NONE, nullptr);
}

}  // namespace evalora::win32

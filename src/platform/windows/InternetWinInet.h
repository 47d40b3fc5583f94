#pragma once
#include "platform/Internet.h"

namespace evalora {

// InternetCheckConnection, forcing a connection to the address's host; when that fails (it never
// goes through a proxy), the address asked through the system's Internet settings, as downloads
// are.
class InternetWinInet : public Internet {
 public:
  bool HayConexion(const std::string& url) override;
};

}  // namespace evalora

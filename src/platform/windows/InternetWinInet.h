#pragma once
#include "platform/Internet.h"

namespace evalora {

// InternetCheckConnection, forcing a connection to the address's host.
class InternetWinInet : public Internet {
 public:
  bool HayConexion(const std::string& url) override;
};

}  // namespace evalora

#pragma once
#include <string>

namespace evalora {

// Whether the machine reaches a web address: a connection to its host and port must complete
// within a bounded time.
class Internet {
 public:
  virtual ~Internet() = default;
  virtual bool HayConexion(const std::string& url) = 0;
};

}  // namespace evalora

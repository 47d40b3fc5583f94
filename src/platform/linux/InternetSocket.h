#pragma once
#include <chrono>
#include <optional>
#include <string>

#include "platform/Internet.h"

namespace evalora {

// Connects to the URL's host and port (80 for http, 443 for https unless the URL names one);
// only a connection completed within the time limit counts. Name resolution counts against the
// same limit.
class InternetSocket : public Internet {
 public:
  explicit InternetSocket(std::chrono::milliseconds limite = std::chrono::seconds(10)) : limite_(limite) {}
  bool HayConexion(const std::string& url) override;

 private:
  std::chrono::milliseconds limite_;
};

// Host and port of an http(s) URL ("http://host:port/…"); without a scheme the text is taken as
// host[:port][/…] over http. Nothing when there is no host or the port is not a number.
struct DestinoDeUrl {
  std::string host;
  std::string puerto;
};
std::optional<DestinoDeUrl> AnalizarDestino(const std::string& url);

}  // namespace evalora

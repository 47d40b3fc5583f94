#include "platform/linux/RelojMonotono.h"

#include <ctime>

#include <chrono>
#include <thread>

namespace evalora {

uint32_t RelojMonotono::Milisegundos() {
  const auto desdeArranque = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(desdeArranque).count());
}

void RelojMonotono::Dormir(uint32_t milisegundos) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milisegundos));
}

int64_t RelojMonotono::Ahora() { return static_cast<int64_t>(std::time(nullptr)); }

}  // namespace evalora

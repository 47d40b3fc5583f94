#include "platform/linux/RelojMonotono.h"

#include <chrono>
#include <ctime>
#include <thread>

namespace evalora {

uint32_t RelojMonotono::Milisegundos() {
  // The coarse monotonic clock: milliseconds at the kernel's tick (a few ms, as fine as the tick
  // count Windows gives), read without the cost of the precise one; the download asks for every
  // block.
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC_COARSE, &t);
  return static_cast<uint32_t>(static_cast<uint64_t>(t.tv_sec) * 1000u + static_cast<uint64_t>(t.tv_nsec) / 1000000u);
}

void RelojMonotono::Dormir(uint32_t milisegundos) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milisegundos));
}

int64_t RelojMonotono::Ahora() { return static_cast<int64_t>(std::time(nullptr)); }

}  // namespace evalora

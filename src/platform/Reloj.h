#pragma once
#include <cstdint>

namespace evalora {

// The millisecond counter and the pauses of the wizard. In tests time is virtual: it moves only
// when someone waits, so no test sleeps for real.
class Reloj {
 public:
  virtual ~Reloj() = default;
  // Milliseconds since an arbitrary start; wraps around after 2^32 as the system counter does.
  virtual uint32_t Milisegundos() = 0;
  // Suspends the program for the given milliseconds.
  virtual void Dormir(uint32_t milisegundos) = 0;
  // The present date and time: seconds since 1970-01-01 00:00 UTC.
  virtual int64_t Ahora() = 0;
};

}  // namespace evalora

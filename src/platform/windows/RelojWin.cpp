#include "platform/windows/RelojWin.h"

#include <windows.h>

#include <ctime>

namespace evalora {

uint32_t RelojWin::Milisegundos() { return GetTickCount(); }

void RelojWin::Dormir(uint32_t milisegundos) { Sleep(milisegundos); }

int64_t RelojWin::Ahora() { return static_cast<int64_t>(std::time(nullptr)); }

}  // namespace evalora

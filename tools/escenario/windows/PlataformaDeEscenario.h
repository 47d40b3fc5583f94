#pragma once
// The services of a scenario run in the Windows build: the machine's own Win32 services, with the
// fakes.

#include "platform/fakes/PlataformaDePruebaWin.h"

namespace evalora::escenario {

using PlataformaDeEscenario = falsos::PlataformaDePruebaWin;
inline constexpr const char* kCompilacion = "windows";  // as «solo-en» lines name it
// Real milliseconds a virtual second of waiting for a program costs: a program takes Wine a good
// part of a second to start.
inline constexpr int kMilisegundosPorSegundoDeEspera = 100;

}  // namespace evalora::escenario

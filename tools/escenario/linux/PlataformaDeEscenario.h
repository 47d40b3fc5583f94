#pragma once
// The services of a scenario run in the Linux build: the prefix's, with the fakes.

#include "platform/fakes/PlataformaDePrueba.h"

namespace evalora::escenario {

using PlataformaDeEscenario = falsos::PlataformaDePrueba;
inline constexpr const char* kCompilacion = "linux";  // as «solo-en» lines name it
// Real milliseconds a virtual second of waiting for a program costs.
inline constexpr int kMilisegundosPorSegundoDeEspera = 5;

}  // namespace evalora::escenario

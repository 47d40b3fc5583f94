#pragma once
// Windows Vista without its first two service packs, and the policy branch the system's Outlook
// evaluations need (prepared by the permission tool).

#include "core/EstadoDeEjecucion.h"
#include "platform/Plataforma.h"

namespace evalora {

bool EsVistaSinServicePack(const Plataforma& plataforma);
void ConfigurarRegistroOutlook(const EstadoDeEjecucion& estado, const Plataforma& plataforma);

}  // namespace evalora

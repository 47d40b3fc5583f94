#pragma once
// The printer "Evalora": its folder prepared by the permission tool, a printer on a file port in
// it, and the user's default printer kept (read and set back through the permission tool).

#include <string>

#include "core/EstadoDeEjecucion.h"
#include "platform/Plataforma.h"

namespace evalora {

// False when the permission tool did not answer (after its message). A printer the print master
// refuses sets ImpresoraNoInstalable and still gives True.
bool ConfigurarImpresora(EstadoDeEjecucion& estado, const Plataforma& plataforma);

std::string LeerImpresoraPredeterminada(const EstadoDeEjecucion& estado, const Plataforma& plataforma);
// Always false.
bool EstablecerImpresoraPredeterminada(const std::string& nombre, const EstadoDeEjecucion& estado,
                                       const Plataforma& plataforma);

// The printer with its port; the default printer restored afterwards.
void AgregarImpresora(const std::string& nombre, const std::string& puerto, const std::string& controlador,
                      const std::string& descripcion, EstadoDeEjecucion& estado, const Plataforma& plataforma);

}  // namespace evalora

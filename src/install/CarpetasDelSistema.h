#pragma once
// The program's folder tree, opened to users without administrator rights by the permission
// tool, and the clean-up of the copies Windows keeps of it per user (VirtualStore).

#include <string>
#include <vector>

#include "core/EstadoDeEjecucion.h"
#include "platform/Plataforma.h"

namespace evalora {

// The content folders below the installation folder, in order, and whether the download brings
// them (those must exist; the others are created).
struct CarpetaDelSistema {
  const char* ruta;  // "\Recursos"
  bool traidaPorLaDescarga;
};
const std::vector<CarpetaDelSistema>& CarpetasDelSistema();

// The support address the messages name.
const char* CorreoDeSoporte();

// A Windows error code of the file system as the runtime reports it: its number, a blank and its
// description ("76 No se encontró la ruta de acceso").
std::string ErrorDeCarpeta(long codigoWindows);

// The folder tree and the "Seguridad" job. Ends at the first folder it cannot handle, after a
// message with the error's number and description.
void CrearCarpetasDelSistema(const EstadoDeEjecucion& estado, const Plataforma& plataforma);

// Deletes this edition's copies of the installation folder in the user's VirtualStore.
void LimpiarVirtualStore(const EstadoDeEjecucion& estado, const Plataforma& plataforma);

}  // namespace evalora

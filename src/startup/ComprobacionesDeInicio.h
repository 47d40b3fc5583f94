#pragma once
// The checks that gate the installing wizards at start-up: another wizard or the installed system
// running, and .NET Framework 2.0 present.

#include <string>

#include "core/EstadoDeEjecucion.h"
#include "platform/BucleDeEventos.h"
#include "platform/Mensajes.h"
#include "platform/Procesos.h"
#include "platform/Registro.h"

namespace evalora {

inline constexpr const char* kTextoAsistenteEnEjecucion =
    "El Asistente para la instalación de Evalora ya está ejecutándose.";
inline constexpr const char* kTextoSistemaEnEjecucion =
    "El Sistema Evalora ya se está ejecutándo.\r\n\r\n"
    "Si deseas realizar una nueva instalación, primero cierra el sistema que esta abierto.";

// Whether a running process's name (trimmed, without regard to case) contains `nombre`. For the
// two installing-wizard names the running wizard itself matches, so only two matches count.
// Lets the window process its events between processes.
bool ProcesoEnEjecucion(const std::string& nombre, const EstadoDeEjecucion& estado, Procesos& procesos,
                        BucleDeEventos& eventos);

// Asks for the installing wizards and the system's programs in order; at the first one running,
// shows its message (information icon, empty title) and returns True.
bool AsistenteOSistemaEnEjecucion(const EstadoDeEjecucion& estado, Procesos& procesos, BucleDeEventos& eventos,
                                  Mensajes& mensajes);

// Appends the subkey names of HKLM\SOFTWARE\Microsoft\NET Framework Setup\NDP to `versiones`,
// each followed by ";" (for example "v2.0.50727;v3.0;v4;").
void ListarVersionesNetFramework(std::string& versiones, Registro& registro, BucleDeEventos& eventos);

// True when "V2.0" occurs in the upper-cased list of versions.
bool NetFramework20Instalado(Registro& registro, BucleDeEventos& eventos);

}  // namespace evalora

#pragma once
// The local database of kind 2: the database files in their folder, the first institution,
// coordinator and log records in the registration file, and the folder prepared for the other
// computers of the school.

#include <string>

#include "core/EstadoDeEjecucion.h"
#include "install/Instalacion.h"
#include "platform/Plataforma.h"

namespace evalora {

// `id`: the text of the database step's ID box. True when the records were written.
bool InstalarBaseDeDatosLocal(EstadoDeEjecucion& estado, const Plataforma& plataforma, PanelDeInstalacion& panel,
                              const std::string& id);

// The wait of the permission tool's marker, for any file.
bool EsperarArchivo(const std::string& archivo, int limite, const Plataforma& plataforma);

// Whether the drive ("C:") is a fixed drive; its type in `tipo` when the machine has it.
bool TipoDeUnidad(const std::string& unidad, int16_t& tipo, Unidades& unidades);

// Deletes the downloaded database sources and their folder.
void LimpiarServidorLocal(const EstadoDeEjecucion& estado, const Plataforma& plataforma);

// The web connection text written into the parameters: always empty.
std::string CadenaConexionWeb(const std::string& id4);

inline constexpr const char* kTelefonoDeSoporte = "800 838 2567";

}  // namespace evalora

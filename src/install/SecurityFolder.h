#pragma once
// The handshake with the permission tool SecurityFolder: its command line, its start through the
// shell, and the wait for its marker file.

#include <string>
#include <vector>

#include "platform/Plataforma.h"

namespace evalora {

// Each argument between double quotes, separated by one blank; every "\\" then becomes "\".
std::string ArgumentosDeSecurityFolder(const std::vector<std::string>& argumentos);

// Starts `herramienta` with the job's arguments (the job's name first, the marker's full path
// last), lets the window run once, and waits for the marker in `carpetaDelMarcador` for at most
// `limite` seconds. True when the marker appeared.
bool EjecutarSecurityFolder(const std::string& herramienta, const std::vector<std::string>& argumentos,
                            const std::string& carpetaDelMarcador, int limite, const Plataforma& plataforma);

}  // namespace evalora

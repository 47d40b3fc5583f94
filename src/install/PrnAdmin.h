#pragma once
// The printer administration of the installation, over the machine's print master.

#include <string>

#include "platform/Impresoras.h"

namespace evalora {

// Adds the printer on its port (made first when missing). False when the print master refused.
bool AgregarImpresoraAlSistema(Impresoras& impresoras, const std::string& nombre, const std::string& puerto,
                               const std::string& controlador, const std::string& descripcion);
void AgregarPuerto(Impresoras& impresoras, const std::string& puerto);
// Deletes the printer, then its port (when no other printer uses it).
void EliminarImpresora(Impresoras& impresoras, const std::string& nombre);
// Deletes the port when no printer uses it.
void EliminarPuerto(Impresoras& impresoras, const std::string& puerto);
// The first printer on that port; empty when none.
std::string ImpresoraDelPuerto(Impresoras& impresoras, const std::string& puerto);
bool ExisteImpresora(Impresoras& impresoras, const std::string& nombre);
bool ExistePuerto(Impresoras& impresoras, const std::string& puerto);

}  // namespace evalora

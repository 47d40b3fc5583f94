#pragma once
// The registry tool's commands, with the syntax support staff know from Windows' reg.exe:
//   QUERY  <clave> [/v <valor> | /ve] [/s]
//   ADD    <clave> [/v <valor> | /ve] [/t <tipo>] [/s <separador>] [/d <datos>] [/f]
//   DELETE <clave> [/v <valor> | /ve | /va] [/f]
//   EXPORT <clave> <archivo> [/y]
// Keys start with a root: HKLM, HKCU, HKCR, HKU, HKCC or their long names.

#include <iosfwd>
#include <string>
#include <vector>

#include "winsupport/cQueryReg.h"

namespace evalora {

// Runs one command; returns the exit status (0 success, 1 failure). Questions (overwrite,
// delete) are read from `entrada`; without an answer the operation is cancelled.
int EjecutarOrdenReg(const std::vector<std::string>& argumentos, cQueryReg& registro, std::istream& entrada,
                     std::ostream& salida, std::ostream& errores);

}  // namespace evalora

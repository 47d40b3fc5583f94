#pragma once
// The jobs of the permission tool, the same on every machine; only how a folder is opened to
// every user differs (permissions of the files on Linux, the folder's access list on Windows).
//   SecurityFolder "<job>" "<argument>" "<marker>"
//   Seguridad, Impresora, Compartir   users without administrator rights may write in the folder
//                                     tree; links are never followed, nor changed
//   ImpresoraPredeterminada           the marker holds the default printer's name
//   ImpresoraPredeterminar            the named printer becomes the default one
//   RegistroPolicies                  the user's Software\Policies key exists (and is writable)
// When the job is done the marker file is written; a job that fails writes no marker, so the
// wizard's wait runs out.

#include <filesystem>
#include <functional>
#include <string>

#include "platform/Impresoras.h"
#include "platform/Registro.h"
#include "platform/SistemaDeArchivos.h"

namespace evalora::securityfolder {

struct Maquina {
  SistemaDeArchivos& archivos;
  Registro& registro;
  Impresoras& impresoras;
  // Opens the folder and all it holds to every user; false when any part could not be.
  std::function<bool(const std::filesystem::path& carpeta)> abrirATodos;
};

// Runs the job and writes its marker: the program's exit status (0 done, 1 failed, 2 misused).
int Ejecutar(int argc, char** argv, Maquina maquina);

}  // namespace evalora::securityfolder

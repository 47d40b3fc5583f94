// SecurityFolder: the permission tool delivered with the system (Utilerías\SecurityFolder.exe).
//   SecurityFolder "<job>" "<argument>" "<marker>"
// Jobs on this machine (a prefix that plays Windows; $WINEPREFIX or $EVALORA_PREFIJO names it):
//   Seguridad, Impresora, Compartir   users without administrator rights may write in the folder
//                                     tree (read, write and enter for everyone)
//   ImpresoraPredeterminada           the marker holds the default printer's name
//   ImpresoraPredeterminar            the named printer becomes the default one
//   RegistroPolicies                  the user's Software\Policies key exists (and is writable)
// When the job is done the marker file is written; a job that fails writes no marker, so the
// wizard's wait runs out.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "platform/CodigosWin.h"
#include "platform/linux/ImpresorasRegistro.h"
#include "platform/linux/Prefijo.h"
#include "platform/linux/RegistroWine.h"
#include "platform/linux/SistemaDeArchivosPrefijo.h"

namespace {

using namespace evalora;
namespace fs = std::filesystem;

// Read, write and enter for everyone, on the folder and all it holds.
bool AbrirATodos(const fs::path& carpeta) {
  std::error_code e;
  if (!fs::is_directory(carpeta, e)) return false;
  const auto todos = fs::perms::owner_all | fs::perms::group_read | fs::perms::group_write | fs::perms::others_read |
                     fs::perms::others_write;
  fs::permissions(carpeta, todos | fs::perms::group_exec | fs::perms::others_exec, fs::perm_options::add, e);
  for (auto it = fs::recursive_directory_iterator(carpeta, e); !e && it != fs::recursive_directory_iterator();
       it.increment(e)) {
    const bool esCarpeta = it->is_directory(e);
    fs::permissions(it->path(), esCarpeta ? todos | fs::perms::group_exec | fs::perms::others_exec : todos,
                    fs::perm_options::add, e);
  }
  return !e;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::cerr << "uso: SecurityFolder \"<trabajo>\" \"<argumento>\" \"<marcador>\"\n";
    return 2;
  }
  const std::string trabajo = argv[1], argumento = argv[2], marcador = argv[3];
  const Prefijo prefijo = Prefijo::DelEntorno();
  SistemaDeArchivosPrefijo archivos(prefijo.Raiz());
  RegistroWine registro(prefijo.Raiz());
  ImpresorasRegistro impresoras(registro);
  std::string contenido = trabajo + " terminado";
  bool hecho = false;
  if (trabajo == "Seguridad" || trabajo == "Impresora" || trabajo == "Compartir") {
    const auto carpeta = archivos.RutaAnfitrion(argumento);
    hecho = carpeta && AbrirATodos(*carpeta);
  } else if (trabajo == "ImpresoraPredeterminada") {
    contenido = impresoras.Predeterminada();
    hecho = true;
  } else if (trabajo == "ImpresoraPredeterminar") {
    hecho = impresoras.EstablecerPredeterminada(argumento);
  } else if (trabajo == "RegistroPolicies") {
    hecho = registro.CrearClave(win::HKEY_CURRENT_USER, argumento) == win::kExito;
  }
  if (!hecho) {
    std::cerr << "SecurityFolder: no se pudo hacer el trabajo " << trabajo << "\n";
    return 1;
  }
  const auto ruta = archivos.RutaAnfitrion(marcador);
  if (!ruta) return 1;
  std::ofstream salida(*ruta, std::ios::binary | std::ios::trunc);
  salida << contenido;
  return salida ? 0 : 1;
}

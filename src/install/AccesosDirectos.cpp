#include "install/AccesosDirectos.h"

#include "startup/TiposDeAsistente.h"

namespace evalora {

bool CrearAccesosDirectos(const std::string& carpeta, const EstadoDeEjecucion& estado, const Plataforma& p) {
  const std::string programa = carpeta + "\\EVLogIn.exe";
  const std::string icono = carpeta + "\\evicon.ico";
  if (!p.archivos.ExisteArchivo(programa) || !p.archivos.ExisteArchivo(icono)) return true;
  const std::string nombre =
      "\\Evalora " + estado.VersionMayor + " " + EdicionInstalada(estado) + ".lnk";
  AccesoDirecto acceso;
  acceso.destino = programa;
  acceso.icono = icono;
  acceso.carpetaDeTrabajo = carpeta;
  for (int csidl :
       {kCsidlEscritorio, kCsidlProgramas, kCsidlMenuInicio, kCsidlMenuInicioComun, kCsidlProgramasComunes}) {
    // A shortcut that cannot be written (a folder without rights) is skipped.
    p.shell.GuardarAccesoDirecto(p.shell.CarpetaEspecial(csidl) + nombre, acceso);
  }
  return true;
}

}  // namespace evalora

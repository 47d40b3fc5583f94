#pragma once
// The production services of one run on Linux, over the prefix that plays the Windows machine.
// Message boxes are the window's: the caller hands them in. The tests' and scenarios' platform is
// this one with its premises given (PremisasDeLaCorrida) and some services substituted.

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "platform/Plataforma.h"
#include "platform/linux/BucleDeEventosQt.h"
#include "platform/linux/EntornoLinux.h"
#include "platform/linux/FuentesPrefijo.h"
#include "platform/linux/ImpresorasRegistro.h"
#include "platform/linux/InternetSocket.h"
#include "platform/linux/Prefijo.h"
#include "platform/linux/ProcesosProc.h"
#include "platform/linux/RegistroWine.h"
#include "platform/linux/RelojMonotono.h"
#include "platform/linux/ShellPrefijo.h"
#include "platform/linux/SistemaDeArchivosPrefijo.h"
#include "platform/TerminacionProceso.h"
#include "platform/linux/UnidadesPrefijo.h"
#include "platform/linux/UsuarioLinux.h"
#include "platform/linux/VersionCompilada.h"

namespace evalora {

// What a run takes from the process unless told otherwise: its environment, the user whose folders
// the shell names, and how long the Internet check waits.
struct PremisasDeLaCorrida {
  std::optional<std::vector<std::string>> variables;  // "NAME=value"; nothing: the process's own
  Usuario* usuario = nullptr;                         // nothing: the Unix user
  std::chrono::milliseconds esperaDeInternet = std::chrono::seconds(10);
};

class PlataformaLinux {
 public:
  PlataformaLinux(Prefijo prefijo, VersionDelEjecutable version, PremisasDeLaCorrida premisas = {});

  const Prefijo& prefijo() const { return prefijo_; }
  Plataforma Servicios(Mensajes& mensajes) {
    return Plataforma{reloj_,     eventos_, mensajes, terminacion_, archivos_,   registro_, procesos_,
                      usuario_,   internet_, entorno_, shell_,      unidades_,   impresoras_, fuentes_,
                      ejecutable_, red_,     odbc_};
  }
  ShellPrefijo& Shell() { return shell_; }
  Fuentes& FuentesDelPrefijo() { return fuentes_; }

 private:
  Prefijo prefijo_;
  RelojMonotono reloj_;
  BucleDeEventosQt eventos_{reloj_};
  TerminacionProceso terminacion_;
  SistemaDeArchivosPrefijo archivos_;
  RegistroWine registro_;
  ProcesosProc procesos_;
  UsuarioLinux usuario_;
  InternetSocket internet_;
  EntornoLinux entorno_;
  ShellPrefijo shell_;
  UnidadesPrefijo unidades_;
  ImpresorasRegistro impresoras_{registro_};
  FuentesPrefijo fuentes_{archivos_, registro_, entorno_};
  VersionCompilada ejecutable_;
  RedDelSistema red_;
  OdbcDelSistema odbc_;
};

}  // namespace evalora

#pragma once
// The services of one run for tests and scenarios: the real prefix (files, registry, drives,
// printers, fonts, shell folders and shortcuts) and the real Internet check, with fakes for what
// a test must vary or observe: virtual time, the yields, message boxes, the end of the program,
// the processes, the user, what the shell opens, the folder browser's answers and the notices of
// a change of fonts.

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/Plataforma.h"
#include "platform/fakes/Falsos.h"
#include "platform/linux/EntornoLinux.h"
#include "platform/linux/FuentesPrefijo.h"
#include "platform/linux/ImpresorasRegistro.h"
#include "platform/linux/InternetSocket.h"
#include "platform/linux/RegistroWine.h"
#include "platform/linux/ShellPrefijo.h"
#include "platform/linux/SistemaDeArchivosPrefijo.h"
#include "platform/linux/UnidadesPrefijo.h"
#include "platform/linux/VersionCompilada.h"

namespace evalora::falsos {

class PlataformaDePrueba : public FalsosDeUnaCorrida {
 public:
  // `variables`: the environment of the run ("NAME=value").
  PlataformaDePrueba(const std::filesystem::path& prefijo, VersionDelEjecutable version,
                     std::vector<std::string> variables);

  Plataforma Servicios();
  // The scenario's premises: the processes it says are running (with the wizard's own) and
  // whether the user is an administrator; these are always the fakes' here.
  void UsarPremisas(const std::vector<std::string>& nombres, const std::string& propio, bool administrador) {
    procesos.nombres = nombres;
    procesos.nombres.push_back(propio);
    usuario.administrador = administrador;
  }

 private:
  SistemaDeArchivosPrefijo archivos_;
  RegistroWine registro_;
  EntornoLinux entorno_;
  InternetSocket internet_{std::chrono::seconds(2)};
  ShellPrefijo shellDelPrefijo_;

 public:
  ShellGrabado shell{shellDelPrefijo_};

 private:
  UnidadesPrefijo unidades_;
  ImpresorasRegistro impresoras_{registro_};
  FuentesPrefijo fuentesDelPrefijo_{archivos_, registro_, entorno_};

 public:
  FuentesAvisadas fuentes{fuentesDelPrefijo_};

 private:
  VersionCompilada ejecutable_;
};

}  // namespace evalora::falsos

#pragma once
// The services of one run for tests and scenarios: the Linux build's production set over a prefix
// (files, registry, drives, printers, fonts, shell folders and shortcuts, the Internet check, the
// network, the driver manager) with the run's environment, and these substituted: virtual time,
// the yields, message boxes, the end of the program, the processes, the user, what the shell opens
// and the folder browser's answers, and the notices of a change of fonts.

#include <filesystem>
#include <string>
#include <vector>

#include "platform/Plataforma.h"
#include "platform/fakes/Falsos.h"
#include "platform/linux/PlataformaLinux.h"

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
  PlataformaLinux linux_;

 public:
  ShellGrabado shell{linux_.Shell()};
  FuentesAvisadas fuentes{linux_.FuentesDelPrefijo()};
};

}  // namespace evalora::falsos

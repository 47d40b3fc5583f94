#pragma once
// The services of one scenario or test run in the Windows build: the production set of this
// machine (a prefix Wine made, when the run is under Wine) with the same substitutions as the Linux
// build's runs for what a scenario must vary or observe: virtual time and the yields, message
// boxes, the end of the program, what the shell opens and the folder browser's answers, the
// notices of a change of fonts, the executable's version. The running processes and the user are
// the machine's own unless the scenario gives them (Wine cannot run as a user without
// administrator rights, nor run a school's programs).

#include <string>
#include <vector>

#include "platform/Plataforma.h"
#include "platform/fakes/Falsos.h"
#include "platform/windows/PlataformaWindows.h"
#include "platform/windows/SistemaDeArchivosWin.h"

namespace evalora::falsos {

class PlataformaDePruebaWin : public FalsosDeUnaCorrida {
 public:
  // `variables`: the environment of the run ("NAME=value"); the process's own settings of the
  // wizard (EVALORA_…) give way to them.
  PlataformaDePruebaWin(VersionDelEjecutable version, const std::vector<std::string>& variables);

  Plataforma Servicios();
  // The scenario's premises: processes it says are running (with the wizard's own), and a user
  // without administrator rights. Without them the machine's own answer.
  void UsarPremisas(const std::vector<std::string>& nombres, const std::string& propio, bool administrador);

 private:
  PlataformaWindows windows_;
  Plataforma real_ = windows_.Servicios(mensajes);

 public:
  ShellGrabado shell{real_.shell};
  FuentesAvisadas fuentes{real_.fuentes};

 private:
  VersionFija ejecutable_;
  SistemaDeArchivosWin archivos_{reloj};  // its retries wait on the run's time
  bool procesosFijos_ = false;
  bool usuarioFijo_ = false;
};

}  // namespace evalora::falsos

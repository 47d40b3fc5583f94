#pragma once
// The services of one scenario run in the Windows build: this machine's real Win32 services (a
// prefix Wine made, when the run is under Wine), with the same fakes as the Linux build's scenario
// runs for what a scenario must vary or observe: virtual time and the yields, message boxes, the
// end of the program, what the shell opens and the folder browser's answers. The running
// processes and the user are the machine's own unless the scenario gives them (Wine cannot run as
// a user without administrator rights, nor run a school's programs). The notices of a change of
// fonts are counted, as in the Linux build's.

#include <string>
#include <vector>

#include "platform/Plataforma.h"
#include "platform/fakes/Falsos.h"
#include "platform/windows/EntornoWin.h"
#include "platform/windows/FuentesGdi.h"
#include "platform/windows/ImpresorasWinspool.h"
#include "platform/windows/InternetWinInet.h"
#include "platform/windows/ProcesosWmi.h"
#include "platform/windows/RegistroWin.h"
#include "platform/windows/ShellWin.h"
#include "platform/windows/SistemaDeArchivosWin.h"
#include "platform/windows/UnidadesWin.h"
#include "platform/windows/UsuarioWin.h"

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
  SistemaDeArchivosWin archivos_;
  RegistroWin registro_;
  ProcesosWmi procesosWmi_;
  UsuarioWin usuarioWin_;
  InternetWinInet internet_;
  EntornoWin entorno_;
  ShellWin shellWin_;

 public:
  ShellGrabado shell{shellWin_};

 private:
  UnidadesWin unidades_;
  ImpresorasWinspool impresoras_;
  FuentesGdi fuentesGdi_{registro_};

 public:
  FuentesAvisadas fuentes{fuentesGdi_};

 private:
  VersionFija ejecutable_;
  bool procesosFijos_ = false;
  bool usuarioFijo_ = false;
};

}  // namespace evalora::falsos

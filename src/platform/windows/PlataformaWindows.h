#pragma once
// The production services of one run on Windows.

#include "platform/Plataforma.h"
#include "platform/TerminacionProceso.h"
#include "platform/windows/BucleDeEventosWin.h"
#include "platform/windows/EntornoWin.h"
#include "platform/windows/FuentesGdi.h"
#include "platform/windows/ImpresorasWinspool.h"
#include "platform/windows/InformacionDelEjecutableWin.h"
#include "platform/windows/InternetWinInet.h"
#include "platform/windows/ProcesosWmi.h"
#include "platform/windows/RegistroWin.h"
#include "platform/windows/RelojWin.h"
#include "platform/windows/ShellWin.h"
#include "platform/windows/SistemaDeArchivosWin.h"
#include "platform/windows/UnidadesWin.h"
#include "platform/windows/UsuarioWin.h"

namespace evalora {

class PlataformaWindows {
 public:
  Plataforma Servicios(Mensajes& mensajes);

 private:
  RelojWin reloj_;
  BucleDeEventosWin eventos_{reloj_};
  TerminacionProceso terminacion_;
  SistemaDeArchivosWin archivos_;
  RegistroWin registro_;
  ProcesosWmi procesos_;
  UsuarioWin usuario_;
  InternetWinInet internet_;
  EntornoWin entorno_;
  ShellWin shell_;
  UnidadesWin unidades_;
  ImpresorasWinspool impresoras_;
  FuentesGdi fuentes_{registro_};
  InformacionDelEjecutableWin ejecutable_;
};

}  // namespace evalora

#pragma once
// The production services of one run on Windows, on the thread of the program's window: COM is
// set up for that thread first (before any shell or WMI call) and undone last. What the shell
// opens is owned by the main window once the renderer names it (Duena()).

#include "platform/Plataforma.h"
#include "platform/TerminacionProceso.h"
#include "platform/windows/BucleDeEventosWin.h"
#include "platform/windows/ComDelPrograma.h"
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
  Plataforma Servicios(Mensajes& mensajes) {
    return Plataforma{reloj_,     eventos_, mensajes, terminacion_, archivos_,   registro_, procesos_,
                      usuario_,   internet_, entorno_, shell_,      unidades_,   impresoras_, fuentes_,
                      ejecutable_, red_,     odbc_};
  }
  win32::VentanaDuena& Duena() { return duena_; }

 private:
  win32::ComDelPrograma com_;  // first made, last undone
  win32::VentanaDuena duena_;
  RelojWin reloj_;
  BucleDeEventosWin eventos_{reloj_};
  TerminacionProceso terminacion_;
  SistemaDeArchivosWin archivos_{reloj_};
  RegistroWin registro_;
  ProcesosWmi procesos_;
  UsuarioWin usuario_;
  InternetWinInet internet_;
  EntornoWin entorno_;
  ShellWin shell_{&duena_};
  UnidadesWin unidades_;
  ImpresorasWinspool impresoras_{CorreBajoWine()};
  FuentesGdi fuentes_{registro_};
  InformacionDelEjecutableWin ejecutable_;
  RedDelSistema red_;
  OdbcDelSistema odbc_;
};

}  // namespace evalora

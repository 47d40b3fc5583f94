#pragma once
// Every service through which the wizard touches the machine, gathered for one run. A new service
// is one more member here (and in Sustitutos), one in each build's production platform
// (linux/PlataformaLinux.h, windows/PlataformaWindows.h), its interface and its two
// implementations, and its fake when a test must vary it.

#include "platform/BucleDeEventos.h"
#include "platform/ConexionOdbc.h"
#include "platform/Entorno.h"
#include "platform/Fuentes.h"
#include "platform/Impresoras.h"
#include "platform/InformacionDelEjecutable.h"
#include "platform/Internet.h"
#include "platform/Mensajes.h"
#include "platform/Procesos.h"
#include "platform/Registro.h"
#include "platform/Reloj.h"
#include "platform/Shell.h"
#include "platform/SistemaDeArchivos.h"
#include "platform/Terminacion.h"
#include "platform/TransporteHttp.h"
#include "platform/Unidades.h"
#include "platform/Usuario.h"

namespace evalora {

struct Plataforma {
  Reloj& reloj;
  BucleDeEventos& eventos;
  Mensajes& mensajes;
  Terminacion& terminacion;
  SistemaDeArchivos& archivos;
  Registro& registro;
  Procesos& procesos;
  Usuario& usuario;
  Internet& internet;
  Entorno& entorno;
  Shell& shell;
  Unidades& unidades;
  Impresoras& impresoras;
  Fuentes& fuentes;
  InformacionDelEjecutable& ejecutable;
  Red& red;
  Odbc& odbc;
};

// Services put in the place of some of a platform's (a fake, a recorder over the real one); those
// not given stay. The one place where a test's or a scenario's platform swaps a service.
struct Sustitutos {
  Reloj* reloj = nullptr;
  BucleDeEventos* eventos = nullptr;
  Mensajes* mensajes = nullptr;
  Terminacion* terminacion = nullptr;
  SistemaDeArchivos* archivos = nullptr;
  Registro* registro = nullptr;
  Procesos* procesos = nullptr;
  Usuario* usuario = nullptr;
  Internet* internet = nullptr;
  Entorno* entorno = nullptr;
  Shell* shell = nullptr;
  Unidades* unidades = nullptr;
  Impresoras* impresoras = nullptr;
  Fuentes* fuentes = nullptr;
  InformacionDelEjecutable* ejecutable = nullptr;
  Red* red = nullptr;
  Odbc* odbc = nullptr;
};

inline Plataforma Sustituir(const Plataforma& base, const Sustitutos& s) {
  auto cual = [](auto* sustituto, auto& original) -> decltype(original) { return sustituto ? *sustituto : original; };
  return Plataforma{cual(s.reloj, base.reloj),
                    cual(s.eventos, base.eventos),
                    cual(s.mensajes, base.mensajes),
                    cual(s.terminacion, base.terminacion),
                    cual(s.archivos, base.archivos),
                    cual(s.registro, base.registro),
                    cual(s.procesos, base.procesos),
                    cual(s.usuario, base.usuario),
                    cual(s.internet, base.internet),
                    cual(s.entorno, base.entorno),
                    cual(s.shell, base.shell),
                    cual(s.unidades, base.unidades),
                    cual(s.impresoras, base.impresoras),
                    cual(s.fuentes, base.fuentes),
                    cual(s.ejecutable, base.ejecutable),
                    cual(s.red, base.red),
                    cual(s.odbc, base.odbc)};
}

}  // namespace evalora

#pragma once
// Every service through which the wizard touches the machine, gathered for one run.

#include "platform/BucleDeEventos.h"
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
};

}  // namespace evalora

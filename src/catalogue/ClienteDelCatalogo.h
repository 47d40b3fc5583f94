#pragma once
// Every operation the wizard asks of the catalogue. Each one opens its own connection; a failure
// is silent and leaves the run's state as far as the operation had got.

#include <string>

#include "catalogue/ConexionCatalogo.h"
#include "catalogue/Sentencias.h"
#include "core/EstadoDeEjecucion.h"
#include "platform/BucleDeEventos.h"
#include "platform/InformacionDelEjecutable.h"
#include "platform/Mensajes.h"
#include "platform/SistemaDeArchivos.h"
#include "platform/Terminacion.h"

namespace evalora {

struct ServiciosDelCatalogo {
  SistemaDeArchivos& archivos;
  BucleDeEventos& eventos;
  Mensajes& mensajes;
  Terminacion& terminacion;
};

class ClienteDelCatalogo {
 public:
  // `sitioWeb`: the host name the outdated-build notice sends the user to.
  ClienteDelCatalogo(EstadoDeEjecucion& estado, ConexionCatalogo& conexion, ServiciosDelCatalogo servicios,
                     std::string sitioWeb);

  void RegistraFalla(const std::string& texto);
  // `avisoAntivirus`: the antivirus notice is visible on the result step.
  void RegistraCorreo(const std::string& correo, const std::string& telefono, const std::string& nombre,
                      bool avisoAntivirus);
  void ObtenerPesoInstalador();
  void ObtenerPesosRecursos();
  // False when this build may not run; `aviso` then holds the notice for the user, or stays empty
  // when the catalogue could not be asked.
  bool VersionVigente(const VersionDelEjecutable& propia, std::string& aviso);
  bool ValidaIDLanzador(const std::string& id);
  // Builds ListaCatalogo and its three flags. No file listed: the message, then the program ends.
  // False when the list could not be read (the catalogue unreachable, a statement refused, a
  // row unreadable): the download has then failed.
  bool ObtenerListaDeArchivos(const SuitesElegidas& suites);

 private:
  std::optional<FilasDelCatalogo> FilasDeLanzadores();

  EstadoDeEjecucion& estado_;
  ConexionCatalogo& conexion_;
  ServiciosDelCatalogo servicios_;
  std::string sitioWeb_;
};

}  // namespace evalora

#pragma once
// The connection to the remote catalogue over the ODBC API (the platform's ODBC connection: the
// driver manager of the machine) with the "SQL Server" driver or FreeTDS, TDS 7.4, the
// database and login "downloadmanager", a 10-second login time-out, and a time limit on every
// statement so that a server that stops answering cannot hold the wizard for ever. One connection
// per operation: each opening replaces the connection left by the previous one.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/FilaDelCatalogo.h"
#include "platform/ConexionOdbc.h"
#include "platform/Entorno.h"

namespace evalora {

struct DireccionDelCatalogo {
  std::string host;
  uint16_t puerto = 1433;
};

// The address built into the program, unless $EVALORA_CATALOGO ("host" or "host:port") names another.
DireccionDelCatalogo DireccionDelCatalogoPara(const Entorno& entorno);

// The ODBC driver the program was told to use ($EVALORA_DRIVER_ODBC); empty when none was named.
std::string DriverPedido(const Entorno& entorno);
// The driver the catalogue is reached with: `pedido` when it names one, else the first of
// "SQL Server" and "FreeTDS" among `instalados`; empty when there is none.
std::string DriverDelCatalogo(const std::string& pedido, const std::vector<std::string>& instalados);

// The connection text for that driver (FreeTDS takes its port, protocol version, character set and
// its own answer time-out in the text; "SQL Server" takes "host,port").
std::string TextoDeConexion(const std::string& driver, const DireccionDelCatalogo& direccion, int esperaDeSentencia);

class ConexionCatalogo {
 public:
  // Through the driver manager `odbc`. `esperaDeSentencia`: how long a statement may wait for its
  // answer (the provider's usual 30 s). `driver`: as DriverPedido gives it (empty: the one the
  // machine has).
  ConexionCatalogo(Odbc& odbc, DireccionDelCatalogo direccion, int esperaDeSentencia = 30, std::string driver = "");
  ~ConexionCatalogo();
  ConexionCatalogo(const ConexionCatalogo&) = delete;
  ConexionCatalogo& operator=(const ConexionCatalogo&) = delete;

  // Opens a fresh connection; true when it is open.
  bool AbrirCatalogo();
  // Closes and releases the connection; nothing happens when there is none.
  void CerrarCatalogo();

  // A statement without result; false when it failed.
  bool Ejecutar(const std::string& sentencia);
  // A statement with a result: its rows, read to the end; nothing when it failed.
  std::optional<FilasDelCatalogo> Consultar(const std::string& sentencia);
  // The launchers' procedure, called with its four parameters.
  std::optional<FilasDelCatalogo> LlamarLanzadores(const std::string& tipoSistema, const std::string& version,
                                             const std::string& aplicaciones, bool descargarActividades);

  const DireccionDelCatalogo& Direccion() const { return direccion_; }

 private:
  DireccionDelCatalogo direccion_;
  std::string driver_;
  int esperaDeSentencia_;
  Odbc& gestor_;
  std::unique_ptr<ConexionOdbc> odbc_;
};

}  // namespace evalora

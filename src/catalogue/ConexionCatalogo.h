#pragma once
// The connection to the remote catalogue: Qt's ODBC driver over unixODBC and the FreeTDS driver,
// TDS 7.4, the database and login "downloadmanager", a 10-second login time-out, and a time limit
// on every statement so that a server that stops answering cannot hold the wizard for ever. One
// connection per operation: each opening replaces the connection left by the previous one.

#include <QSqlRecord>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/Entorno.h"

namespace evalora {

struct DireccionDelCatalogo {
  std::string host;
  uint16_t puerto = 1433;
};

// The address built into the program, unless $EVALORA_CATALOGO ("host" or "host:port") names another.
DireccionDelCatalogo DireccionDelCatalogoPara(const Entorno& entorno);

class ConexionCatalogo {
 public:
  // `esperaDeSentencia`: how long a statement may wait for its answer (the provider's usual 30 s).
  explicit ConexionCatalogo(DireccionDelCatalogo direccion, int esperaDeSentencia = 30);
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
  std::optional<std::vector<QSqlRecord>> Consultar(const std::string& sentencia);
  // The launchers' procedure, called with its four parameters.
  std::optional<std::vector<QSqlRecord>> LlamarLanzadores(const std::string& tipoSistema, const std::string& version,
                                                          const std::string& aplicaciones, bool descargarActividades);

  const DireccionDelCatalogo& Direccion() const { return direccion_; }

 private:
  DireccionDelCatalogo direccion_;
  int esperaDeSentencia_;
  std::string nombre_;  // Qt's name for this object's connection
  bool abierta_ = false;
};

}  // namespace evalora

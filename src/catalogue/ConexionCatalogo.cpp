#include "catalogue/ConexionCatalogo.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>
#include <algorithm>
#include <cstdio>

#include "core/Texto.h"

#ifndef EVALORA_SERVIDOR_CATALOGO
#define EVALORA_SERVIDOR_CATALOGO "127.0.0.1"
#endif
#ifndef EVALORA_PUERTO_CATALOGO
#define EVALORA_PUERTO_CATALOGO 1433
#endif

namespace evalora {

namespace {

constexpr const char* kBaseDeDatos = "downloadmanager";
constexpr const char* kUsuario = "downloadmanager";
constexpr const char* kClave = "Qm58wLx2Zb";

std::vector<QSqlRecord> Leer(QSqlQuery& consulta) {
  std::vector<QSqlRecord> filas;
  while (consulta.next()) filas.push_back(consulta.record());
  return filas;
}

}  // namespace

DireccionDelCatalogo DireccionDelCatalogoPara(const Entorno& entorno) {
  DireccionDelCatalogo direccion{EVALORA_SERVIDOR_CATALOGO, EVALORA_PUERTO_CATALOGO};
  const std::string otra = RecortarBlancos(entorno.Valor("EVALORA_CATALOGO"));
  if (otra.empty()) return direccion;
  const auto dos = otra.rfind(':');
  if (dos == std::string::npos) {
    direccion.host = otra;
    return direccion;
  }
  const std::string puerto = otra.substr(dos + 1);
  if (!puerto.empty() && puerto.size() <= 5 && puerto.find_first_not_of("0123456789") == std::string::npos &&
      std::stoul(puerto) <= 65535) {
    direccion.host = otra.substr(0, dos);
    direccion.puerto = static_cast<uint16_t>(std::stoul(puerto));
  }
  return direccion;
}

ConexionCatalogo::ConexionCatalogo(DireccionDelCatalogo direccion, int esperaDeSentencia)
    : direccion_(std::move(direccion)), esperaDeSentencia_(esperaDeSentencia) {
  // Qt names its connections; this object's own address keeps the name apart from any other's.
  char nombre[40];
  std::snprintf(nombre, sizeof nombre, "catalogo-%p", static_cast<void*>(this));
  nombre_ = nombre;
}

ConexionCatalogo::~ConexionCatalogo() { CerrarCatalogo(); }

bool ConexionCatalogo::AbrirCatalogo() {
  CerrarCatalogo();
  abierta_ = true;
  QSqlDatabase bd = QSqlDatabase::addDatabase("QODBC", QString::fromStdString(nombre_));
  bd.setDatabaseName(QString::fromStdString("DRIVER={FreeTDS};SERVER=" + direccion_.host +
                                            ";PORT=" + std::to_string(direccion_.puerto) + ";DATABASE=" + kBaseDeDatos +
                                            ";UID=" + kUsuario + ";PWD=" + kClave +
                                            ";TDS_Version=7.4;ClientCharset=UTF-8;"
                                            // FreeTDS's own limit for every answer of the server.
                                            // When it passes, the driver cancels and waits as long
                                            // again for the cancel's answer: half of the statement's
                                            // time each, so no statement holds the window longer.
                                            "Timeout=" +
                                            std::to_string(std::max(1, esperaDeSentencia_ / 2)) + ";"));
  bd.setConnectOptions("SQL_ATTR_LOGIN_TIMEOUT=10");
  return bd.open();
}

void ConexionCatalogo::CerrarCatalogo() {
  if (!abierta_) return;
  abierta_ = false;
  {
    QSqlDatabase bd = QSqlDatabase::database(QString::fromStdString(nombre_), false);
    bd.close();
  }
  QSqlDatabase::removeDatabase(QString::fromStdString(nombre_));
}

bool ConexionCatalogo::Ejecutar(const std::string& sentencia) {
  if (!abierta_) return false;
  QSqlQuery consulta(QSqlDatabase::database(QString::fromStdString(nombre_), false));
  consulta.setForwardOnly(true);
  return consulta.exec(QString::fromStdString(sentencia));
}

std::optional<std::vector<QSqlRecord>> ConexionCatalogo::Consultar(const std::string& sentencia) {
  if (!abierta_) return std::nullopt;
  QSqlQuery consulta(QSqlDatabase::database(QString::fromStdString(nombre_), false));
  consulta.setForwardOnly(true);
  if (!consulta.exec(QString::fromStdString(sentencia)) || !consulta.isSelect()) return std::nullopt;
  return Leer(consulta);
}

std::optional<std::vector<QSqlRecord>> ConexionCatalogo::LlamarLanzadores(const std::string& tipoSistema,
                                                                          const std::string& version,
                                                                          const std::string& aplicaciones,
                                                                          bool descargarActividades) {
  if (!abierta_) return std::nullopt;
  QSqlQuery consulta(QSqlDatabase::database(QString::fromStdString(nombre_), false));
  consulta.setForwardOnly(true);
  if (!consulta.prepare("{CALL spDescargaLanzadores(?,?,?,?)}")) return std::nullopt;
  consulta.addBindValue(QString::fromStdString(tipoSistema));
  consulta.addBindValue(QString::fromStdString(version));
  consulta.addBindValue(QString::fromStdString(aplicaciones));
  consulta.addBindValue(descargarActividades);
  if (!consulta.exec() || !consulta.isSelect()) return std::nullopt;
  return Leer(consulta);
}

}  // namespace evalora

#include "install/PrnAdmin.h"

namespace evalora {

bool AgregarImpresoraAlSistema(Impresoras& impresoras, const std::string& nombre, const std::string& puerto,
                               const std::string& controlador, const std::string& descripcion) {
  Impresora i;
  i.descripcion = descripcion;
  i.controlador = controlador;
  if (!ExistePuerto(impresoras, puerto)) AgregarPuerto(impresoras, puerto);
  i.puerto = puerto;
  i.nombre = nombre;
  i.procesador = "WinPrint";
  i.atributos = 1;  // queued
  return impresoras.Agregar(i);
}

void AgregarPuerto(Impresoras& impresoras, const std::string& puerto) { impresoras.AgregarPuerto(puerto); }

void EliminarImpresora(Impresoras& impresoras, const std::string& nombre) {
  const auto lista = impresoras.Listar();
  if (!lista) return;
  for (const Impresora& i : *lista) {
    if (i.nombre != nombre) continue;
    impresoras.Borrar(nombre);
    EliminarPuerto(impresoras, i.puerto);
    return;
  }
}

void EliminarPuerto(Impresoras& impresoras, const std::string& puerto) {
  const auto puertos = impresoras.ListarPuertos();
  if (!puertos) return;
  for (const auto& p : *puertos) {
    if (p != puerto) continue;
    if (ImpresoraDelPuerto(impresoras, puerto).empty()) impresoras.BorrarPuerto(puerto);
    return;
  }
}

std::string ImpresoraDelPuerto(Impresoras& impresoras, const std::string& puerto) {
  const auto lista = impresoras.Listar();
  if (!lista) return "";
  for (const Impresora& i : *lista) {
    if (i.puerto == puerto) return i.nombre;
  }
  return "";
}

bool ExisteImpresora(Impresoras& impresoras, const std::string& nombre) {
  const auto lista = impresoras.Listar();
  if (!lista) return false;
  for (const Impresora& i : *lista) {
    if (i.nombre == nombre) return true;
  }
  return false;
}

bool ExistePuerto(Impresoras& impresoras, const std::string& puerto) {
  const auto puertos = impresoras.ListarPuertos();
  if (!puertos) return false;
  for (const auto& p : *puertos) {
    if (p == puerto) return true;
  }
  return false;
}

}  // namespace evalora

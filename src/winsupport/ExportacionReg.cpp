#include "winsupport/ExportacionReg.h"

#include "winsupport/cQueryReg.h"

namespace evalora {

namespace {

void Exportar(Registro& registro, win::HKEY raiz, const std::string& ruta, std::string& texto) {
  texto += "\r\n[" + cQueryReg::NombreDeRaiz(raiz) + (ruta.empty() ? "" : "\\" + ruta) + "]\r\n";
  std::string nombre;
  DatoDelRegistro dato;
  for (uint32_t i = 0; registro.EnumerarValor(raiz, ruta, i, nombre, dato) == win::kExito; ++i) {
    texto += LineaDeValor(nombre, dato) + "\r\n";
  }
  for (uint32_t i = 0; registro.EnumerarSubclave(raiz, ruta, i, nombre) == win::kExito; ++i) {
    Exportar(registro, raiz, ruta.empty() ? nombre : ruta + "\\" + nombre, texto);
  }
}

}  // namespace

long ExportarClave(Registro& registro, win::HKEY raiz, const std::string& ruta, std::string& texto) {
  if (const long r = registro.AbrirClave(raiz, ruta); r != win::kExito) return r;
  texto = "Windows Registry Editor Version 5.00\r\n";
  Exportar(registro, raiz, ruta, texto);
  texto += "\r\n";
  return win::kExito;
}

}  // namespace evalora

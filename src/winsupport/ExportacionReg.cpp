#include "winsupport/ExportacionReg.h"

#include <cstdio>

#include "winsupport/cQueryReg.h"

namespace evalora {

namespace {

std::string Escapar(const std::string& texto) {
  std::string salida;
  for (char c : texto) {
    if (c == '\\' || c == '"') salida += '\\';
    salida += c;
  }
  return salida;
}

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

std::string LineaDeValor(const std::string& nombre, const DatoDelRegistro& dato) {
  std::string linea = nombre.empty() ? "@=" : "\"" + Escapar(nombre) + "\"=";
  if (dato.tipo == win::REG_SZ && dato.bytes.size() >= 2 && dato.bytes.size() % 2 == 0 &&
      dato.bytes[dato.bytes.size() - 1] == 0 && dato.bytes[dato.bytes.size() - 2] == 0) {
    return linea + "\"" + Escapar(TextoDeDato(dato)) + "\"";
  }
  if (dato.tipo == win::REG_DWORD && dato.bytes.size() == 4) {
    char numero[16];
    std::snprintf(numero, sizeof numero, "%08x", DwordDeDato(dato));
    return linea + "dword:" + numero;
  }
  char tipo[16];
  std::snprintf(tipo, sizeof tipo, "hex(%x):", dato.tipo);
  linea += dato.tipo == win::REG_BINARY ? "hex:" : tipo;
  AnadirBytesEnHex(linea, dato.bytes, "\r\n");
  return linea;
}

long ExportarClave(Registro& registro, win::HKEY raiz, const std::string& ruta, std::string& texto) {
  if (const long r = registro.AbrirClave(raiz, ruta); r != win::kExito) return r;
  texto = "Windows Registry Editor Version 5.00\r\n";
  Exportar(registro, raiz, ruta, texto);
  texto += "\r\n";
  return win::kExito;
}

}  // namespace evalora

#include "Guion.h"

#include <fstream>

namespace evalora::escenario {

bool LeerLinea(const std::string& linea, Accion& accion, std::string& error) {
  accion.original = linea;
  accion.orden.clear();
  accion.argumentos.clear();
  size_t i = 0;
  while (true) {
    while (i < linea.size() && (linea[i] == ' ' || linea[i] == '\t' || linea[i] == '\r')) ++i;
    if (i >= linea.size() || linea[i] == '#') break;
    Palabra palabra;
    if (linea[i] == '"') {
      palabra.citada = true;
      ++i;
      bool cerrada = false;
      while (i < linea.size()) {
        const char c = linea[i++];
        if (c == '"') {
          cerrada = true;
          break;
        }
        // A backslash is itself ("C:\\", "C:\\nueva"), except in \r\n (CR LF) and \0 (NUL).
        if (c == '\\' && linea.compare(i, 3, "r\\n") == 0) {
          palabra.texto += "\r\n";
          i += 3;
        } else if (c == '\\' && i < linea.size() && linea[i] == '0') {
          palabra.texto += '\0';
          ++i;
        } else {
          palabra.texto += c;
        }
      }
      if (!cerrada) {
        error = "falta la comilla que cierra el texto";
        return false;
      }
    } else {
      while (i < linea.size() && linea[i] != ' ' && linea[i] != '\t' && linea[i] != '\r') palabra.texto += linea[i++];
    }
    if (accion.orden.empty() && !palabra.citada) {
      accion.orden = palabra.texto;
    } else if (accion.orden.empty()) {
      error = "una línea empieza con una orden, no con un texto";
      return false;
    } else {
      accion.argumentos.push_back(palabra);
    }
  }
  return true;
}

bool LeerGuion(const std::filesystem::path& archivo, std::vector<Accion>& acciones, std::string& error) {
  std::ifstream entrada(archivo);
  if (!entrada) {
    error = "no se puede leer " + archivo.string();
    return false;
  }
  int numero = 0;
  for (std::string linea; std::getline(entrada, linea);) {
    ++numero;
    Accion accion;
    std::string motivo;
    if (!LeerLinea(linea, accion, motivo)) {
      error = "línea " + std::to_string(numero) + ": " + motivo;
      return false;
    }
    if (accion.orden.empty()) continue;
    accion.linea = numero;
    acciones.push_back(std::move(accion));
  }
  return true;
}

}  // namespace evalora::escenario

#pragma once
// Small text helpers of the scenario runner.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "ui/Formulario.h"

namespace evalora::escenario {

// "r,g,b", as scenarios write colours.
inline std::string Rgb(ui::Color c) {
  return std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b);
}

// A text as a scenario would write it: in double quotes, CR and LF as \r and \n.
inline std::string Mostrable(const std::string& texto) {
  std::string r;
  for (char c : texto) {
    r += c == '\r' ? std::string("\\r") : c == '\n' ? std::string("\\n") : std::string(1, c);
  }
  return "\"" + r + "\"";
}

// Runs of blanks and tabs as one blank: "Working directory : C:\…" as lnkinfo aligns it.
inline std::string BlancosJuntos(const std::string& t) {
  std::string r;
  for (char c : t) {
    const bool blanco = c == ' ' || c == '\t';
    if (!(blanco && !r.empty() && r.back() == ' ')) r += blanco ? ' ' : c;
  }
  return r;
}

// The lines of a text file (without their CR).
inline std::vector<std::string> LineasDe(const std::filesystem::path& archivo) {
  std::ifstream entrada(archivo);
  std::vector<std::string> lineas;
  for (std::string l; std::getline(entrada, l);) {
    if (!l.empty() && l.back() == '\r') l.pop_back();
    lineas.push_back(l);
  }
  return lineas;
}

// A whole number of bytes or times (digits only).
inline bool Numero(const std::string& texto, int64_t& numero) {
  if (texto.empty() || texto.size() > 18 || texto.find_first_not_of("0123456789") != std::string::npos) return false;
  numero = std::stoll(texto);
  return true;
}

}  // namespace evalora::escenario

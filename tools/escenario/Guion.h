#pragma once
// A scenario's text: one action per line, "#" comments, texts in double quotes (\r\n stands for
// CR LF and \0 for NUL; any other backslash is itself, as in Windows paths; a double quote always
// ends the text), other words separated by blanks.

#include <filesystem>
#include <string>
#include <vector>

namespace evalora::escenario {

struct Palabra {
  std::string texto;
  bool citada = false;  // it was written between double quotes
};

struct Accion {
  int linea = 0;
  std::string original;  // the line as written
  std::string orden;     // the first word
  std::vector<Palabra> argumentos;
};

// The text of an action's word `i`; empty when the line has fewer words.
inline std::string Texto(const Accion& a, size_t i) { return i < a.argumentos.size() ? a.argumentos[i].texto : ""; }

// The actions of a scenario file; false with the reason ("línea N: …") when a line cannot be read.
bool LeerGuion(const std::filesystem::path& archivo, std::vector<Accion>& acciones, std::string& error);

// One line; false with the reason.
bool LeerLinea(const std::string& linea, Accion& accion, std::string& error);

}  // namespace evalora::escenario

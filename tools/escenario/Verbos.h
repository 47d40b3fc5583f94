#pragma once
// The scenario language: every verb with its phase, how many words follow it, the runner's handler
// and its line in docs/escenarios.md. A scenario file is checked against this table whole before
// any of its lines runs.

#include <cstddef>
#include <string>
#include <vector>

#include "Guion.h"

namespace evalora::escenario {

class Escenario;

enum class Fase {
  kMaquina,      // the machine, the server and the program's premises
  kUsuario,      // what the user does on the window
  kComprobacion  // what must be true
};

struct Verbo {
  const char* nombre;
  Fase fase;
  size_t minimo;  // words after the verb
  size_t maximo;
  bool (Escenario::*manejador)(const Accion&, std::string& hallado);  // none: read before the run
  // Its row in the language's table (docs/escenarios.md): the forms and their meaning. A verb
  // without one is written in the row of the verb before it.
  const char* forma;
  const char* significado;
};

// The verbs, in the order of the language's table.
const std::vector<Verbo>& Verbos();
const Verbo* BuscarVerbo(const std::string& nombre);
// The whole file against the table: false with the first line that names no verb or has too few
// or too many words, as "<line>: <what is wrong>".
bool ComprobarGuion(const std::vector<Accion>& acciones, std::string& error);
// The language's table in Markdown, as docs/escenarios.md holds it.
std::string TablaDelLenguaje();

}  // namespace evalora::escenario

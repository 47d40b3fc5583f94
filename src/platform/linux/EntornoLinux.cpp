#include "platform/linux/EntornoLinux.h"

#include <unistd.h>

#include "core/Texto.h"
#include "platform/linux/UsuarioLinux.h"

namespace evalora {

EntornoLinux::EntornoLinux() : nombreDeUsuario_(NombreDeUsuarioUnix()) {
  for (char** v = ::environ; v && *v; ++v) variables_.emplace_back(*v);
}

EntornoLinux::EntornoLinux(std::vector<std::string> variables, std::string nombreDeUsuario)
    : variables_(std::move(variables)), nombreDeUsuario_(std::move(nombreDeUsuario)) {}

std::string EntornoLinux::Valor(const std::string& nombre) const {
  const std::string buscado = Mayusculas(nombre);
  const std::string* encontrado = nullptr;
  for (const auto& variable : variables_) {
    const auto igual = variable.find('=');
    if (igual == std::string::npos || igual == 0) continue;
    const std::string nombreDeVariable = variable.substr(0, igual);
    if (nombreDeVariable == nombre) return variable.substr(igual + 1);  // the exact spelling wins
    if (!encontrado && Mayusculas(nombreDeVariable) == buscado) encontrado = &variable;
  }
  if (encontrado) return encontrado->substr(encontrado->find('=') + 1);
  if (buscado == "PROGRAMFILES") return "C:\\Program Files";
  if (buscado == "WINDIR") return "C:\\windows";
  if (buscado == "USERNAME") return nombreDeUsuario_;
  return std::string();
}

}  // namespace evalora

#include "platform/fakes/PlataformaDePruebaWin.h"

#include <stdlib.h>

#include "platform/windows/TextoWin.h"

namespace evalora::falsos {

PlataformaDePruebaWin::PlataformaDePruebaWin(VersionDelEjecutable version, const std::vector<std::string>& variables)
    : ejecutable_(version) {
  // The process's environment is the run's: the wizard and the programs it starts read it.
  std::vector<std::wstring> propias;
  for (wchar_t** v = _wenviron; v && *v; ++v) {
    const std::wstring variable = *v;
    if (variable.rfind(L"EVALORA_", 0) == 0) propias.push_back(variable.substr(0, variable.find(L'=')));
  }
  for (const auto& nombre : propias) _wputenv_s(nombre.c_str(), L"");
  for (const auto& v : variables) {
    const size_t igual = v.find('=');
    if (igual == std::string::npos || igual == 0) continue;
    _wputenv_s(win32::Ancho(v.substr(0, igual)).c_str(), win32::Ancho(v.substr(igual + 1)).c_str());
  }
}

void PlataformaDePruebaWin::UsarPremisas(const std::vector<std::string>& nombres, const std::string& propio,
                                         bool administrador) {
  procesosFijos_ = !nombres.empty();
  procesos.nombres = nombres;
  procesos.nombres.push_back(propio);
  usuarioFijo_ = !administrador;
  usuario.administrador = administrador;
}

Plataforma PlataformaDePruebaWin::Servicios() {
  return Sustituir(real_, {.reloj = &reloj,
                           .eventos = &eventos,
                           .terminacion = &terminacion,
                           .archivos = &archivos_,
                           .procesos = procesosFijos_ ? &procesos : nullptr,
                           .usuario = usuarioFijo_ ? &usuario : nullptr,
                           .shell = &shell,
                           .fuentes = &fuentes,
                           .ejecutable = &ejecutable_});
}

}  // namespace evalora::falsos

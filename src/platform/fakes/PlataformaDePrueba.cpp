#include "platform/fakes/PlataformaDePrueba.h"

#include <chrono>

namespace evalora::falsos {

PlataformaDePrueba::PlataformaDePrueba(const std::filesystem::path& prefijo, VersionDelEjecutable version,
                                       std::vector<std::string> variables)
    : linux_(Prefijo(prefijo), version,
             PremisasDeLaCorrida{std::move(variables), &usuario, std::chrono::seconds(2)}) {}

Plataforma PlataformaDePrueba::Servicios() {
  return Sustituir(linux_.Servicios(mensajes), {.reloj = &reloj,
                                                .eventos = &eventos,
                                                .terminacion = &terminacion,
                                                .procesos = &procesos,
                                                .usuario = &usuario,
                                                .shell = &shell,
                                                .fuentes = &fuentes});
}

}  // namespace evalora::falsos

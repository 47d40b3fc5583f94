#include "platform/fakes/PlataformaDePrueba.h"

#include "platform/linux/UsuarioLinux.h"

namespace evalora::falsos {

PlataformaDePrueba::PlataformaDePrueba(const std::filesystem::path& prefijo, VersionDelEjecutable version,
                                       std::vector<std::string> variables)
    : archivos_(prefijo),
      registro_(prefijo),
      entorno_(std::move(variables), NombreDeUsuarioUnix()),
      shellDelPrefijo_(prefijo, archivos_, entorno_, usuario),
      unidades_(prefijo, registro_),
      ejecutable_(version) {}

Plataforma PlataformaDePrueba::Servicios() {
  return Plataforma{reloj,     eventos,  mensajes, terminacion, archivos_,   registro_, procesos,   usuario,
                    internet_, entorno_, shell,    unidades_,   impresoras_, fuentes,   ejecutable_};
}

}  // namespace evalora::falsos

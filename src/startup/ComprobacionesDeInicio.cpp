#include "startup/ComprobacionesDeInicio.h"

#include "core/Texto.h"
#include "startup/TiposDeAsistente.h"

namespace evalora {

bool ProcesoEnEjecucion(const std::string& nombre, const EstadoDeEjecucion& estado, Procesos& procesos,
                        BucleDeEventos& eventos) {
  const bool esAsistente = nombre == NombreDelAsistenteCloud(estado) || nombre == NombreDelAsistenteLocal(estado);
  const std::string buscado = Minusculas(nombre);
  bool encontrado = false;
  int coincidencias = 0;
  for (const std::string& proceso : procesos.NombresEnEjecucion()) {
    if (Minusculas(RecortarBlancos(proceso)).find(buscado) != std::string::npos) {
      encontrado = true;
      ++coincidencias;
      if (!esAsistente) break;
    }
    eventos.Ceder();
  }
  return esAsistente ? coincidencias >= 2 : encontrado;
}

bool AsistenteOSistemaEnEjecucion(const EstadoDeEjecucion& estado, Procesos& procesos, BucleDeEventos& eventos,
                                  Mensajes& mensajes) {
  const std::string asistentes[] = {NombreDelAsistenteCloud(estado), NombreDelAsistenteLocal(estado),
                                    "AsistenteParaLaInstalacionDeEvalora"};
  for (const auto& nombre : asistentes) {
    if (ProcesoEnEjecucion(nombre, estado, procesos, eventos)) {
      mensajes.Mostrar(kTextoAsistenteEnEjecucion, kMensajeInformacion, std::string());
      return true;
    }
  }
  for (const char* nombre :
       {"EVLogIn", "EVPanelAdministrador", "EVPanelAlumno", "EVPanelMaestro", "EVMotorDeExamen", "EVSincronizador"}) {
    if (ProcesoEnEjecucion(nombre, estado, procesos, eventos)) {
      mensajes.Mostrar(kTextoSistemaEnEjecucion, kMensajeInformacion, std::string());
      return true;
    }
  }
  return false;
}

void ListarVersionesNetFramework(std::string& versiones, Registro& registro, BucleDeEventos& eventos) {
  constexpr const char* kClave = "SOFTWARE\\Microsoft\\NET Framework Setup\\NDP";
  if (registro.AbrirClave(win::HKEY_LOCAL_MACHINE, kClave) != win::kExito) return;
  for (uint32_t indice = 0;; ++indice) {
    std::string nombre;
    const long resultado = registro.EnumerarSubclave(win::HKEY_LOCAL_MACHINE, kClave, indice, nombre);
    if (resultado == win::kExito) {
      versiones += nombre + ";";
    } else if (resultado != win::kMasDatos) {
      // ERROR_NO_MORE_ITEMS ends the list; any other failure (the key vanished) would repeat
      // at every later index, so it ends the list too instead of looping for ever.
      break;
    }
    eventos.Ceder();
  }
}

bool NetFramework20Instalado(Registro& registro, BucleDeEventos& eventos) {
  std::string versiones;
  ListarVersionesNetFramework(versiones, registro, eventos);
  return Mayusculas(versiones).find("V2.0") != std::string::npos;
}

}  // namespace evalora

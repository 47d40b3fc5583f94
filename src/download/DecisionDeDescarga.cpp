#include "download/DecisionDeDescarga.h"

#include "startup/TiposDeAsistente.h"

namespace evalora {

DecisionDeDescarga DecidirDescarga(EstadoDeEjecucion& estado) {
  const bool instala = Instala(estado);
  if (estado.TodosLosArchivosExisten) {
    return instala ? DecisionDeDescarga::kInstalar : DecisionDeDescarga::kOfrecerCancelar;
  }
  if (estado.NingunArchivoExiste) {
    estado.DescargarTodo = true;
    return DecisionDeDescarga::kDescargarTodo;
  }
  return instala ? DecisionDeDescarga::kDescargarFaltantes : DecisionDeDescarga::kOfrecerReanudar;
}

}  // namespace evalora

#include "download/ArchivoCompleto.h"

namespace evalora {

bool ArchivoCompleto(const SistemaDeArchivos& archivos, const std::string& ruta, int64_t peso) {
  const auto tamano = archivos.Tamano(ruta);
  return tamano && *tamano == peso;
}

}  // namespace evalora

#include "install/SecurityFolder.h"

#include "install/Espera.h"

namespace evalora {

std::string ArgumentosDeSecurityFolder(const std::vector<std::string>& argumentos) {
  std::string texto;
  for (const auto& a : argumentos) texto += (texto.empty() ? "\"" : " \"") + a + "\"";
  for (size_t i = texto.find("\\\\"); i != std::string::npos; i = texto.find("\\\\", i + 1)) texto.erase(i, 1);
  return texto;
}

bool EjecutarSecurityFolder(const std::string& herramienta, const std::vector<std::string>& argumentos,
                            const std::string& carpetaDelMarcador, int limite, const Plataforma& plataforma) {
  // The "Open" action; its result is not examined.
  plataforma.shell.Abrir(herramienta, ArgumentosDeSecurityFolder(argumentos), Verbo::kAbrir);
  plataforma.eventos.Ceder();
  return EsperarArchivoLog(carpetaDelMarcador, limite, plataforma.archivos, plataforma.reloj, plataforma.eventos);
}

}  // namespace evalora

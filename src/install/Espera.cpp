#include "install/Espera.h"

#include <cstdint>

namespace evalora {

void Esperar(int segundos, Reloj& reloj, BucleDeEventos& eventos) {
  const uint32_t inicio = reloj.Milisegundos();
  while (true) {
    eventos.Ceder();
    if (segundos > 0 && SegundosPasados(inicio, reloj.Milisegundos()) > static_cast<uint32_t>(segundos)) return;
    reloj.Dormir(10);
  }
}

bool EsperarArchivoLog(const std::string& carpeta, int limite, const SistemaDeArchivos& archivos, Reloj& reloj,
                       BucleDeEventos& eventos) {
  const uint32_t inicio = reloj.Milisegundos();
  Esperar(1, reloj, eventos);
  for (int16_t pasadas = 0;; ++pasadas) {
    eventos.Ceder();
    // Only a marker the tool has closed is whole (the default printer's name it carries).
    if (archivos.ArchivoLibre(carpeta + "\\LogEV.txt")) return true;
    if (limite > 0 && SegundosPasados(inicio, reloj.Milisegundos()) > static_cast<uint32_t>(limite)) return false;
    if (pasadas == INT16_MAX) return false;  // the pass counter of the wait would overflow
    Esperar(1, reloj, eventos);
  }
}

}  // namespace evalora

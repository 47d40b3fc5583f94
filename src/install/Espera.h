#pragma once
// The installation's waits: a busy wait that keeps the window running, and the wait for the
// permission tool's marker file "LogEV.txt".

#include <string>

#include "platform/BucleDeEventos.h"
#include "platform/Reloj.h"
#include "platform/SistemaDeArchivos.h"

namespace evalora {

// Whole-second boundaries passed between two readings of the millisecond counter.
inline uint32_t SegundosPasados(uint32_t inicio, uint32_t ahora) { return ahora / 1000 - inicio / 1000; }

// Lets the window run until more than `segundos` second boundaries have passed (one to two
// seconds for 1). With 0 or less it never ends.
void Esperar(int segundos, Reloj& reloj, BucleDeEventos& eventos);

// Waits for `carpeta` + "\LogEV.txt": true as soon as it exists and the tool has closed it
// (checked after a first second), false once more than `limite` second boundaries have passed.
bool EsperarArchivoLog(const std::string& carpeta, int limite, const SistemaDeArchivos& archivos, Reloj& reloj,
                       BucleDeEventos& eventos);

}  // namespace evalora

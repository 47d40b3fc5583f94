#pragma once
// What the Windows build's tests share: a temporary folder, a program run with its output
// caught, Linux paths as Wine's drive Z: shows them.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/fakes/Falsos.h"

namespace evalora::pruebas {

// A fresh folder below the user's temporary folder, removed with all it holds afterwards.
class CarpetaTemporalWin {
 public:
  CarpetaTemporalWin();
  ~CarpetaTemporalWin();
  CarpetaTemporalWin(const CarpetaTemporalWin&) = delete;
  CarpetaTemporalWin& operator=(const CarpetaTemporalWin&) = delete;
  const std::string& Ruta() const { return ruta_; }  // Windows path, without final backslash
  // Writes a file, with every folder on the way.
  void Escribir(const std::string& relativa, const std::string& contenido) const;
  std::string Leer(const std::string& relativa) const;

 private:
  std::string ruta_;
};

struct SalidaDePrograma {
  unsigned long estado = 0xFFFFFFFF;  // the exit code; 0xFFFFFFFF when it could not start
  std::string texto;                  // standard output and error, as the program wrote them
};

// Runs a command line (Windows rules) and waits for it, at most `esperaMs`.
SalidaDePrograma Ejecutar(const std::string& lineaDeOrdenes, unsigned long esperaMs = 60000);

// A Linux path as Windows programs under Wine see it ("/tmp/x" → "Z:\tmp\x").
std::string EnUnidadZ(const std::string& rutaLinux);

// The run's virtual clock, and an antivirus's hold on a file: Retener opens the file with no
// sharing, and the hold ends once the clock has passed `hastaMs` from then (never, with 0).
class RelojConRetencion : public falsos::RelojVirtual {
 public:
  ~RelojConRetencion() override;
  void Retener(const std::string& ruta, uint32_t hastaMs);
  void Soltar();
  void Dormir(uint32_t milisegundos) override;
  uint64_t Esperado() const { return TotalDormido() - inicio_; }  // slept since the last hold began

 private:
  void* h_ = nullptr;  // the holding handle
  uint32_t hasta_ = 0;
  uint64_t inicio_ = 0;
};

// An environment variable; empty when it is not set.
std::string Variable(const std::string& nombre);

}  // namespace evalora::pruebas

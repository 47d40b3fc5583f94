#pragma once
// What the Windows build's tests share: a temporary folder, a program run with its output
// caught, Linux paths as Wine's drive Z: shows them.

#include <string>
#include <vector>

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

// An environment variable; empty when it is not set.
std::string Variable(const std::string& nombre);

}  // namespace evalora::pruebas

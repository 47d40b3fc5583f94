#pragma once
// The font table of a prefix. Only TrueType and OpenType files are taken. The session's table
// lives as long as this object; installed fonts are registered as Windows keeps them, under
// HKLM\Software\Microsoft\Windows NT\CurrentVersion\Fonts ("Name (TrueType)" = file name within
// the Fonts folder, or the full path). A scalable font resource is a .fot file that names its
// TrueType file.

#include <set>

#include "platform/Entorno.h"
#include "platform/Fuentes.h"
#include "platform/Registro.h"
#include "platform/SistemaDeArchivos.h"

namespace evalora {

class FuentesPrefijo : public Fuentes {
 public:
  FuentesPrefijo(SistemaDeArchivos& archivos, Registro& registro, const Entorno& entorno)
      : archivos_(archivos), registro_(registro), entorno_(entorno) {}

  int AgregarRecurso(const std::string& archivo) override;
  bool QuitarRecurso(const std::string& archivo) override;
  bool Registrar(const std::string& archivo) override;
  bool CrearRecursoEscalable(const std::string& archivoFot, const std::string& archivoFuente,
                             const std::string& carpeta) override;
  // This build reaches no window of a program that runs in the prefix (Wine's own): those read
  // the table again when they start.
  void AvisarCambio() override {}

 private:
  std::string ValorRegistrado(const std::string& archivo) const;

  SistemaDeArchivos& archivos_;
  Registro& registro_;
  const Entorno& entorno_;
  std::set<std::string> enLaSesion_;  // host paths
};

}  // namespace evalora

#pragma once
// The font table of Windows through GDI (AddFontResource, RemoveFontResource,
// CreateScalableFontResource). Only TrueType and OpenType files are added. Installed fonts are
// registered under HKLM\Software\Microsoft\Windows NT\CurrentVersion\Fonts ("Name (TrueType)" =
// file name within the Fonts folder, or the full path). The change is broadcast to the top-level
// windows with a bound: a hung window costs at most a second, never the installation.

#include "platform/Fuentes.h"
#include "platform/Registro.h"

namespace evalora {

class FuentesGdi : public Fuentes {
 public:
  explicit FuentesGdi(Registro& registro) : registro_(registro) {}
  int AgregarRecurso(const std::string& archivo) override;
  bool QuitarRecurso(const std::string& archivo) override;
  bool Registrar(const std::string& archivo) override;
  bool CrearRecursoEscalable(const std::string& archivoFot, const std::string& archivoFuente,
                             const std::string& carpeta) override;
  void AvisarCambio() override;

 private:
  Registro& registro_;
};

}  // namespace evalora

#pragma once
// The machine a scenario runs on. In the Linux build: a prefix of its own (made empty, given by
// the scenario, or copied from one Wine made), read and written through the prefix's services. In
// the Windows build: this one, through its real Win32 services (under Wine, a fresh copy of a
// prefix Wine made); what Wine's own tools must read from outside is written down for the check
// that runs once Wine has ended (tests/windows/comprobar-escenario.sh). Each build's part is in
// linux/ or windows/ (Maquina.cpp, and PlataformaDeEscenario.h for the run's services).

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Guion.h"
#include "PlataformaDeEscenario.h"

namespace evalora::escenario {

class Maquina {
 public:
  // `temporal`: the scenario's own folder; `prefijoWine`: where the prefix Wine made is kept (the
  // Linux build's «prefijo-de-wine»).
  Maquina(const std::filesystem::path& temporal, std::filesystem::path prefijoWine);
  ~Maquina();

  // "prefijo <carpeta>": the scenario's own prefix (the Linux build's only).
  bool UsarPrefijo(const std::filesystem::path& prefijo, std::string& hallado);
  // The machine exists (drive C:), ready to be written.
  bool Preparar(std::string& hallado);
  SistemaDeArchivos& Archivos();
  Registro& RegistroDeLaMaquina();
  // A Windows path of the machine as a file this process opens (where the wizard's path leads).
  std::optional<std::filesystem::path> RutaLocal(const std::string& ruta);
  std::unique_ptr<PlataformaDeEscenario> NuevaPlataforma(VersionDelEjecutable version,
                                                         const std::vector<std::string>& variables);
  // This process's environment ("NAME=value"), where a run's environment starts from.
  std::vector<std::string> Entorno() const;
  // A variable of the environment as the wizard reads it ("ProgramFiles": where a 32-bit program
  // installs); "" when there is none.
  std::string Variable(const std::string& nombre) const;

  // The lines about Wine itself: "prefijo-de-wine", "wine-en-marcha", "wine-valor"; `empezado`:
  // the machine has been used already.
  bool LineaDeWine(const Accion& a, bool empezado, std::string& hallado);
  // What Debian's lnkinfo reads from a shortcut of the machine contains `texto`.
  bool Lnkinfo(const std::string& ruta, const std::string& texto, std::string& hallado);
  // Debian's sqlcipher tool reads `filas` ("|" between fields, CR LF between rows) from the
  // registration file at `ruta` with the query `sql` (the runner has read them already).
  bool BaseConSqlcipher(const std::string& ruta, const std::string& clave, const std::string& sql,
                        const std::string& filas, std::string& hallado);

  struct Estado;  // the build's own

 private:
  std::unique_ptr<Estado> estado_;
};

}  // namespace evalora::escenario

#pragma once
// The machine a scenario runs on in the Linux build: a prefix of its own (made empty, given by the
// scenario, or copied from one Wine made), read and written through the prefix's services.

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Guion.h"
#include "WineDePrueba.h"
#include "platform/fakes/PlataformaDePrueba.h"
#include "platform/linux/RegistroWine.h"
#include "platform/linux/SistemaDeArchivosPrefijo.h"

namespace evalora::escenario {

using PlataformaDeEscenario = falsos::PlataformaDePrueba;

class Maquina {
 public:
  static constexpr const char* kCompilacion = "linux";  // as «solo-en» lines name it
  // Real milliseconds a virtual second of waiting for a program costs.
  static constexpr int kMilisegundosPorSegundoDeEspera = 5;

  // `temporal`: the scenario's own folder; `prefijoWine`: where the prefix Wine made is kept.
  Maquina(const std::filesystem::path& temporal, std::filesystem::path prefijoWine);
  ~Maquina();

  // "prefijo <carpeta>": the scenario's own prefix.
  bool UsarPrefijo(const std::filesystem::path& prefijo, std::string& hallado);
  // The machine exists (drive C:), ready to be written.
  bool Preparar(std::string& hallado);
  SistemaDeArchivos& Archivos();
  Registro& RegistroDeLaMaquina();
  // A Windows path of the machine as a file this process opens.
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
  // Debian's sqlcipher tool reads `filas` ("|" between fields, CR LF between rows) from the
  // registration file at `ruta` with the query `sql`. The Linux build opens it with that very
  // library, so there it holds once the runner has read them.
  bool BaseConSqlcipher(const std::string& ruta, const std::string& clave, const std::string& sql,
                        const std::string& filas, std::string& hallado);
  // What Debian's lnkinfo reads from a shortcut of the machine contains `texto`.
  bool Lnkinfo(const std::string& ruta, const std::string& texto, std::string& hallado);

 private:
  std::filesystem::path temporal_;
  std::filesystem::path prefijoWine_;
  std::filesystem::path prefijo_;
  std::unique_ptr<pruebas::WineDePrueba> wine_;  // "prefijo-de-wine"
  std::unique_ptr<SistemaDeArchivosPrefijo> archivos_;
  std::unique_ptr<RegistroWine> registro_;
};

}  // namespace evalora::escenario

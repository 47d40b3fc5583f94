#pragma once
// The machine a scenario runs on in the Windows build: this one, through its real Win32 services
// (under Wine, a fresh copy of a prefix Wine made). What Wine's own tools must read from outside
// (`wine reg query`, Debian's lnkinfo) is written down for the check that runs once Wine has
// ended (tests/windows/comprobar-escenario.sh).

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Guion.h"
#include "platform/fakes/PlataformaDePruebaWin.h"

namespace evalora::escenario {

using PlataformaDeEscenario = falsos::PlataformaDePruebaWin;

// Where the checks from outside are written, on the machine.
inline constexpr const char* kComprobacionesDeFuera = "C:\\evalora-escenario\\comprobaciones.txt";

class Maquina {
 public:
  static constexpr const char* kCompilacion = "windows";  // as «solo-en» lines name it
  // Real milliseconds a virtual second of waiting for a program costs: a program takes Wine a
  // good part of a second to start.
  static constexpr int kMilisegundosPorSegundoDeEspera = 100;

  Maquina(const std::filesystem::path& temporal, std::filesystem::path prefijoWine);
  ~Maquina();

  bool UsarPrefijo(const std::filesystem::path& prefijo, std::string& hallado);
  bool Preparar(std::string& hallado);
  SistemaDeArchivos& Archivos();
  Registro& RegistroDeLaMaquina();
  std::optional<std::filesystem::path> RutaLocal(const std::string& ruta);
  std::unique_ptr<PlataformaDeEscenario> NuevaPlataforma(VersionDelEjecutable version,
                                                         const std::vector<std::string>& variables);
  std::vector<std::string> Entorno() const;
  // A variable of the environment as the wizard reads it ("ProgramFiles": where a 32-bit program
  // installs); "" when there is none.
  std::string Variable(const std::string& nombre) const;
  bool LineaDeWine(const Accion& a, bool empezado, std::string& hallado);
  bool Lnkinfo(const std::string& ruta, const std::string& texto, std::string& hallado);
  bool BaseConSqlcipher(const std::string& ruta, const std::string& clave, const std::string& sql,
                        const std::string& filas, std::string& hallado);

 private:
  // A check for the outside, one line of fields separated by tabs.
  bool DeFuera(const std::vector<std::string>& campos, std::string& hallado);

  SistemaDeArchivosWin archivos_;
  RegistroWin registro_;
};

}  // namespace evalora::escenario

#pragma once
// The shell of a prefix. Special folders are the prefix's (the user's under C:\users\<name>,
// created on first use as Windows always has them). Folders, documents and web addresses open
// with xdg-open when the machine has it; a native program runs directly; a Windows program runs
// through wine when Wine is installed, otherwise not at all. Programs are looked up in the PATH
// of the environment service and started detached, with WINEPREFIX naming this prefix.

#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

#include "platform/Entorno.h"
#include "platform/Shell.h"
#include "platform/SistemaDeArchivos.h"
#include "platform/Usuario.h"

namespace evalora {

class ShellPrefijo : public Shell {
 public:
  ShellPrefijo(std::filesystem::path prefijo, SistemaDeArchivos& archivos, const Entorno& entorno, Usuario& usuario);
  ~ShellPrefijo() override;
  ShellPrefijo(const ShellPrefijo&) = delete;
  ShellPrefijo& operator=(const ShellPrefijo&) = delete;

  std::string CarpetaEspecial(int csidl) override;
  bool Abrir(const std::string& archivo, const std::string& argumentos, Verbo verbo) override;
  // A prefix has one user, the one running it.
  bool AbrirComoUsuario(const std::string& archivo, const std::string& argumentos, Verbo verbo) override {
    return Abrir(archivo, argumentos, verbo);
  }
  bool TerminaronLosOcultos(uint32_t esperaMs) override;
  bool GuardarAccesoDirecto(const std::string& archivoLnk, const AccesoDirecto& acceso) override;
  std::string ExaminarCarpeta(const std::string& titulo) override;

  // The browser is the window's dialog; until the window hands it in, every browse is a cancel.
  using Explorador = std::function<std::string(const std::string& titulo)>;
  void UsarExplorador(Explorador explorador) { explorador_ = std::move(explorador); }

 private:
  std::optional<std::filesystem::path> BuscarPrograma(const std::string& nombre) const;
  // Starts a program detached; `oculto` keeps an eye on its end (TerminaronLosOcultos).
  bool Lanzar(const std::vector<std::string>& argumentos, bool oculto = false);
  bool AbrirConEscritorio(const std::string& que);

  std::filesystem::path prefijo_;
  SistemaDeArchivos& archivos_;
  const Entorno& entorno_;
  Usuario& usuario_;
  Explorador explorador_;
  std::vector<int> ocultos_;  // a pidfd of each hidden program still running
};

}  // namespace evalora

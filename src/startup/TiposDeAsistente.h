#pragma once
// The eight wizards that one program serves: which one runs is fixed by the executable's version
// (major number: product version; minor number: kind). Their titles, editions, installation
// folders and first steps.

#include <functional>
#include <optional>
#include <string>

#include "core/EstadoDeEjecucion.h"
#include "platform/Entorno.h"
#include "platform/InformacionDelEjecutable.h"

namespace evalora {

// The main window's title label caption as designed, kept by a kind outside 1 to 8.
inline constexpr const char* kTituloDeDiseno = "Asistente de Descarga";
// What the window's own caption adds to the title.
inline constexpr const char* kSufijoDeCaption = " (Compilación 6)";

// VersionMayor and TipoDeAsistente from the executable's version ("2020", "6").
void EstablecerVersion(EstadoDeEjecucion& estado, const VersionDelEjecutable& version);

// The title of the kind; nothing for a kind outside "1" to "8".
std::optional<std::string> TituloDelAsistente(const EstadoDeEjecucion& estado);

// The part of the main window that receives the titles.
class TitulosDeVentana {
 public:
  virtual ~TitulosDeVentana() = default;
  virtual std::string TituloActual() const = 0;                  // lblTitulo's caption
  virtual void EscribirTitulo(const std::string& titulo) = 0;    // lblTitulo
  virtual void EscribirCaption(const std::string& caption) = 0;  // the window's own caption
};

// Kinds 1 to 5 first ask the catalogue for the installer size; then the kind's title goes to the
// title label (a kind outside 1 to 8 keeps the designed one) and the window caption is the
// label's caption followed by " (Compilación 6)".
void EstablecerTitulos(const EstadoDeEjecucion& estado, TitulosDeVentana& ventana,
                       const std::function<void()>& obtenerPesoInstalador);

// Leaving the welcome step: fixes Edicion, CarpetaDeInstalacion (reset first; the installing kinds
// get the program-files folder + "\Evalora " + version + edition) and InstalarBaseDeDatos, asks
// kinds 6 and 7's suite sizes, and presents the kind's next step. A kind outside 1 to 8 only
// resets the folder and presents nothing.
void IniciarFlujo(EstadoDeEjecucion& estado, const Entorno& entorno, const std::function<void()>& obtenerPesosRecursos,
                  const std::function<void(const std::string& paso)>& muestraPaso);

// The process names whose double presence means another instance of the installing wizard.
std::string NombreDelAsistenteCloud(const EstadoDeEjecucion& estado);
std::string NombreDelAsistenteLocal(const EstadoDeEjecucion& estado);

}  // namespace evalora

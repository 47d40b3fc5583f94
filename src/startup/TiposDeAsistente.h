#pragma once
// The eight wizards that one program serves: which one runs is fixed by the executable's version
// (major number: product version; minor number: kind). Everything a kind decides is in one table
// (TiposDeAsistente.cpp); the rest of the program asks the predicates below, never the number.

#include <array>
#include <functional>
#include <optional>
#include <string>

#include "core/EstadoDeEjecucion.h"
#include "core/Paso.h"
#include "platform/Entorno.h"
#include "platform/InformacionDelEjecutable.h"

namespace evalora {

// The main window's title label caption as designed, kept by a kind outside 1 to 8.
inline constexpr const char* kTituloDeDiseno = "Asistente de Descarga";
// What the window's own caption adds to the title.
inline constexpr const char* kSufijoDeCaption = " (Compilación 6)";

// One kind. In the texts, "{v}" stands for the product version, "{peso}" for the installer's size
// in brackets (or nothing) and "{edicion}" for the run's edition.
struct FichaDeTipo {
  int numero;                // the executable's minor version
  const char* ejecutable;    // its name without ".exe"; also its process name
  const char* titulo;        // the title label's caption and the executable's file description
  const char* edicion;       // "Cloud" or "Local"
  bool instala;              // installs on this machine after the download (the rest download only)
  bool instalaBaseDeDatos;   // installs the local database, asked for on the ID step
  bool pideSuites;           // the office suites' step; asks the catalogue for the suites' sizes
  bool pideLanzador;         // the welcome step asks for a launcher's ID; the launchers' list
  bool pesaElInstalador;     // asks the catalogue for the installer's size at start-up
  Paso pasoTrasBienvenida;   // the step after the welcome
  const char* bienvenida;    // the welcome step's description
  const char* instrucciones; // the folder step's instructions, before the version
  const char* descargas;     // where the downloaded installer is, inside the download folder
};

// The eight kinds, in the order of their numbers.
const std::array<FichaDeTipo, 8>& TiposDeAsistente();
// The run's kind; nothing for a kind outside 1 to 8.
const FichaDeTipo* FichaDelTipo(const EstadoDeEjecucion& estado);
// A template of the table with its "{v}", "{peso}" and "{edicion}" filled in.
std::string Rellenar(const char* plantilla, const EstadoDeEjecucion& estado, const std::string& peso = "");
// The kind's executable as this version names it, without ".exe".
std::string NombreDelEjecutable(const FichaDeTipo& tipo, const std::string& version);

// The questions the program asks of the run's kind; all false for a kind outside 1 to 8.
bool Instala(const EstadoDeEjecucion& estado);
bool InstalaElSistema(const EstadoDeEjecucion& estado);  // installs the system, not the database
bool PideSuites(const EstadoDeEjecucion& estado);
bool PideLanzador(const EstadoDeEjecucion& estado);
// The installed system's edition as its folders and shortcuts name it: "Local" for the local
// system's installer, "Cloud" for any other.
std::string EdicionInstalada(const EstadoDeEjecucion& estado);

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
// kinds 6 and 7's suite sizes, and returns the kind's next step. A kind outside 1 to 8 only
// resets the folder and has no next step.
std::optional<Paso> IniciarFlujo(EstadoDeEjecucion& estado, const Entorno& entorno,
                                 const std::function<void()>& obtenerPesosRecursos);

// The process names whose double presence means another instance of the installing wizard.
std::string NombreDelAsistenteCloud(const EstadoDeEjecucion& estado);
std::string NombreDelAsistenteLocal(const EstadoDeEjecucion& estado);

}  // namespace evalora

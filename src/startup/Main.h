#pragma once
// The wizard's start: the version, the titles, the gating checks in their order, and the first
// step the window shows (or the end, when another wizard or the system runs).

#include <functional>
#include <string>

#include "core/EstadoDeEjecucion.h"
#include "core/Paso.h"
#include "platform/BucleDeEventos.h"
#include "platform/InformacionDelEjecutable.h"
#include "platform/Internet.h"
#include "platform/Mensajes.h"
#include "platform/Procesos.h"
#include "platform/Registro.h"
#include "platform/Terminacion.h"
#include "platform/Usuario.h"
#include "startup/TiposDeAsistente.h"

namespace evalora {

// What the start-up asks of the main window.
class VentanaDeInicio : public TitulosDeVentana {
 public:
  // The notice label of "Paso1" (Paso1lblMensaje).
  virtual std::string AvisoDePaso1() const = 0;
  virtual void EscribirAvisoDePaso1(const std::string& texto) = 0;
  // The notice label 2100 twips high and aligned to the left, for the connection notices.
  virtual void AmpliarAvisoDePaso1() = 0;
};

// Where the start-up leaves the window: its first step, and whether that step is presented
// before the window appears (the .NET notice) or after (every other step).
struct PrimerPaso {
  Paso paso;
  bool antesDeMostrar = false;
};

struct ServiciosDeInicio {
  Internet& internet;
  Procesos& procesos;
  BucleDeEventos& eventos;
  Mensajes& mensajes;
  Usuario& usuario;
  Registro& registro;
  Terminacion& terminacion;
};

// The two questions the start-up puts to the catalogue.
struct CatalogoDeInicio {
  std::function<void()> obtenerPesoInstalador;
  // False when this build may not run; the notice for the user in `aviso`, or empty.
  std::function<bool(std::string& aviso)> versionVigente;
};

struct DireccionesDeInicio {
  std::string sitioWeb;       // the address the Internet check tries
  std::string ipDelCatalogo;  // named in the firewall notice
};

inline constexpr const char* kTextoSinAccesoAlServidor = "La aplicación no tiene acceso al servidor de Evalora";
inline constexpr const char* kTextoSinConexionConElServidor =
    "No fue posible establecer conexión con el servidor Evalora";
inline constexpr const char* kTextoSinPermisos =
    "Para ejecutar correctamente esta aplicación es necesario tener permisos de administrador.";

// The notice about proxies and firewalls, naming the catalogue's address and port 1433.
std::string AvisoDeFirewall(const std::string& ipDelCatalogo);

// Runs the start-up and returns the window's first step. Ends the program (through the service)
// when another wizard or the installed system runs.
PrimerPaso Main(EstadoDeEjecucion& estado, const VersionDelEjecutable& version, VentanaDeInicio& ventana,
                ServiciosDeInicio servicios, const CatalogoDeInicio& catalogo, const DireccionesDeInicio& direcciones);

}  // namespace evalora

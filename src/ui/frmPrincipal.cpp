#include "ui/frmPrincipal.h"

#include <algorithm>

#include "core/Texto.h"

namespace evalora::ui {

frmPrincipal::frmPrincipal(EstadoDeEjecucion& estado, ServiciosDeVentana servicios)
    : Formulario("frmPrincipal"), estado_(estado), servicios_(std::move(servicios)) {
  // Form_Load
  estado_.UsarVariante01TE = true;
  paleta_ = CargaColores();
  CrearPaneles();
  ConfiguraVentana();
}

frmPrincipal::~frmPrincipal() = default;

void frmPrincipal::ConfiguraVentana() {
  // A fixed frame of the design's size: a caption with the close and minimize buttons.
  PonerLugar(Rect{0, 0, kAnchoTwips, kAltoTwips});
  fondoDelFormulario_ = paleta_.ColorFondo;
  Fondo("PicBienvenida", paleta_.ColorFondo);
  for (auto& [nombre, boton] : botones_) boton->Reposar();
  ColoresDeBarra("picProgresoInstalacion");
}

void frmPrincipal::ColoresDeBarra(const char* barra) {
  Control* c = Editar(barra);
  c->fondo = Color{192, 192, 192};
  c->tinta = paleta_.ColorGrisOscuro;
  c->relleno = paleta_.ColorRelleno;
  c->porcentaje.reset();  // new colours clear the picture
  Cambio(barra);
}

std::string frmPrincipal::TituloActual() const { return Texto("lblTitulo"); }
void frmPrincipal::EscribirTitulo(const std::string& titulo) { PonerTexto("lblTitulo", titulo); }
void frmPrincipal::EscribirCaption(const std::string& caption) { PonerCaption(caption); }

std::string frmPrincipal::AvisoDePaso1() const { return Texto("Paso1lblMensaje"); }
void frmPrincipal::EscribirAvisoDePaso1(const std::string& texto) { PonerTexto("Paso1lblMensaje", texto); }

void frmPrincipal::AmpliarAvisoDePaso1() {
  const Rect l = Buscar("Paso1lblMensaje")->lugar;
  Colocar("Paso1lblMensaje", Rect{l.x, l.y, l.ancho, 2100});
  Alinear("Paso1lblMensaje", Horizontal::kIzquierda, Vertical::kCentro);
}

void frmPrincipal::Mostrar() {
  if (VistaActual()) VistaActual()->Mostrar();
}

void frmPrincipal::MuestraPanel(const std::string& panel) {
  for (const std::string& nombre : paneles_) Ver(nombre, false);
  Colocar(panel, Rect{0, kAltoBarraMenuTwips, kAnchoTwips, kAltoTwips - kAltoBarraMenuTwips});
  Fondo(panel, paleta_.ColorFondo);
  Ver(panel, true);
  Refrescar();
  // The focus goes to the step's first control (its look, on a flat button, only once the user
  // has gone by the keyboard: the pointer's user sees the design as it is).
  if (const std::vector<int> orden = OrdenDeFoco(); !orden.empty()) {
    const std::string& primero = Controles()[static_cast<size_t>(orden.front())].nombre;
    if (tecladoUsado_) {
      EnfocarConTeclado(primero);
    } else {
      Enfocar(primero);
    }
  }
  if (panel == "picContacto") Enfocar("PasoDI_txtNombre");
  if (Vista* vista = VistaActual()) vista->AnunciarPaso();
}

// --- What the user does -------------------------------------------------------------------

bool frmPrincipal::Pulsar(const std::string& control) {
  const Control* c = Buscar(control);
  if (c && c->clase == Clase::kCasilla) return Marcar(control, !c->marcado);
  const auto clic = clics_.find(control);
  if (clic == clics_.end() || !clic->second) return false;
  clic->second();
  return true;
}

bool frmPrincipal::Marcar(const std::string& control, bool marcado) {
  const Control* c = Buscar(control);
  if (!c || c->clase != Clase::kCasilla) return false;
  PonerMarcado(control, marcado);
  CalculaPesoEstimado();  // the check boxes' click handler
  return true;
}

bool frmPrincipal::Escribir(const std::string& control, const std::string& texto) {
  const Control* c = Buscar(control);
  if (!c || c->clase != Clase::kCaja || c->soloLectura) return false;
  if (c->texto == texto) return true;
  PonerTexto(control, texto);
  if (const auto cambio = cambios_.find(control); cambio != cambios_.end()) cambio->second();
  return true;
}

bool frmPrincipal::Raton(const std::string& control) {
  if (control == Nombre()) {
    Form_MouseMove();
    return true;
  }
  const auto movimiento = movimientos_.find(control);
  if (movimiento != movimientos_.end()) {
    movimiento->second();
    return true;
  }
  if (std::find(paneles_.begin(), paneles_.end(), control) != paneles_.end()) {
    ReposarPanel(control);
    return true;
  }
  return Existe(control);  // a control without pointer handler: nothing happens
}

void frmPrincipal::PunteroSobre(const std::string& control) {
  Raton(control);
  // A panel does not take the move for itself: the form behind it hears it too.
  if (std::find(paneles_.begin(), paneles_.end(), control) != paneles_.end()) Raton(Nombre());
}

bool frmPrincipal::TeclaEnter(const std::string& control) {
  if (control == "PasoBienvenido_txtIDLanzador") {
    PasoBienvenido_txtIDLanzador_KeyPress(13);
    return true;
  }
  return Existe(control);
}

// --- Keyboard ----------------------------------------------------------------------------

bool frmPrincipal::PulsarTecla(Tecla tecla) {
  tecladoUsado_ = true;
  const std::vector<int> orden = OrdenDeFoco();
  const auto actual = std::find(orden.begin(), orden.end(), Indice(Foco()));
  if (tecla == Tecla::kTab || tecla == Tecla::kShiftTab) {
    if (orden.empty()) return false;
    const size_t n = orden.size();
    size_t siguiente = tecla == Tecla::kTab ? 0 : n - 1;  // from nothing in view: the first or the last
    if (actual != orden.end()) {
      const size_t k = static_cast<size_t>(actual - orden.begin());
      siguiente = tecla == Tecla::kTab ? (k + 1) % n : (k + n - 1) % n;
    }
    EnfocarConTeclado(Controles()[static_cast<size_t>(orden[siguiente])].nombre);
    return true;
  }
  if (actual == orden.end()) return false;  // the focus is on nothing the step shows
  const Control& c = Controles()[static_cast<size_t>(*actual)];
  if (c.clase == Clase::kCaja) return tecla == Tecla::kEnter && TeclaEnter(c.nombre);
  return Pulsar(c.nombre);
}

void frmPrincipal::EnfocarConTeclado(const std::string& control) {
  if (const auto antes = botones_.find(Foco()); antes != botones_.end()) antes->second->Reposar();
  Enfocar(control);
  if (const auto ahora = botones_.find(control); ahora != botones_.end()) ahora->second->Resaltar();
}

// --- Pointer -----------------------------------------------------------------------------

void frmPrincipal::Form_MouseMove() {
  ReposarBotones({botones_["PasoBienvenido_lblContinuar"].get(), botones_["lblIniciarAhora"].get(),
                  botones_["PasoDI_lblRegistrar"].get()});
}

void frmPrincipal::ReposarPanel(const std::string& panel) {
  if (panel == "PicBienvenida" || panel == "PicDescargaCorrecta" || panel == "picContacto") return Form_MouseMove();
  if (panel == "picDescargar") {
    return ReposarBotones(
        {botones_["PasoDescargarlblReanudarCancelarDescarga"].get(), botones_["PasoDescargarlblDescargarTodo"].get()});
  }
  if (panel == "picEstableceRutaALaBaseDeDatos") {
    return ReposarBotones({botones_["PasoIndicaId_lblContinuar"].get(), botones_["PasoIndicaID_cmdExaminar"].get()});
  }
  if (panel == "picPasoSuite") return ReposarBotones({botones_["PasoSuitelblContinuar"].get()});
  if (panel == "picSolicitaCarpeta") {
    return ReposarBotones({botones_["PasoSClblExaminar"].get(), botones_["PasoSC_lblContinuar"].get()});
  }
}

// --- Closing -----------------------------------------------------------------------------

void frmPrincipal::CerrarPorElUsuario() {
  // Closing is never refused and ends the program at once. A download in progress stops where it
  // is, below this call: a file that can resume keeps what came of it, on the disk itself, for the
  // next run to go on from; any other temporary file stays for the next run's clean-up.
  if (Down) Down->AsegurarParcial();
  servicios_.plataforma.terminacion.Terminar();
}

int64_t frmPrincipal::BytesRecibidos() const { return Down ? Down->BytesRecibidos : bytesDeLaUltimaDescarga_; }

// --- The download's bars -----------------------------------------------------------------

void frmPrincipal::Preparar() {
  for (const char* barra : {"picProgresoPorArchivo", "picProgresoGeneral"}) {
    ColoresDeBarra(barra);
    PonerPorcentaje(barra, 0);
    Ver(barra, true);
  }
}

void frmPrincipal::DibujarArchivo(int32_t porcentaje) { PonerPorcentaje("picProgresoPorArchivo", porcentaje); }

void frmPrincipal::DibujarGeneral(int32_t porcentaje) { PonerPorcentaje("picProgresoGeneral", porcentaje); }

void frmPrincipal::Ocultar() {
  for (const char* nombre :
       {"lbProgresoPorArchivo", "picProgresoPorArchivo", "lbProgresoGeneral", "picProgresoGeneral"}) {
    Ver(nombre, false);
  }
}

// --- The installation's panel ------------------------------------------------------------

void frmPrincipal::ProcesoEnEjecucion(const std::string& texto) {
  PonerTexto("PasoInstalando_LblProcesoEnEjecucion", texto);
}

void frmPrincipal::Etapa(const std::string& texto) { PonerTexto("lbProgresoInstalacion", texto); }

void frmPrincipal::Progreso(int32_t porcentaje) { PonerPorcentaje("picProgresoInstalacion", porcentaje); }

void frmPrincipal::Refrescar() {
  if (VistaActual()) VistaActual()->Refrescar();
}

}  // namespace evalora::ui

#pragma once
// The wizard's one window. Every step is a panel below the band BarraMenu; exactly one is
// visible. The step presenter fills the panel of a step and, for three steps, does the step's
// work; the panels' handlers check their step's input and present the next one. The form knows no
// toolkit: a renderer draws it and hands it what the user does.

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "catalogue/ClienteDelCatalogo.h"
#include "core/EstadoDeEjecucion.h"
#include "core/Paso.h"
#include "download/GestorDeDescargas.h"
#include "install/Instalacion.h"
#include "platform/Plataforma.h"
#include "startup/Main.h"
#include "ui/BotonPlano.h"
#include "ui/Formulario.h"
#include "ui/Paleta.h"

namespace evalora::ui {

struct ServiciosDeVentana {
  Plataforma plataforma;
  ClienteDelCatalogo& catalogo;
  std::string sitioDeAyuda;  // the help site, in front of the help pages' paths
};

// The help pages of the failure step.
inline constexpr const char* kAyudaAvast = "/u/?u=DTEVAvast";
inline constexpr const char* kAyudaImpresora = "/u/?u=FAQImpresoraEV";
inline constexpr const char* kAyudaNetFramework = "/u/?u=ActivarNet2.0";

class frmPrincipal : public Formulario, public VentanaDeInicio, public BarrasDeDescarga, public PanelDeInstalacion {
 public:
  // Creating the window runs its load (Form_Load).
  frmPrincipal(EstadoDeEjecucion& estado, ServiciosDeVentana servicios);
  ~frmPrincipal() override;

  // Start-up's view of the window.
  std::string TituloActual() const override;
  void EscribirTitulo(const std::string& titulo) override;
  void EscribirCaption(const std::string& caption) override;
  std::string AvisoDePaso1() const override;
  void EscribirAvisoDePaso1(const std::string& texto) override;
  void AmpliarAvisoDePaso1() override;
  void Mostrar();
  // Presents a step: its panel, filled by its presenter, which for three steps does the step's work
  // and then presents the step that work returned.
  void MuestraPaso(Paso paso);
  // The same by the step's name, as the scenarios and the tests write it; a name that is no step
  // presents nothing.
  void MuestraPaso(const std::string& nombre);

  void MuestraPanel(const std::string& panel);

  // The download manager's view of the two bars.
  void Preparar() override;
  void DibujarArchivo(int32_t porcentaje) override;
  void DibujarGeneral(int32_t porcentaje) override;
  void Ocultar() override;

  // The installation's view of its panel.
  void ProcesoEnEjecucion(const std::string& texto) override;
  void Etapa(const std::string& texto) override;
  void Progreso(int32_t porcentaje) override;
  void Refrescar() override;

  // What the user does, by control name: the same handlers the window's events run. Each
  // returns false when the control does not take that action.
  bool Pulsar(const std::string& control);
  bool Raton(const std::string& control);
  bool TeclaEnter(const std::string& control);
  bool Marcar(const std::string& control, bool marcado);
  // The user writes in a text box (its whole new text); false when it is no box or takes no text.
  bool Escribir(const std::string& control, const std::string& texto);
  // The window delivers a pointer move to a control (a panel's move reaches the form too).
  void PunteroSobre(const std::string& control);
  // The user closes the window: the program ends at once, also in the middle of a download.
  void CerrarPorElUsuario();
  // The keyboard's way through the window: Tab and Shift+Tab move the focus along the step's
  // order (OrdenDeFoco), wrapping at its ends; Enter and Space act on the focused control as a
  // click (a check box changes; in a text box only Enter counts, with its own meaning). The
  // focused flat button shows its hover look. False when the key had nothing to act on.
  enum class Tecla { kTab, kShiftTab, kEnter, kEspacio };
  bool PulsarTecla(Tecla tecla);

  // The steps by name (blanks around it and case do not count), their names and their panels;
  // the panel of a name that is no step is empty.
  static std::optional<Paso> PasoPorNombre(const std::string& nombre);
  static const char* NombreDelPaso(Paso paso);
  static std::string PanelDelPaso(Paso paso);
  static std::string PanelDelPaso(const std::string& nombre);
  static std::vector<Paso> Pasos();
  // Bytes received by the download in progress or the last one.
  int64_t BytesRecibidos() const;

  const Paleta& Colores() const { return paleta_; }

  // The client area in twips: 11130 wide with the frame, 11040 inside it; 4200 high with the
  // caption bar and frame.
  static constexpr int kAnchoTwips = 11040;
  static constexpr int kAltoTwips = 4200 - 375 - 45;
  static constexpr int kAltoBarraMenuTwips = 495;

 private:
  struct TablaDePasos;  // MuestraPaso.cpp

  // The design: panels and their controls (DisenoDeVentana.cpp).
  void CrearPaneles();
  void CrearPaso1();
  void CrearBienvenida();
  void CrearIndicaId();
  void CrearSuite();
  void CrearSolicitaCarpeta();
  void CrearDescargar();
  void CrearIniciaDescarga();
  void CrearInstalando();
  void CrearDescargaCorrecta();
  void CrearDescargaIncorrecta();
  void CrearContacto();
  // A control of the design: its parent (a panel, or "frmPrincipal"), name, kind and place.
  Control Nuevo(const char* padre, const char* nombre, Clase clase, Rect twips) const;
  void Panel(const char* nombre);
  void Etiqueta(const char* padre, const char* nombre, const std::string& texto, Rect twips, bool ajustar = true);
  void Enlace(const char* padre, const char* nombre, const std::string& texto, Rect twips,
              std::function<void()> alPulsar);
  // A box or a bar, named to a screen reader by its label (`rotulo`).
  void CajaDeTexto(const char* padre, const char* nombre, const char* rotulo, Rect twips);
  void Imagen(const char* padre, const char* nombre, Icono icono, Rect twips);
  void Barra(const char* padre, const char* nombre, const char* rotulo, Rect twips);
  BotonPlano* Boton(const char* padre, const char* etiqueta, const char* cara, const char* barra,
                    const std::string& texto, Color acento, Rect twips, std::function<void()> alPulsar);
  void Casilla(const char* padre, const char* nombre, const char* texto, const char* ayuda, Rect twips);
  void ConfiguraVentana();
  void ColoresDeBarra(const char* barra);

  // The presenter's steps (MuestraPaso.cpp).
  void PasoPaso1();
  void PasoBienvenida();
  void PasoSolicitaCarpeta();
  void PasoDescarga();
  void PasoIniciaDescarga();
  void PasoIniciaInstalacion();
  void PasoDescargaCorrecta();
  void PasoDescargaIncorrecta();
  void AbrirAyuda(const char* ruta);
  // What the user asked to see (the system, a folder, a help page) opens as the desktop's user: an
  // elevated wizard's token never passes on to it.
  void AbrirParaElUsuario(const std::string& que, Verbo verbo);
  void lblIniciarAhora_Click();
  void ReanudarCancelarDescarga_Click();
  void DescargarTodo_Click();

  // The welcome and database-ID steps (PasoBienvenida.cpp).
  void PasoBienvenido_btnContinuar_Click();
  void PasoBienvenido_btnInstalar_Click();
  void PasoBienvenido_lblContinuar_Click();
  void PasoBienvenido_txtIDLanzador_Change();
  void PasoBienvenido_txtIDLanzador_KeyPress(int tecla);
  void AplicarVariante02GE(const std::string& id);
  void IniciarFlujo();
  void PasoIndicaId_btnContinuar_Click();
  void PasoIndicaID_cmdExaminar_Click();
  bool ExisteBaseDeDatosEn(const std::string& ubicacion) const;
  std::string MensajeDePrecaucion(const std::string& ubicacion) const;

  // The suite and folder steps (PasoSuiteYCarpeta.cpp).
  void CalculaPesoEstimado();
  SuitesElegidas Suites() const;
  void PasoSuitebtnContinuar_Click();
  bool ElegirCarpetaDeDescarga();
  void PasoSCPicExaminar_Click();
  void PasoSC_Continuar_Click();

  // The contact step (PasoContacto.cpp).
  void PasoDI_btnRegistrar_Click();

  // Pointer and closing (frmPrincipal.cpp).
  void Form_MouseMove();
  void ReposarPanel(const std::string& panel);

  EstadoDeEjecucion& estado_;
  ServiciosDeVentana servicios_;
  Paleta paleta_;
  std::vector<std::string> paneles_;                            // the steps' panels
  std::map<std::string, std::unique_ptr<BotonPlano>> botones_;  // by the label's name
  // Moves the focus, with the flat buttons' look: the one that loses it rests, the one that
  // takes it is highlighted.
  void EnfocarConTeclado(const std::string& control);
  bool tecladoUsado_ = false;  // the user has pressed a key of the keyboard's way
  std::map<std::string, std::function<void()>> clics_;
  std::map<std::string, std::function<void()>> movimientos_;  // pointer handlers by control
  std::map<std::string, std::function<void()>> cambios_;      // text boxes' change handlers
  std::unique_ptr<GestorDeDescargas> Down;                    // the download in progress
  int64_t bytesDeLaUltimaDescarga_ = 0;
};

}  // namespace evalora::ui

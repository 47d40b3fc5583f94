#pragma once
// Runs one scenario: the development server on free ports, a fresh prefix, the real window
// offscreen over virtual time, and every line in order. The first line that fails stops the run
// and says what was found.

#include <deque>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Guion.h"
#include "Maquina.h"
#include "Servidores.h"
#include "Verbos.h"
#include "ui/Asistente.h"

namespace evalora::escenario {

// The renderer of this build over a run's form, as the user would see it.
std::unique_ptr<ui::Vista> CrearVista(ui::frmPrincipal& forma);
// The labels in view whose text that renderer cannot fit in their box, joined by ", "; empty
// when every text fits.
std::string TextosQueNoCaben(ui::Vista& vista);

// One control as a screen reader finds it through the system's accessibility.
struct Accesible {
  std::string rol;  // "botón", "enlace", "texto", "caja", "casilla", "barra"
  std::string nombre;
  std::string valor;  // a box's text, a bar's percentage
  bool marcado = false;
  bool enfocado = false;
  bool deshabilitado = false;
  friend bool operator==(const Accesible&, const Accesible&) = default;
};
// What the renderer's accessibility reports of the window as it is (Qt's QAccessible; MSAA through
// AccessibleObjectFromWindow), in the order a reader goes through it. Controls with nothing to say
// (panels, pictures, empty texts) are left out.
std::vector<Accesible> LoQueOyeUnLector(ui::Vista& vista);
// A screen reader listening to the window for the alerts it raises when a step appears.
class Oyente {
 public:
  virtual ~Oyente() = default;
  // Runs the window's loop for what waits (the program's next pause would), and returns the
  // alerts heard since the last call, each as the reader asks for it (an object of the system's
  // alert role; its name the text). Each run of the loop raises one alert at most.
  virtual std::vector<std::string> Anuncios() = 0;
};
std::unique_ptr<Oyente> EscucharAnuncios(ui::Vista& vista);

struct OpcionesDeEscenario {
  std::filesystem::path contenido;    // the download server's shared content folder
  std::filesystem::path capturas;     // where "captura" writes; empty: next to the scenario
  bool contar = false;                // print each step reached
  std::filesystem::path prefijoWine;  // where the prefix Wine made for scenarios is (made when missing)
};

class Escenario {
 public:
  Escenario(std::filesystem::path archivo, OpcionesDeEscenario opciones);
  ~Escenario();

  // True when every line passed (or the scenario is not for this build); otherwise `error` names
  // the line and what was found.
  bool Ejecutar(std::string& error);
  // Why the scenario did not run in this build; empty when it ran.
  const std::string& Omitido() const { return omitido_; }

 private:
  // A line's text with each %NAME% of the machine's environment written out ("%ProgramFiles%").
  std::string Expandir(const std::string& texto) const;
  // One line, by its verb's handler; false with what was found.
  bool Accionar(const Accion& a, std::string& hallado);
  friend const std::vector<Verbo>& Verbos();

  // The machine, the server and the premises (Escenario.cpp).
  bool Asistente(const Accion& a, std::string& hallado);
  bool Inicia(const Accion& a, std::string& hallado);
  bool Catalogo(const Accion& a, std::string& hallado);
  bool Entorno(const Accion& a, std::string& hallado);
  bool Prefijo(const Accion& a, std::string& hallado);
  bool Wine(const Accion& a, std::string& hallado);
  bool EscribirRegistro(const Accion& a, std::string& hallado);
  bool Proceso(const Accion& a, std::string& hallado);
  bool SinAdministrador(const Accion& a, std::string& hallado);
  bool Crea(const Accion& a, std::string& hallado);
  bool Borra(const Accion& a, std::string& hallado);
  bool RespuestaDeCarpeta(const Accion& a, std::string& hallado);
  bool CierraAlRecibir(const Accion& a, std::string& hallado);
  bool CapturaAlRecibir(const Accion& a, std::string& hallado);
  bool CapturaEnElPaso(const Accion& a, std::string& hallado);
  bool AccesibleEnElPaso(const Accion& a, std::string& hallado);
  // What the user does (Escenario.cpp).
  bool Escribe(const Accion& a, std::string& hallado);
  bool Tecla(const Accion& a, std::string& hallado);
  bool Pulsa(const Accion& a, std::string& hallado);
  bool Clic(const Accion& a, std::string& hallado);
  bool Marca(const Accion& a, std::string& hallado);
  bool Raton(const Accion& a, std::string& hallado);
  bool Cierra(const Accion& a, std::string& hallado);
  // What must be true (Comprobaciones.cpp).
  bool ComprobarPaso(const Accion& a, std::string& hallado);
  bool ComprobarFoco(const Accion& a, std::string& hallado);
  bool ComprobarOrdenDeFoco(const Accion& a, std::string& hallado);
  bool ComprobarAccesible(const Accion& a, std::string& hallado);
  bool ComprobarAnuncio(const Accion& a, std::string& hallado);
  bool ComprobarTexto(const Accion& a, std::string& hallado);
  bool ComprobarVisible(const Accion& a, std::string& hallado);
  bool ComprobarMarcado(const Accion& a, std::string& hallado);
  bool ComprobarColor(const Accion& a, std::string& hallado);
  bool ComprobarAviso(const Accion& a, std::string& hallado);
  bool Recibio(const Accion& a, std::string& hallado);
  bool Contadas(const Accion& a, std::string& hallado);
  bool Temporales(const Accion& a, std::string& hallado);
  bool Abrio(const Accion& a, std::string& hallado);
  bool ComprobarArchivo(const Accion& a, std::string& hallado);
  bool ComoServido(const Accion& a, std::string& hallado);
  bool ComprobarCarpeta(const Accion& a, std::string& hallado);
  bool ComprobarValor(const Accion& a, std::string& hallado);
  bool WineValor(const Accion& a, std::string& hallado);
  bool ComprobarClave(const Accion& a, std::string& hallado);
  bool Lnkinfo(const Accion& a, std::string& hallado);
  bool ComprobarBase(const Accion& a, std::string& hallado);
  bool EsperaArchivo(const Accion& a, std::string& hallado);
  bool Termina(const Accion& a, std::string& hallado);
  bool Capturar(const Accion& a, std::string& hallado);

  // What a reader hears now is the form's view of the step (and `esperado`, unless empty); else
  // what differs.
  bool OyeElFormulario(const std::string& esperado, std::string& hallado);
  // The control a line names as its first word, once the program runs; else nothing, with why.
  const ui::Control* ControlEnMarcha(const Accion& a, std::string& hallado) const;
  bool Aceptada(const Accion& a, bool aceptada, std::string& hallado) const;
  // A path of the prefix, once the machine is ready; else nothing, with why.
  std::optional<std::filesystem::path> RutaDelPrefijo(const std::string& ruta, std::string& hallado);

  void NuevoAsistente(int tipo, const std::string& version);
  bool Iniciar(std::string& hallado);
  // Runs a piece of the program; the program's end is noted, not an error.
  template <typename F>
  void Programa(F&& f);
  bool EnMarcha(std::string& hallado) const;
  const ui::Control* ControlDe(const Accion& a, size_t i, std::string& hallado) const;
  std::filesystem::path Relativo(const std::string& nombre, const std::filesystem::path& base) const;
  // Where a screenshot goes (below --capturas, else next to the scenario); its folder is made.
  std::filesystem::path Captura(const std::string& nombre) const;
  std::vector<std::string> Variables() const;
  std::string PanelVisible() const;
  // Prints the step now shown when it changed (--contar).
  void Contar();

  std::filesystem::path archivo_;
  OpcionesDeEscenario opciones_;
  std::filesystem::path temporal_;  // removed at the end
  std::string omitido_;
  std::unique_ptr<Maquina> maquina_;
  std::vector<std::string> sqlExtra_;
  std::vector<std::pair<std::string, std::string>> entorno_;
  std::vector<std::string> procesos_;
  std::deque<std::string> respuestasDeCarpeta_;
  bool administrador_ = true;
  std::unique_ptr<Servidores> servidores_;

  // The run of the program.
  int tipo_ = 0;
  VersionDelEjecutable version_{};
  std::unique_ptr<PlataformaDeEscenario> plataforma_;
  std::unique_ptr<ui::Asistente> asistente_;
  std::unique_ptr<ui::Vista> vista_;  // the renderer of this build, drawing the form
  std::unique_ptr<Oyente> oyente_;    // a screen reader's ear on it
  ui::Control formulario_;            // the form itself, as lines name it
  bool iniciado_ = false;
  bool terminado_ = false;
  size_t avisosVistos_ = 0;
  std::vector<std::string> anuncios_;  // heard and not yet checked
  std::string pasoOido_;               // the step shown when the reader last listened
  std::optional<int64_t> cerrarAlRecibir_;
  std::string ultimoContado_;
  std::optional<std::pair<int64_t, std::filesystem::path>> capturarAlRecibir_;
  std::optional<std::pair<std::string, std::filesystem::path>> capturarEnElPaso_;
  // «accesible-en-el-paso»: its line, and once the step showed, what was wrong (empty: nothing).
  struct OidoEnElPaso {
    Accion linea;
    std::optional<std::string> fallo;
  };
  std::optional<OidoEnElPaso> oidoEnElPaso_;
};

// Runs each scenario in turn and says how it went ("<file>: correcto", "<file>: omitido: <why>", or
// the failing line). The exit status: 0 when all passed, 1 when any failed, 77 (CTest's skipped
// test) when every one was for the other build.
int EjecutarEscenarios(const std::vector<std::filesystem::path>& archivos, const OpcionesDeEscenario& opciones);

}  // namespace evalora::escenario

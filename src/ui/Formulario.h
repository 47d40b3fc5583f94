#pragma once
// A form that knows no toolkit: every control of the design by its name, with its kind, its place
// in twips within its parent, its text exactly as the program wrote it, its font, colours,
// visibility, value and place in the stacking order. A renderer (Qt on Linux, Win32 on Windows)
// draws the controls and hears of every change through its Vista; it turns the user's clicks,
// keys and pointer moves into the form's events.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace evalora::ui {

struct Color {
  uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(const Color&, const Color&) = default;
};
inline constexpr Color kNegro{0, 0, 0};
inline constexpr Color kBlanco{255, 255, 255};

// A place in twips.
struct Rect {
  int x = 0, y = 0, ancho = 0, alto = 0;
  friend bool operator==(const Rect&, const Rect&) = default;
};

// The design's lengths are twips: 1440 to an inch, so 15 to a pixel at 96 DPI, 12 at 120 and 10
// at 144. The Win32 window lays itself out at the system's DPI; Qt scales the pixels of 96 DPI on
// screens of more itself.
constexpr int kTwipsPorPulgada = 1440;
constexpr int kPppDeDiseno = 96;  // dots per inch
constexpr int kTwipsPorPixel = kTwipsPorPulgada / kPppDeDiseno;
// To the nearest pixel (halves away from zero).
constexpr int Pixeles(int twips, int ppp = kPppDeDiseno) {
  const long long producto = static_cast<long long>(twips) * ppp;
  return static_cast<int>(producto >= 0 ? (producto + kTwipsPorPulgada / 2) / kTwipsPorPulgada
                                        : -((-producto + kTwipsPorPulgada / 2) / kTwipsPorPulgada));
}

// A font relative to the window's own: scaled, or of a size of its own in points.
struct Letra {
  double escala = 1.0;
  int puntos = 0;  // 0: the window's size times `escala`
  bool negrita = false;
  bool subrayada = false;
  friend bool operator==(const Letra&, const Letra&) = default;
};

enum class Clase {
  kPanel,     // a step's panel, or a plain area of colour (a band, a button's face or bar)
  kEtiqueta,  // a label, drawn by the renderer
  kCaja,      // a one-line text box
  kCasilla,   // a check box
  kBoton,     // a push button of the system's style
  kImagen,    // a picture: one of the icons below
  kBarra,     // a progress bar
};

enum class Icono { kNinguno, kAdvertencia, kError, kCorrecto, kRegresar, kSobre };
// What a control is to a screen reader (and to the keyboard: the roles a person acts on take the
// focus when they are tabulable).
enum class Rol { kNinguno, kBoton, kEnlace, kTexto, kCaja, kCasilla, kBarra };
enum class Horizontal { kIzquierda, kCentro };
enum class Vertical { kArriba, kCentro };

struct Control {
  std::string nombre;
  Clase clase = Clase::kPanel;
  int padre = -1;  // index of the parent control; -1: the form itself
  Rect lugar;
  std::string texto;  // line breaks as the program wrote them (CR LF)
  std::string ayuda;  // the tooltip
  Letra letra;
  std::optional<Color> tinta;         // none: the system's text colour
  std::optional<Color> fondo;         // none: the parent shows through
  Color relleno{109, 125, 146};       // a progress bar's box
  std::optional<int32_t> porcentaje;  // a progress bar's value; none: the picture is cleared
  Horizontal horizontal = Horizontal::kIzquierda;
  Vertical vertical = Vertical::kArriba;
  bool ajustar = true;  // a label's text wraps
  bool visible = true;
  bool habilitado = true;
  bool soloLectura = false;
  bool marcado = false;
  bool mano = false;         // the pointer turns into a hand over it
  bool recibeRaton = false;  // pointer moves and clicks reach it; otherwise they reach its parent
  Icono icono = Icono::kNinguno;
  int orden = 0;  // stacking among its siblings: higher is on top
  Rol rol = Rol::kNinguno;
  bool tabulable = false;       // the keyboard's focus reaches it (Tab, Shift+Tab)
  std::string nombreAccesible;  // what a screen reader names it; empty: its text
  std::string rotulo;           // the label that names it (a box's, a bar's), by its name: its text is the name
  friend bool operator==(const Control&, const Control&) = default;
};

// What a renderer hears from the form.
class Vista {
 public:
  virtual ~Vista() = default;
  // A control's properties changed (its index in Controles()).
  virtual void Actualizar(int control) = 0;
  // The stacking order of a parent's children changed.
  virtual void Reordenar(int padre) = 0;
  virtual void Enfocar(int control) = 0;
  // A new step is in view: once the program has written it, a screen reader is told its message
  // (Formulario::MensajeDelPaso, asked for then).
  virtual void AnunciarPaso() = 0;
  virtual void EscribirCaption(const std::string& caption) = 0;
  virtual void Mostrar() = 0;
  virtual void Ocultar() = 0;
  // Paint what changed now, before the program goes on.
  virtual void Refrescar() = 0;
  // The window's picture as the user sees it, written as PNG; false when it cannot be.
  virtual bool Capturar(const std::string& archivo) = 0;
};

class Formulario {
 public:
  explicit Formulario(std::string nombre) : nombre_(std::move(nombre)) {}
  virtual ~Formulario() = default;
  Formulario(const Formulario&) = delete;
  Formulario& operator=(const Formulario&) = delete;

  const std::string& Nombre() const { return nombre_; }
  // The client area in twips.
  Rect Lugar() const { return lugar_; }
  const std::vector<Control>& Controles() const { return controles_; }
  // The index of a control; -1 when the form has none of that name.
  int Indice(const std::string& nombre) const;
  const Control* Buscar(const std::string& nombre) const;
  bool Existe(const std::string& nombre) const { return Indice(nombre) >= 0 || nombre == nombre_; }
  // A parent's children, bottom first.
  std::vector<int> Hijos(int padre) const;

  // The renderer; none draws the form until one is set.
  void UsarVista(Vista* vista) { vista_ = vista; }
  Vista* VistaActual() const { return vista_; }

  // A control's text exactly as written ("" for none).
  std::string Texto(const std::string& nombre) const;
  void PonerTexto(const std::string& nombre, const std::string& texto);
  void Ver(const std::string& nombre, bool visible);
  // Its own visibility flag is off.
  bool Oculto(const std::string& nombre) const;
  // It and every parent up to the form are visible.
  bool ALaVista(const std::string& nombre) const;
  bool ALaVista(int indice) const;
  void Mover(const std::string& nombre, int x, int y);
  void Colocar(const std::string& nombre, Rect lugar);
  void Tinta(const std::string& nombre, Color color);
  void Fondo(const std::string& nombre, Color color);
  void CambiarLetra(const std::string& nombre, Letra letra);
  void Habilitar(const std::string& nombre, bool habilitado);
  void Alinear(const std::string& nombre, Horizontal horizontal, Vertical vertical);
  void PonerPorcentaje(const std::string& nombre, int32_t porcentaje);
  void Subir(const std::string& nombre);
  void Bajar(const std::string& nombre);
  bool Marcado(const std::string& nombre) const;
  // What a screen reader names a control: its accessible name, else its label's text (a box's
  // caption above or beside it), else its own text.
  std::string NombreAccesible(int indice) const;
  // The controls the keyboard reaches now, in the order a person reads the step: tabulable, in
  // view and enabled, top to bottom, then left to right (their places in the form).
  std::vector<int> OrdenDeFoco() const;
  // What a screen reader finds on the step, in the same reading order: every control in view
  // that has a role (a text with nothing written in it is nothing to read).
  std::vector<int> OrdenAccesible() const;
  // What a reader says when the step appears: the texts of the step in view, in reading order,
  // one a line (CR LF, as the program writes its line breaks).
  std::string MensajeDelPaso() const;
  void Enfocar(const std::string& nombre);
  const std::string& Foco() const { return foco_; }
  // The colour that shows behind a control: its own, or the nearest parent's.
  Color FondoEfectivo(const std::string& nombre) const;
  Color TintaEfectiva(const std::string& nombre) const;
  // A control's place within the form's client area, in whole pixels at that DPI as the
  // renderers place it (each place within its parent's, to the nearest pixel).
  struct Pixeles {
    int x = 0, y = 0, ancho = 0, alto = 0;
  };
  Pixeles LugarEnPixeles(int indice, int ppp = kPppDeDiseno) const;
  // The control the pointer meets at a point of the client area (pixels at that DPI): the topmost
  // one that is in view and receives the pointer; -1 for the form itself.
  int ControlEn(int x, int y, int ppp = kPppDeDiseno) const;

  // The caption bar's text.
  const std::string& Caption() const { return caption_; }

 protected:
  int Agregar(Control control);
  void PonerLugar(Rect lugar) { lugar_ = lugar; }
  void PonerCaption(const std::string& caption);
  void PonerMarcado(const std::string& nombre, bool marcado);
  Control* Editar(const std::string& nombre);
  std::vector<int> EnOrdenDeLectura(const std::function<bool(int, const Control&)>& cuales) const;
  void Cambio(const std::string& nombre);
  Color fondoDelFormulario_{255, 255, 255};

 private:
  std::string nombre_;
  Rect lugar_;
  std::vector<Control> controles_;
  std::string foco_;
  std::string caption_;
  Vista* vista_ = nullptr;
};

}  // namespace evalora::ui

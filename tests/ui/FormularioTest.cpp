// The form that knows no toolkit: stacking, visibility through parents, where the pointer lands,
// places in pixels, colours, and what a renderer hears. Runs in both builds.
#include "ui/Formulario.h"

#include <gtest/gtest.h>

#include <vector>

namespace evalora::ui {
namespace {

// A renderer that only writes down what it hears.
class VistaEspia : public Vista {
 public:
  void Actualizar(int control) override { actualizados.push_back(control); }
  void Reordenar(int padre) override { reordenados.push_back(padre); }
  void Enfocar(int control) override { enfocados.push_back(control); }
  void AnunciarPaso() override { ++anuncios; }
  void EscribirCaption(const std::string& caption) override { captions.push_back(caption); }
  void Mostrar() override {}
  void Ocultar() override {}
  void Refrescar() override {}
  bool Capturar(const std::string&) override { return false; }
  std::vector<int> actualizados, reordenados, enfocados;
  std::vector<std::string> captions;
  int anuncios = 0;
};

class FormaDePrueba : public Formulario {
 public:
  FormaDePrueba() : Formulario("frmPrueba") {
    PonerLugar(Rect{0, 0, 1500, 1500});  // 100 x 100 pixels
    Control panel;
    panel.nombre = "panel";
    panel.lugar = Rect{150, 300, 1200, 1200};  // at 10,20
    panel.recibeRaton = true;
    panel.fondo = Color{1, 2, 3};
    Agregar(panel);
    Control banda;  // does not take the pointer: its parent does
    banda.nombre = "banda";
    banda.padre = Indice("panel");
    banda.lugar = Rect{0, 0, 1200, 300};
    Agregar(banda);
    Control etiqueta;
    etiqueta.nombre = "etiqueta";
    etiqueta.clase = Clase::kEtiqueta;
    etiqueta.padre = Indice("banda");
    etiqueta.lugar = Rect{150, 0, 300, 300};  // at 20,20 in the form
    etiqueta.recibeRaton = true;
    Agregar(etiqueta);
    Control caja;
    caja.nombre = "caja";
    caja.clase = Clase::kCaja;
    caja.padre = Indice("panel");
    caja.lugar = Rect{0, 600, 600, 300};
    caja.recibeRaton = true;
    Agregar(caja);
    Control encima;  // on top of the box's right half
    encima.nombre = "encima";
    encima.padre = Indice("panel");
    encima.lugar = Rect{300, 600, 600, 300};
    encima.recibeRaton = true;
    Agregar(encima);
  }
  using Formulario::PonerCaption;
  using Formulario::Agregar;
  using Formulario::Editar;
};

std::string Nombre(const Formulario& f, int i) { return i < 0 ? "(formulario)" : f.Controles()[i].nombre; }

TEST(FormularioTest, ApiladoYOrdenDeLosHijos) {
  FormaDePrueba f;
  const int panel = f.Indice("panel");
  EXPECT_EQ(f.Hijos(panel), (std::vector<int>{f.Indice("banda"), f.Indice("caja"), f.Indice("encima")}));
  VistaEspia vista;
  f.UsarVista(&vista);
  f.Subir("banda");
  EXPECT_EQ(f.Hijos(panel).back(), f.Indice("banda"));
  f.Bajar("encima");
  EXPECT_EQ(f.Hijos(panel).front(), f.Indice("encima"));
  EXPECT_EQ(vista.reordenados, (std::vector<int>{panel, panel}));
  EXPECT_EQ(f.Indice("no-existe"), -1);
  EXPECT_TRUE(f.Existe("frmPrueba"));
}

TEST(FormularioTest, VisibleSoloConTodosSusPadres) {
  FormaDePrueba f;
  EXPECT_TRUE(f.ALaVista("etiqueta"));
  f.Ver("banda", false);
  EXPECT_TRUE(f.Oculto("banda"));
  EXPECT_FALSE(f.Oculto("etiqueta"));  // its own flag stays on
  EXPECT_FALSE(f.ALaVista("etiqueta"));
  EXPECT_TRUE(f.ALaVista("frmPrueba"));
  // The focus leaves a control that goes out of sight.
  f.Enfocar("caja");
  EXPECT_EQ(f.Foco(), "caja");
  f.Ver("panel", false);
  EXPECT_EQ(f.Foco(), "");
}

TEST(FormularioTest, DondeCaeElPuntero) {
  FormaDePrueba f;
  EXPECT_EQ(Nombre(f, f.ControlEn(25, 25)), "etiqueta");
  // On the band beside the label: the band does not take it, its panel does.
  EXPECT_EQ(Nombre(f, f.ControlEn(50, 25)), "panel");
  // Where two siblings overlap, the one on top; beside it, the box.
  EXPECT_EQ(Nombre(f, f.ControlEn(35, 65)), "encima");
  EXPECT_EQ(Nombre(f, f.ControlEn(12, 65)), "caja");
  f.Subir("caja");
  EXPECT_EQ(Nombre(f, f.ControlEn(35, 65)), "caja");
  // Outside every control, and on a hidden one: what lies behind.
  EXPECT_EQ(f.ControlEn(5, 5), -1);
  f.Ver("caja", false);
  EXPECT_EQ(Nombre(f, f.ControlEn(12, 65)), "panel");
}

TEST(FormularioTest, LugaresEnPixelesYColores) {
  FormaDePrueba f;
  const auto p = f.LugarEnPixeles(f.Indice("etiqueta"));
  EXPECT_EQ(p.x, 20);  // 10 of the panel, 0 of the band, 10 of its own
  EXPECT_EQ(p.y, 20);
  EXPECT_EQ(p.ancho, 20);
  EXPECT_EQ(Pixeles(7), 0);  // to the nearest pixel
  EXPECT_EQ(Pixeles(8), 1);
  // At another DPI a twip is 1/1440 of an inch: 11040 twips are 920 pixels at 120 DPI, the
  // band's 495 are 49.5 at 144 and take the half away from zero, as does a negative place.
  EXPECT_EQ(Pixeles(11040, 120), 920);
  EXPECT_EQ(Pixeles(495, 144), 50);
  EXPECT_EQ(Pixeles(-15, 144), -2);
  EXPECT_EQ(Pixeles(1'000'000, 192), 133'333);  // no overflow on the way
  const auto a144 = f.LugarEnPixeles(f.Indice("etiqueta"), 144);
  EXPECT_EQ(a144.x, 30);
  EXPECT_EQ(a144.ancho, 30);
  EXPECT_EQ(Nombre(f, f.ControlEn(38, 38, 144)), "etiqueta");  // (25, 25) at 96 DPI
  EXPECT_EQ(Nombre(f, f.ControlEn(25, 35, 144)), "panel");     // before the label at 144
  EXPECT_EQ(f.FondoEfectivo("etiqueta"), (Color{1, 2, 3}));  // the panel's shows through
  f.Fondo("banda", Color{9, 9, 9});
  EXPECT_EQ(f.FondoEfectivo("etiqueta"), (Color{9, 9, 9}));
  EXPECT_EQ(f.TintaEfectiva("etiqueta"), kNegro);
  f.Tinta("etiqueta", kBlanco);
  EXPECT_EQ(f.TintaEfectiva("etiqueta"), kBlanco);
}

TEST(FormularioTest, LaVistaOyeCadaCambio) {
  FormaDePrueba f;
  VistaEspia vista;
  f.UsarVista(&vista);
  const int etiqueta = f.Indice("etiqueta");
  f.PonerTexto("etiqueta", "Hola\r\nadiós");
  f.PonerTexto("etiqueta", "Hola\r\nadiós");  // the same text: nothing to draw
  EXPECT_EQ(f.Texto("etiqueta"), "Hola\r\nadiós");
  EXPECT_EQ(vista.actualizados, std::vector<int>{etiqueta});
  f.PonerPorcentaje("etiqueta", 250);
  f.PonerPorcentaje("etiqueta", 100);  // drawn again at the same value
  EXPECT_EQ(f.Buscar("etiqueta")->porcentaje, 100);
  EXPECT_EQ(vista.actualizados.size(), 3u);
  f.Enfocar("caja");
  f.Enfocar("no-existe");
  EXPECT_EQ(vista.enfocados, std::vector<int>{f.Indice("caja")});
  f.PonerCaption("Asistente");
  EXPECT_EQ(vista.captions, std::vector<std::string>{"Asistente"});
  EXPECT_EQ(f.Caption(), "Asistente");
  // Changes to a name the form does not have are nothing.
  f.PonerTexto("no-existe", "x");
  f.Ver("no-existe", false);
  EXPECT_EQ(vista.actualizados.size(), 3u);
}

// The keyboard's order: what is tabulable, in view and enabled, line by line as a person reads
// (a control a little higher beside another is on its line), each line from left to right.
TEST(FormularioTest, OrdenDeFocoComoSeLee) {
  FormaDePrueba forma;
  auto poner = [&](const char* nombre, Rect lugar, const char* padre = "panel") {
    Control c;
    c.nombre = nombre;
    c.padre = forma.Indice(padre);
    c.lugar = lugar;
    c.tabulable = true;
    forma.Agregar(c);
  };
  poner("derecha", Rect{600, 0, 300, 300});
  poner("izquierdaMasAbajo", Rect{0, 60, 300, 300});  // the same line, 4 pixels lower
  poner("abajo", Rect{0, 900, 300, 150});
  poner("deshabilitado", Rect{0, 1050, 300, 150});
  forma.Editar("deshabilitado")->habilitado = false;
  poner("oculto", Rect{0, 0, 300, 150}, "banda");
  forma.Editar("banda")->visible = false;
  forma.Editar("caja")->tabulable = true;
  std::vector<std::string> orden;
  for (const int i : forma.OrdenDeFoco()) orden.push_back(Nombre(forma, i));
  EXPECT_EQ(orden, (std::vector<std::string>{"izquierdaMasAbajo", "derecha", "caja", "abajo"}));
  forma.Editar("panel")->visible = false;  // a hidden step's controls never take the focus
  EXPECT_TRUE(forma.OrdenDeFoco().empty());
}

// What a screen reader hears: a box is named by its label's text as it is now (and is redrawn
// when the label changes, so the renderer renames it); a text with nothing written in it is not
// read; the step's message is its texts in reading order, one a line.
TEST(FormularioTest, NombresYMensajeParaUnLector) {
  FormaDePrueba forma;
  VistaEspia vista;
  forma.UsarVista(&vista);
  Control* etiqueta = forma.Editar("etiqueta");
  etiqueta->rol = Rol::kTexto;
  Control* caja = forma.Editar("caja");
  caja->rol = Rol::kCaja;
  caja->texto = "lo escrito";
  EXPECT_EQ(forma.NombreAccesible(forma.Indice("caja")), "lo escrito");
  caja->rotulo = "etiqueta";
  forma.PonerTexto("etiqueta", "Nombre:");
  EXPECT_EQ(forma.NombreAccesible(forma.Indice("caja")), "Nombre:");
  EXPECT_EQ(vista.actualizados, (std::vector<int>{forma.Indice("etiqueta"), forma.Indice("caja")}));
  Control segunda;
  segunda.nombre = "segunda";
  segunda.clase = Clase::kEtiqueta;
  segunda.rol = Rol::kTexto;
  segunda.padre = forma.Indice("panel");
  segunda.lugar = Rect{0, 1050, 900, 150};
  segunda.texto = "Primera l\u00ednea\r\nsegunda";
  forma.Agregar(segunda);
  std::vector<std::string> leidos;
  for (const int i : forma.OrdenAccesible()) leidos.push_back(Nombre(forma, i));
  EXPECT_EQ(leidos, (std::vector<std::string>{"etiqueta", "caja", "segunda"}));
  EXPECT_EQ(forma.MensajeDelPaso(), "Nombre:\r\nPrimera l\u00ednea\r\nsegunda");
  forma.PonerTexto("etiqueta", "");
  leidos.clear();
  for (const int i : forma.OrdenAccesible()) leidos.push_back(Nombre(forma, i));
  EXPECT_EQ(leidos, (std::vector<std::string>{"caja", "segunda"}));
  EXPECT_EQ(forma.MensajeDelPaso(), "Primera l\u00ednea\r\nsegunda");
  forma.UsarVista(nullptr);
}

}  // namespace
}  // namespace evalora::ui

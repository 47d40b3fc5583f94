#include "ui/Formulario.h"

#include <algorithm>

namespace evalora::ui {

int Formulario::Agregar(Control control) {
  int orden = 0;
  for (const Control& c : controles_) {
    if (c.padre == control.padre) orden = std::max(orden, c.orden + 1);
  }
  control.orden = orden;  // on top of its siblings, as it is created
  controles_.push_back(std::move(control));
  return static_cast<int>(controles_.size()) - 1;
}

int Formulario::Indice(const std::string& nombre) const {
  for (size_t i = 0; i < controles_.size(); ++i) {
    if (controles_[i].nombre == nombre) return static_cast<int>(i);
  }
  return -1;
}

const Control* Formulario::Buscar(const std::string& nombre) const {
  const int i = Indice(nombre);
  return i < 0 ? nullptr : &controles_[i];
}

Control* Formulario::Editar(const std::string& nombre) {
  const int i = Indice(nombre);
  return i < 0 ? nullptr : &controles_[i];
}

std::vector<int> Formulario::Hijos(int padre) const {
  std::vector<int> hijos;
  for (size_t i = 0; i < controles_.size(); ++i) {
    if (controles_[i].padre == padre) hijos.push_back(static_cast<int>(i));
  }
  std::stable_sort(hijos.begin(), hijos.end(),
                   [this](int a, int b) { return controles_[a].orden < controles_[b].orden; });
  return hijos;
}

void Formulario::Cambio(const std::string& nombre) {
  const int i = Indice(nombre);
  if (!vista_ || i < 0) return;
  vista_->Actualizar(i);
  if (controles_[static_cast<size_t>(i)].clase != Clase::kEtiqueta) return;
  // A box or bar named by this label is renamed with it.
  for (size_t k = 0; k < controles_.size(); ++k) {
    if (controles_[k].rotulo == nombre) vista_->Actualizar(static_cast<int>(k));
  }
}

std::string Formulario::Texto(const std::string& nombre) const {
  const Control* c = Buscar(nombre);
  return c ? c->texto : "";
}

void Formulario::PonerTexto(const std::string& nombre, const std::string& texto) {
  Control* c = Editar(nombre);
  if (!c || c->texto == texto) return;
  c->texto = texto;
  Cambio(nombre);
}

void Formulario::Ver(const std::string& nombre, bool visible) {
  Control* c = Editar(nombre);
  if (!c || c->visible == visible) return;
  c->visible = visible;
  if (!visible && !foco_.empty() && !ALaVista(foco_)) foco_.clear();
  Cambio(nombre);
}

bool Formulario::Oculto(const std::string& nombre) const {
  const Control* c = Buscar(nombre);
  return c && !c->visible;
}

bool Formulario::ALaVista(int indice) const {
  for (int i = indice; i >= 0; i = controles_[i].padre) {
    if (!controles_[i].visible) return false;
  }
  return indice >= 0;
}

bool Formulario::ALaVista(const std::string& nombre) const {
  if (nombre == nombre_) return true;
  return ALaVista(Indice(nombre));
}

void Formulario::Mover(const std::string& nombre, int x, int y) {
  if (Control* c = Editar(nombre)) Colocar(nombre, Rect{x, y, c->lugar.ancho, c->lugar.alto});
}

void Formulario::Colocar(const std::string& nombre, Rect lugar) {
  Control* c = Editar(nombre);
  if (!c || c->lugar == lugar) return;
  c->lugar = lugar;
  Cambio(nombre);
}

void Formulario::Tinta(const std::string& nombre, Color color) {
  Control* c = Editar(nombre);
  if (!c || c->tinta == color) return;
  c->tinta = color;
  Cambio(nombre);
}

void Formulario::Fondo(const std::string& nombre, Color color) {
  Control* c = Editar(nombre);
  if (!c || c->fondo == color) return;
  c->fondo = color;
  Cambio(nombre);
}

void Formulario::CambiarLetra(const std::string& nombre, Letra letra) {
  Control* c = Editar(nombre);
  if (!c || c->letra == letra) return;
  c->letra = letra;
  Cambio(nombre);
}

void Formulario::Habilitar(const std::string& nombre, bool habilitado) {
  Control* c = Editar(nombre);
  if (!c || c->habilitado == habilitado) return;
  c->habilitado = habilitado;
  Cambio(nombre);
}

void Formulario::Alinear(const std::string& nombre, Horizontal horizontal, Vertical vertical) {
  Control* c = Editar(nombre);
  if (!c) return;
  c->horizontal = horizontal;
  c->vertical = vertical;
  Cambio(nombre);
}

void Formulario::PonerPorcentaje(const std::string& nombre, int32_t porcentaje) {
  Control* c = Editar(nombre);
  if (!c) return;
  c->porcentaje = std::min<int32_t>(porcentaje, 100);  // above 100 counts as 100
  Cambio(nombre);  // drawn again even at the same value: the bar is cleared and redrawn
}

void Formulario::Subir(const std::string& nombre) {
  Control* c = Editar(nombre);
  if (!c) return;
  int orden = c->orden;
  for (const Control& otro : controles_) {
    if (otro.padre == c->padre && &otro != c) orden = std::max(orden, otro.orden + 1);
  }
  c->orden = orden;
  if (vista_) vista_->Reordenar(c->padre);
}

void Formulario::Bajar(const std::string& nombre) {
  Control* c = Editar(nombre);
  if (!c) return;
  int orden = c->orden;
  for (const Control& otro : controles_) {
    if (otro.padre == c->padre && &otro != c) orden = std::min(orden, otro.orden - 1);
  }
  c->orden = orden;
  if (vista_) vista_->Reordenar(c->padre);
}

bool Formulario::Marcado(const std::string& nombre) const {
  const Control* c = Buscar(nombre);
  return c && c->marcado;
}

void Formulario::PonerMarcado(const std::string& nombre, bool marcado) {
  Control* c = Editar(nombre);
  if (!c || c->marcado == marcado) return;
  c->marcado = marcado;
  Cambio(nombre);
}

std::string Formulario::NombreAccesible(int indice) const {
  const Control& c = controles_[static_cast<size_t>(indice)];
  if (!c.nombreAccesible.empty()) return c.nombreAccesible;
  if (!c.rotulo.empty()) return Texto(c.rotulo);
  return c.texto;
}

std::vector<int> Formulario::OrdenDeFoco() const {
  return EnOrdenDeLectura([this](int i, const Control& c) { return c.tabulable && c.habilitado && ALaVista(i); });
}

std::vector<int> Formulario::OrdenAccesible() const {
  return EnOrdenDeLectura([this](int i, const Control& c) {
    return c.rol != Rol::kNinguno && ALaVista(i) && (c.rol != Rol::kTexto || !c.texto.empty());
  });
}

std::string Formulario::MensajeDelPaso() const {
  std::string mensaje;
  for (const int i : OrdenAccesible()) {
    const Control& c = controles_[static_cast<size_t>(i)];
    if (c.rol != Rol::kTexto) continue;
    if (!mensaje.empty()) mensaje += "\r\n";
    mensaje += c.texto;
  }
  return mensaje;
}

std::vector<int> Formulario::EnOrdenDeLectura(const std::function<bool(int, const Control&)>& cuales) const {
  std::vector<std::pair<Pixeles, int>> elegidos;
  for (int i = 0; i < static_cast<int>(controles_.size()); ++i) {
    if (cuales(i, controles_[static_cast<size_t>(i)])) elegidos.emplace_back(LugarEnPixeles(i), i);
  }
  // Lines as a person reads them: by their tops, a control whose middle lies within the line's
  // height joins it (a box and its button beside it, a little higher or lower); each line from
  // left to right.
  std::stable_sort(elegidos.begin(), elegidos.end(), [](const auto& a, const auto& b) { return a.first.y < b.first.y; });
  std::vector<int> orden;
  for (size_t inicio = 0; inicio < elegidos.size();) {
    const Pixeles& primero = elegidos[inicio].first;
    size_t fin = inicio + 1;
    while (fin < elegidos.size() && elegidos[fin].first.y + elegidos[fin].first.alto / 2 < primero.y + primero.alto) {
      ++fin;
    }
    std::stable_sort(elegidos.begin() + static_cast<std::ptrdiff_t>(inicio),
                     elegidos.begin() + static_cast<std::ptrdiff_t>(fin),
                     [](const auto& a, const auto& b) { return a.first.x < b.first.x; });
    for (size_t k = inicio; k < fin; ++k) orden.push_back(elegidos[k].second);
    inicio = fin;
  }
  return orden;
}

void Formulario::Enfocar(const std::string& nombre) {
  const int i = Indice(nombre);
  if (i < 0) return;
  foco_ = nombre;
  if (vista_) vista_->Enfocar(i);
}

void Formulario::PonerCaption(const std::string& caption) {
  caption_ = caption;
  if (vista_) vista_->EscribirCaption(caption);
}

Color Formulario::FondoEfectivo(const std::string& nombre) const {
  for (int i = Indice(nombre); i >= 0; i = controles_[i].padre) {
    if (controles_[i].fondo) return *controles_[i].fondo;
  }
  return fondoDelFormulario_;
}

Color Formulario::TintaEfectiva(const std::string& nombre) const {
  const Control* c = Buscar(nombre);
  return c && c->tinta ? *c->tinta : kNegro;
}

Formulario::Pixeles Formulario::LugarEnPixeles(int indice, int ppp) const {
  const Rect& l = controles_[indice].lugar;
  Pixeles p{ui::Pixeles(l.x, ppp), ui::Pixeles(l.y, ppp), ui::Pixeles(l.ancho, ppp), ui::Pixeles(l.alto, ppp)};
  for (int i = controles_[indice].padre; i >= 0; i = controles_[i].padre) {
    p.x += ui::Pixeles(controles_[i].lugar.x, ppp);
    p.y += ui::Pixeles(controles_[i].lugar.y, ppp);
  }
  return p;
}

int Formulario::ControlEn(int x, int y, int ppp) const {
  // Down the topmost path of controls under the point; the deepest that receives the pointer
  // takes it, the others hand it to their parent.
  int resultado = -1;
  for (int padre = -1;;) {
    const std::vector<int> hijos = Hijos(padre);
    int encima = -1;
    for (auto i = hijos.rbegin(); i != hijos.rend(); ++i) {
      if (!controles_[*i].visible) continue;
      const Pixeles p = LugarEnPixeles(*i, ppp);
      if (x >= p.x && y >= p.y && x < p.x + p.ancho && y < p.y + p.alto) {
        encima = *i;
        break;
      }
    }
    if (encima < 0) return resultado;
    if (controles_[encima].recibeRaton) resultado = encima;
    padre = encima;
  }
}

}  // namespace evalora::ui

#include "ui/BotonPlano.h"

namespace evalora::ui {

namespace {

constexpr int kAltoDeLaBarra = 60;

}  // namespace

BotonPlano::BotonPlano(Formulario& forma, std::string etiqueta, std::string cara, std::string barra, Color acento,
                       const Paleta& paleta)
    : forma_(forma),
      etiqueta_(std::move(etiqueta)),
      cara_(std::move(cara)),
      barra_(std::move(barra)),
      acento_(acento),
      paleta_(paleta) {
  forma_.Bajar(cara_);
  forma_.Subir(etiqueta_);
  forma_.Subir(barra_);
  forma_.Fondo(barra_, acento_);
  Reposar();
}

Rect BotonPlano::LugarDeLaEtiqueta(Rect cara) { return Rect{cara.x, cara.y, cara.ancho, cara.alto - kAltoDeLaBarra}; }

Rect BotonPlano::LugarDeLaBarra(Rect cara) {
  return Rect{cara.x, cara.y + cara.alto - kAltoDeLaBarra, cara.ancho, kAltoDeLaBarra};
}

void BotonPlano::Resaltar() {
  forma_.Tinta(etiqueta_, acento_);
  forma_.Fondo(cara_, paleta_.ColorFondo);
  forma_.Ver(barra_, true);
}

void BotonPlano::Reposar() {
  forma_.Tinta(etiqueta_, kNegro);
  forma_.Fondo(cara_, paleta_.ColorBoton);
  forma_.Ver(barra_, false);
}

bool BotonPlano::Resaltado() const { return !forma_.Oculto(barra_); }

void BotonPlano::CambiarAcento(Color acento) {
  acento_ = acento;
  forma_.Fondo(barra_, acento_);
  if (Resaltado()) Resaltar();
}

void BotonPlano::CambiarTexto(const std::string& texto) { forma_.PonerTexto(etiqueta_, texto); }

void BotonPlano::Mostrar(bool visible) {
  forma_.Ver(cara_, visible);
  forma_.Ver(etiqueta_, visible);
  if (!visible) forma_.Ver(barra_, false);
}

void ReposarBotones(const std::vector<BotonPlano*>& botones) {
  bool alguno = false;
  for (const BotonPlano* b : botones) alguno = alguno || b->Resaltado();
  if (!alguno) return;
  for (BotonPlano* b : botones) b->Reposar();
}

}  // namespace evalora::ui

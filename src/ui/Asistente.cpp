#include "ui/Asistente.h"

namespace evalora::ui {

Asistente::Asistente(Plataforma plataforma, VersionDelEjecutable version)
    : plataforma_(plataforma),
      version_(version),
      sitios_(SitiosPara(plataforma.entorno)),
      conexion_(plataforma.odbc, DireccionDelCatalogoPara(plataforma.entorno), 30, DriverPedido(plataforma.entorno)),
      catalogo_(
          estado_, conexion_,
          ServiciosDelCatalogo{plataforma.archivos, plataforma.eventos, plataforma.mensajes, plataforma.terminacion},
          sitios_.NombreDelSitio()),
      ventana_(std::make_unique<frmPrincipal>(estado_, ServiciosDeVentana{plataforma, catalogo_, sitios_.ayuda})) {}

void Asistente::Main() {
  const Plataforma& p = plataforma_;
  const PrimerPaso primero = evalora::Main(estado_, version_, *ventana_,
                ServiciosDeInicio{p.internet, p.procesos, p.eventos, p.mensajes, p.usuario, p.registro, p.terminacion},
                CatalogoDeInicio{[this] { catalogo_.ObtenerPesoInstalador(); },
                                 [this](std::string& aviso) { return catalogo_.VersionVigente(version_, aviso); }},
                DireccionesDeInicio{sitios_.web, conexion_.Direccion().host});
  if (primero.antesDeMostrar) ventana_->MuestraPaso(primero.paso);
  ventana_->Mostrar();
  if (!primero.antesDeMostrar) ventana_->MuestraPaso(primero.paso);
}

}  // namespace evalora::ui

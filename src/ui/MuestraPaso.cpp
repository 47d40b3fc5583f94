// The step presenter: the panel of a step, its texts by kind and by what the earlier steps left,
// and the work of "Descarga", "IniciaDescarga" and "IniciaInstalacion".
#include "core/Texto.h"
#include "download/DecisionDeDescarga.h"
#include "localdb/BaseDeDatosLocal.h"
#include "startup/TiposDeAsistente.h"
#include "ui/FormateaPeso.h"
#include "ui/frmPrincipal.h"

namespace evalora::ui {

namespace {

// Every step: its name (as the scenarios and the tests write it), its panel and the presenter
// that fills it; a step without a presenter only shows its panel.
struct FilaDePaso {
  Paso paso;
  const char* nombre;
  const char* panel;
  void (frmPrincipal::*presentador)();
};

}  // namespace

struct frmPrincipal::TablaDePasos {
  static constexpr FilaDePaso kFilas[] = {
      {Paso::kPaso1, "Paso1", "picPaso1", &frmPrincipal::PasoPaso1},
      {Paso::kBienvenida, "bienvenida", "PicBienvenida", &frmPrincipal::PasoBienvenida},
      {Paso::kSolicitaCarpeta, "SolicitaCarpeta", "picSolicitaCarpeta", &frmPrincipal::PasoSolicitaCarpeta},
      {Paso::kSolicitaSuite, "SolicitaSuite", "picPasoSuite", nullptr},
      {Paso::kDescarga, "Descarga", "picDescargar", &frmPrincipal::PasoDescarga},
      {Paso::kIniciaDescarga, "IniciaDescarga", "picIniciaDescarga", &frmPrincipal::PasoIniciaDescarga},
      {Paso::kContacto, "Contacto", "picContacto", nullptr},
      {Paso::kDescargaIncorrecta, "DescargaIncorrecta", "picDescargaIncorrecta",
       &frmPrincipal::PasoDescargaIncorrecta},
      {Paso::kDescargaCorrecta, "DescargaCorrecta", "PicDescargaCorrecta", &frmPrincipal::PasoDescargaCorrecta},
      {Paso::kIniciaInstalacion, "IniciaInstalacion", "PicInstalando", &frmPrincipal::PasoIniciaInstalacion},
      {Paso::kIndicaIdEV, "IndicaIdEV", "picEstableceRutaALaBaseDeDatos", nullptr},
  };
  static const FilaDePaso& De(Paso paso) {
    for (const FilaDePaso& fila : kFilas) {
      if (fila.paso == paso) return fila;
    }
    return kFilas[0];  // every step has its row
  }
};

std::optional<Paso> frmPrincipal::PasoPorNombre(const std::string& nombre) {
  const std::string buscado = RecortarBlancos(nombre);
  for (const FilaDePaso& fila : TablaDePasos::kFilas) {
    if (IgualesSinMayusculas(buscado, fila.nombre)) return fila.paso;
  }
  return std::nullopt;
}

const char* frmPrincipal::NombreDelPaso(Paso paso) { return TablaDePasos::De(paso).nombre; }

std::string frmPrincipal::PanelDelPaso(Paso paso) { return TablaDePasos::De(paso).panel; }

std::string frmPrincipal::PanelDelPaso(const std::string& nombre) {
  const auto paso = PasoPorNombre(nombre);
  return paso ? PanelDelPaso(*paso) : "";
}

std::vector<Paso> frmPrincipal::Pasos() {
  std::vector<Paso> pasos;
  for (const FilaDePaso& fila : TablaDePasos::kFilas) pasos.push_back(fila.paso);
  return pasos;
}

void frmPrincipal::MuestraPaso(Paso paso) {
  const FilaDePaso& fila = TablaDePasos::De(paso);
  if (fila.presentador) return (this->*fila.presentador)();
  MuestraPanel(fila.panel);
}

void frmPrincipal::MuestraPaso(const std::string& nombre) {
  if (const auto paso = PasoPorNombre(nombre)) MuestraPaso(*paso);
}

void frmPrincipal::PasoPaso1() {
  Ver("Paso1lblEspere", false);
  Ver("Paso1lblMensaje", true);
  Ver("PicWarning", true);
  MuestraPanel("picPaso1");
}

void frmPrincipal::PasoBienvenida() {
  PonerTexto("PasoBienvenido_lblBienvenido", "Bienvenid@");
  const std::string peso = estado_.PesoInstalador > 0
                               ? "(" +
                                     FormateaPeso(estado_.PesoInstalador, kRedondeoEntero,
                                                  SeparadorDecimal(servicios_.plataforma.registro)) +
                                     ")"
                               : "";
  MuestraPanel("PicBienvenida");
  const FichaDeTipo* tipo = FichaDelTipo(estado_);
  if (tipo && !InstalaElSistema(estado_)) botones_["PasoBienvenido_lblContinuar"]->CambiarTexto("Continuar");
  if (tipo && tipo->pideLanzador) Ver("PasoBienvenido_lblBienvenido", true);
  PonerTexto("PasoBienvenido_lblDescripcion", tipo ? Rellenar(tipo->bienvenida, estado_, peso) : "");
  if (!tipo || !tipo->instalaBaseDeDatos) {
    PonerTexto("PasoBienvenido_lblIDLanzador", "Escribe tu ID Evalora (10 caracteres)");
    Ver("PasoBienvenido_lblIDLanzador", true);
    Ver("PasoBienvenido_txtIDLanzador", true);
    Enfocar("PasoBienvenido_txtIDLanzador");
  }
}

void frmPrincipal::PasoSolicitaCarpeta() {
  const char* carpeta = "PasoSCtxtCarpetaDeDescarga";
  if (Texto(carpeta).empty()) {
    PonerTexto(carpeta, servicios_.plataforma.shell.CarpetaEspecial(kCsidlCarpetaDelEscritorio));
    if (!Texto(carpeta).empty()) {
      const FichaDeTipo* tipo = FichaDelTipo(estado_);
      const std::string inicio = tipo ? tipo->instrucciones : TiposDeAsistente()[0].instrucciones;
      PonerTexto("PasoSClblInstrucciones",
                 inicio + estado_.VersionMayor +
                     " en el Escritorio de Windows.\r\n\r\nSi deseas elegir otra ubicación para la descarga haz "
                     "clic en el botón Examinar.");
    }
  }
  Ver(PideSuites(estado_) ? "PicSCRegresar" : "PasoSC_btnCancelar", true);
  MuestraPanel("picSolicitaCarpeta");
}

void frmPrincipal::PasoDescarga() {
  MuestraPanel("picDescargar");
  // A list that could not be read is a failed download, never "everything is there already".
  if (!servicios_.catalogo.ObtenerListaDeArchivos(Suites())) return MuestraPaso(Paso::kDescargaIncorrecta);
  Ver("PasoDescargarlblInstrucciones", false);
  BotonPlano* segundo = botones_["PasoDescargarlblReanudarCancelarDescarga"].get();
  auto ofrecer = [&](const char* mensaje, const char* texto) {
    PonerTexto("PasoDescargarlblMensaje", mensaje);
    Ver("PasoDescargarlblMensaje", true);
    segundo->CambiarTexto(texto);
    segundo->Mostrar(true);
    botones_["PasoDescargarlblDescargarTodo"]->Mostrar(true);
    MuestraPanel("picDescargar");
  };
  switch (DecidirDescarga(estado_)) {
    case DecisionDeDescarga::kInstalar:
      return MuestraPaso(Paso::kIniciaInstalacion);
    case DecisionDeDescarga::kOfrecerCancelar:
      return ofrecer(kMensajeTodosLosArchivos, "Cancelar descarga");
    case DecisionDeDescarga::kDescargarTodo:
    case DecisionDeDescarga::kDescargarFaltantes:
      return MuestraPaso(Paso::kIniciaDescarga);
    case DecisionDeDescarga::kOfrecerReanudar:
      segundo->CambiarAcento(paleta_.ColorAzul);
      return ofrecer(kMensajeAlgunosArchivos, "Reanudar descarga");
  }
}

void frmPrincipal::DescargarTodo_Click() {
  estado_.DescargarTodo = true;
  estado_.DescartarParciales = true;
  MuestraPaso(Paso::kIniciaDescarga);
}

void frmPrincipal::ReanudarCancelarDescarga_Click() {
  const std::string texto = RecortarBlancos(Texto("PasoDescargarlblReanudarCancelarDescarga"));
  if (texto == "Reanudar descarga") {
    estado_.DescargarTodo = false;
    MuestraPaso(Paso::kIniciaDescarga);
  } else if (texto == "Cancelar descarga") {
    servicios_.plataforma.terminacion.Terminar();
  }
}

void frmPrincipal::PasoIniciaDescarga() {
  PonerTexto("LblDescargandoArchivos",
             Instala(estado_) ? "Obteniendo archivos de instalación..." : "Descargando archivos...");
  MuestraPanel("picIniciaDescarga");
  const Plataforma& p = servicios_.plataforma;
  Down = std::make_unique<GestorDeDescargas>(
      estado_, ServiciosDeDescarga{p.archivos, p.reloj, p.eventos, p.procesos, p.red}, *this,
      [this](const std::string& texto) { servicios_.catalogo.RegistraFalla(texto); });
  const Paso siguiente = Down->Descargar();
  bytesDeLaUltimaDescarga_ = Down->BytesRecibidos;
  Down.reset();
  MuestraPaso(siguiente);
}

void frmPrincipal::PasoIniciaInstalacion() {
  MuestraPanel("PicInstalando");
  MuestraPaso(Instalacion(estado_, servicios_.plataforma, *this, [this] {
                return InstalarBaseDeDatosLocal(estado_, servicios_.plataforma, *this, Texto("PasoIndicaId_txtID"));
              }).IniciarInstalacion());
}

void frmPrincipal::PasoDescargaCorrecta() {
  BotonPlano* accion = botones_["lblIniciarAhora"].get();
  if (Instala(estado_)) {
    accion->CambiarTexto(estado_.InstalarBaseDeDatos ? "Abrir la carpeta de la Base de datos" : "Iniciar ahora");
    PonerTexto("PasoDCor_LblMensaje", "La instalación ha finalizado \r\nde forma exitosa.");
    if (estado_.AvisoWindowsVista) {
      Mover("PasoDCor_LblMensaje", Buscar("PasoDCor_LblMensaje")->lugar.x, 700);
      Ver("PasoDCor_LblWindowsVista", true);
    }
  } else {
    PonerTexto("PasoDCor_LblMensaje", "La descarga ha finalizado \r\nde forma exitosa.");
    accion->CambiarTexto("Abrir la carpeta de Descargas");
  }
  MuestraPanel("PicDescargaCorrecta");
}

void frmPrincipal::lblIniciarAhora_Click() {
  const std::string accion = RecortarBlancos(Texto("lblIniciarAhora"));
  std::string abrir;
  if (IgualesSinMayusculas(accion, "Iniciar ahora")) {
    abrir = estado_.CarpetaDeInstalacion + "\\EVLogIn.exe";
  } else if (IgualesSinMayusculas(accion, "Abrir la carpeta de la Base de datos")) {
    abrir = estado_.CarpetaBaseDeDatos;
  } else if (IgualesSinMayusculas(accion, "Abrir la carpeta de Descargas")) {
    const FichaDeTipo* tipo = FichaDelTipo(estado_);
    abrir = Texto("PasoSCtxtCarpetaDeDescarga") + Rellenar(tipo ? tipo->descargas : "", estado_);
  } else {
    return;
  }
  // The type's default action, as a double click on it; a failure is not reported: the program
  // ends all the same.
  AbrirParaElUsuario(abrir, Verbo::kPredeterminado);
  servicios_.plataforma.terminacion.Terminar();
}

void frmPrincipal::PasoDescargaIncorrecta() {
  Tinta("lblProporcioanrDatos", Color{0, 114, 188});
  const char* enlaceAvast = "PasoDI_LblAvastLink";
  const int arribaDelEnlace = Buscar(enlaceAvast)->lugar.y;
  if (Instala(estado_)) {
    if (estado_.NetFrameworkFaltante) {
      Ver("lbl_AyudaNetFramework", true);
      PonerTexto("PasoDI_LblOps",
                 "Hemos detectado que esta PC no tiene activado el componente Netframework 2.0. \r\nEs necesario "
                 "activarlo antes de ejecutar este asistente.");
    } else {
      PonerTexto("PasoDI_LblAvast", Reemplazar(Texto("PasoDI_LblAvast"), "descarga", "instalación"));
      Mover(enlaceAvast, 3195, arribaDelEnlace);
      if (estado_.InstalacionFallida && estado_.ImpresoraNoInstalable) {
        Ver("PasoDI_LblImpresora", true);
        Ver("PasoDI_LblImpresoraLink", true);
        Ver("PasoDI_LblOps", false);
      } else if (estado_.InstalacionFallida) {
        PonerTexto("PasoDI_LblOps",
                   "Detectamos problemas durante la instalación.\r\n\r\nVerifica que se cuenten con permisos de "
                   "administrador antes de intentarlo nuevamente.");
      } else {
        PonerTexto("PasoDI_LblOps",
                   "Detectamos problemas durante la instalación.\r\n\r\nNo fue posible obtener los archivos "
                   "necesarios para la instalación, ejecuta nuevamente este asistente para obtener los archivos "
                   "faltantes.");
      }
    }
  } else {
    PonerTexto("PasoDI_LblOps",
               "No se descargaron todos los archivos solicitados. \r\n\r\nIngresa nuevamente a la aplicación, "
               "selecciona la misma carpeta de descarga y la opción Reanudar descarga para descargar los archivos "
               "faltantes.");
    Mover(enlaceAvast, 3000, arribaDelEnlace);
  }
  const bool avast = AvastEnEjecucion(servicios_.plataforma.procesos);
  MuestraPanel("picDescargaIncorrecta");
  if (avast) {
    Ver("PasoDI_LblAvast", true);
    Ver("PasoDI_LblAvastLink", true);
  }
}

void frmPrincipal::AbrirAyuda(const char* ruta) { AbrirParaElUsuario(servicios_.sitioDeAyuda + ruta, Verbo::kAbrir); }

void frmPrincipal::AbrirParaElUsuario(const std::string& que, Verbo verbo) {
  const Plataforma& p = servicios_.plataforma;
  if (p.usuario.Elevado()) {
    p.shell.AbrirComoUsuario(que, "", verbo);
  } else {
    p.shell.Abrir(que, "", verbo);
  }
}

}  // namespace evalora::ui

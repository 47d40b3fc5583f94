// The step presenter: the panel of a step, its texts by kind and by what the earlier steps left,
// and the work of "Descarga", "IniciaDescarga" and "IniciaInstalacion".
#include "core/Texto.h"
#include "download/DecisionDeDescarga.h"
#include "localdb/BaseDeDatosLocal.h"
#include "ui/FormateaPeso.h"
#include "ui/frmPrincipal.h"

namespace evalora::ui {

namespace {

bool EsInstalador(const EstadoDeEjecucion& estado) { return estado.TipoComoNumero() <= 3; }

std::string Reemplazar(std::string texto, const std::string& que, const std::string& por) {
  for (size_t i = texto.find(que); i != std::string::npos; i = texto.find(que, i + por.size())) {
    texto.replace(i, que.size(), por);
  }
  return texto;
}

}  // namespace

void frmPrincipal::MuestraPaso(const std::string& paso) {
  const std::string panel = PanelDelPaso(paso);
  if (panel.empty()) return;
  const std::string nombre = RecortarBlancos(paso);
  auto es = [&](const char* n) { return IgualesSinMayusculas(nombre, n); };
  if (es("Paso1")) return PasoPaso1();
  if (es("bienvenida")) return PasoBienvenida();
  if (es("SolicitaCarpeta")) return PasoSolicitaCarpeta();
  if (es("Descarga")) return PasoDescarga();
  if (es("IniciaDescarga")) return PasoIniciaDescarga();
  if (es("DescargaIncorrecta")) return PasoDescargaIncorrecta();
  if (es("DescargaCorrecta")) return PasoDescargaCorrecta();
  if (es("IniciaInstalacion")) {
    MuestraPanel("PicInstalando");
    Instalacion(estado_, servicios_.plataforma, *this, [this] {
      return InstalarBaseDeDatosLocal(estado_, servicios_.plataforma, *this, Texto("PasoIndicaId_txtID"));
    }).IniciarInstalacion();
    return;
  }
  MuestraPanel(panel);  // "SolicitaSuite", "Contacto", "IndicaIdEV"
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
  const double tipo = estado_.TipoComoNumero();
  const std::string& v = estado_.VersionMayor;
  std::string descripcion;
  if (tipo == 2) {
    botones_["PasoBienvenido_lblContinuar"]->CambiarTexto("Continuar");
    descripcion =
        "Este asistente descargará e instalará la base de datos del sistema Evalora " + v + " Local. \r\n" + peso;
  } else if (tipo <= 3) {
    descripcion = "Este asistente descargará e instalará el sistema Evalora " + v + " en este equipo. " + peso;
  } else if (tipo > 3) {
    botones_["PasoBienvenido_lblContinuar"]->CambiarTexto("Continuar");
    if (tipo == 8) {
      Ver("PasoBienvenido_lblBienvenido", true);
      descripcion = "Este asistente descargará el instalador de los lanzadores Evalora " + v +
                    " para poder utilizarlo después en diferentes equipos.";
    } else if (tipo >= 6) {
      descripcion = "Este asistente descargará el instalador de recursos didácticos Evalora " + v +
                    " para poder utilizarlo después en diferentes equipos. " + peso;
    } else {
      descripcion = "Este asistente descargará el instalador del sistema Evalora " + v +
                    " para poder utilizarlo después en diferentes equipos. " + peso;
    }
  }
  PonerTexto("PasoBienvenido_lblDescripcion", descripcion);
  if (tipo != 2) {
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
      const std::string inicio = estado_.TipoDeAsistente == "8"
                                     ? "Este asistente descargará los instaladores de los lanzadores Evalora "
                                     : "Este asistente descargará los instaladores Evalora ";
      PonerTexto("PasoSClblInstrucciones",
                 inicio + estado_.VersionMayor +
                     " en el Escritorio de Windows.\r\n\r\nSi deseas elegir otra ubicación para la descarga haz "
                     "clic en el botón Examinar.");
    }
  }
  const double tipo = estado_.TipoComoNumero();
  Ver(tipo == 6 || tipo == 7 ? "PicSCRegresar" : "PasoSC_btnCancelar", true);
  MuestraPanel("picSolicitaCarpeta");
}

void frmPrincipal::PasoDescarga() {
  MuestraPanel("picDescargar");
  // A list that could not be read is a failed download, never "everything is there already".
  if (!servicios_.catalogo.ObtenerListaDeArchivos(Suites())) return MuestraPaso("DescargaIncorrecta");
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
      return MuestraPaso("IniciaInstalacion");
    case DecisionDeDescarga::kOfrecerCancelar:
      return ofrecer(kMensajeTodosLosArchivos, "Cancelar descarga");
    case DecisionDeDescarga::kDescargarTodo:
    case DecisionDeDescarga::kDescargarFaltantes:
      return MuestraPaso("IniciaDescarga");
    case DecisionDeDescarga::kOfrecerReanudar:
      segundo->CambiarAcento(paleta_.ColorAzul);
      return ofrecer(kMensajeAlgunosArchivos, "Reanudar descarga");
  }
}

void frmPrincipal::DescargarTodo_Click() {
  estado_.DescargarTodo = true;
  MuestraPaso("IniciaDescarga");
}

void frmPrincipal::ReanudarCancelarDescarga_Click() {
  const std::string texto = RecortarBlancos(Texto("PasoDescargarlblReanudarCancelarDescarga"));
  if (texto == "Reanudar descarga") {
    estado_.DescargarTodo = false;
    MuestraPaso("IniciaDescarga");
  } else if (texto == "Cancelar descarga") {
    servicios_.plataforma.terminacion.Terminar();
  }
}

void frmPrincipal::PasoIniciaDescarga() {
  PonerTexto("LblDescargandoArchivos",
             EsInstalador(estado_) ? "Obteniendo archivos de instalación..." : "Descargando archivos...");
  MuestraPanel("picIniciaDescarga");
  const Plataforma& p = servicios_.plataforma;
  Down = std::make_unique<GestorDeDescargas>(
      estado_, ServiciosDeDescarga{p.archivos, p.reloj, p.eventos, p.procesos}, *this,
      [this](const std::string& texto) { servicios_.catalogo.RegistraFalla(texto); },
      [this](const std::string& paso) { MuestraPaso(paso); });
  Down->Descargar();
  bytesDeLaUltimaDescarga_ = Down->BytesRecibidos;
  Down.reset();
}

void frmPrincipal::PasoDescargaCorrecta() {
  BotonPlano* accion = botones_["lblIniciarAhora"].get();
  if (EsInstalador(estado_)) {
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
  Shell& shell = servicios_.plataforma.shell;
  std::string abrir;
  if (IgualesSinMayusculas(accion, "Iniciar ahora")) {
    abrir = estado_.CarpetaDeInstalacion + "\\EVLogIn.exe";
  } else if (IgualesSinMayusculas(accion, "Abrir la carpeta de la Base de datos")) {
    abrir = estado_.CarpetaBaseDeDatos;
  } else if (IgualesSinMayusculas(accion, "Abrir la carpeta de Descargas")) {
    const std::string& tipo = estado_.TipoDeAsistente;
    abrir = Texto("PasoSCtxtCarpetaDeDescarga") + (tipo == "8" ? std::string("\\Instalador lanzadores Evalora")
                                                   : estado_.TipoComoNumero() < 6
                                                       ? "\\Instalador Evalora " + estado_.Edicion
                                                       : "\\Instalador de Recursos Evalora " + estado_.Edicion);
  } else {
    return;
  }
  // The type's default action, as a double click on it; a failure is not reported: the program
  // ends all the same.
  shell.Abrir(abrir, "", Verbo::kPredeterminado);
  servicios_.plataforma.terminacion.Terminar();
}

void frmPrincipal::PasoDescargaIncorrecta() {
  Tinta("lblProporcioanrDatos", Color{0, 114, 188});
  const char* enlaceAvast = "PasoDI_LblAvastLink";
  const int arribaDelEnlace = Buscar(enlaceAvast)->lugar.y;
  if (EsInstalador(estado_)) {
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

void frmPrincipal::AbrirAyuda(const char* ruta) {
  servicios_.plataforma.shell.Abrir(servicios_.sitioDeAyuda + ruta, "", Verbo::kAbrir);
}

}  // namespace evalora::ui

// The window offscreen over a temporary prefix: its load, the presenter's texts and places for
// the states no scenario reaches before the installation exists, the final actions, closing.
#include "ui/frmPrincipal.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>
#include <filesystem>

#include "VentanaDePrueba.h"
#include "platform/TerminacionProceso.h"
#include "ui/qt/MensajesQt.h"

namespace evalora::ui {
namespace {

using frmPrincipalTest = VentanaDePrueba;

TEST_F(frmPrincipalTest, CargaYTitulos) {
  Crear(6);
  Estado().UsarVariante01TE = false;
  frmPrincipal& ventana = Ventana();
  EXPECT_EQ(qt->size(), QSize(736, 252));
  EXPECT_EQ(qt->minimumSize(), qt->maximumSize());  // a fixed frame
  EXPECT_EQ(Widget("BarraMenu")->geometry(), QRect(0, 0, 736, 33));
  EXPECT_EQ(Fondo(Widget("BarraMenu")), QColor(0, 79, 142));
  EXPECT_EQ(ventana.TituloActual(), "Asistente de Descarga");
  EstablecerTitulos(Estado(), ventana, nullptr);
  EXPECT_EQ(qt->windowTitle().toStdString(),
            "Asistente para la descarga del material didáctico de Evalora 2020 Cloud (Compilación 6)");
  EXPECT_FALSE(qt->findChild<QLabel*>("lblTitulo")->isVisibleTo(qt.get()));
  // Every step panel starts hidden; the header band and its label are dark grey, the label white.
  for (const char* paso :
       {"Paso1", "bienvenida", "IndicaIdEV", "SolicitaSuite", "SolicitaCarpeta", "Descarga", "IniciaDescarga",
        "IniciaInstalacion", "DescargaCorrecta", "DescargaIncorrecta", "Contacto"}) {
    EXPECT_TRUE(ventana.Oculto(frmPrincipal::PanelDelPaso(paso))) << paso;
    EXPECT_TRUE(qt->Widget(frmPrincipal::PanelDelPaso(paso))->isHidden()) << paso;
  }
  QWidget* bienvenido = Widget("PasoBienvenido_lblBienvenido");
  EXPECT_EQ(Fondo(bienvenido), QColor(69, 69, 69));
  EXPECT_EQ(Tinta(bienvenido), QColor(Qt::white));
  QWidget* banda = Widget("PasoBienvenido_picBienvenido");
  EXPECT_EQ(bienvenido->x(), (banda->width() - bienvenido->width()) / 2);
  EXPECT_EQ(bienvenido->y(), (banda->height() - bienvenido->height()) / 2);
}

TEST_F(frmPrincipalTest, NombresDePasoSinMayusculasNiBlancos) {
  Crear(5);
  Ventana().MuestraPaso("Descargas");
  EXPECT_TRUE(Ventana().Oculto("picDescargar"));
  for (const char* paso : {" DESCARGA ", "descarga"}) {
    Ventana().MuestraPaso("Paso1");
    Ventana().MuestraPaso(paso);
    // The catalogue cannot be reached: the list was not read, so the download has failed.
    EXPECT_TRUE(Visible("picDescargaIncorrecta")) << paso;
    EXPECT_FALSE(Visible("picDescargar")) << paso;
  }
}

TEST_F(frmPrincipalTest, BienvenidaConElPesoDelInstalador) {
  Crear(1);
  Estado().PesoInstalador = 1610612736;  // 1.5 GB, shown whole: halves go to even
  Ventana().MuestraPaso("bienvenida");
  EXPECT_EQ(Ventana().Texto("PasoBienvenido_lblDescripcion"),
            "Este asistente descargará e instalará el sistema Evalora 2020 en este equipo. (2 GB)");
  Estado().PesoInstalador = 0;
  Ventana().MuestraPaso("bienvenida");
  EXPECT_EQ(Ventana().Texto("PasoBienvenido_lblDescripcion"),
            "Este asistente descargará e instalará el sistema Evalora 2020 en este equipo. ");
  EXPECT_EQ(Ventana().Texto("PasoBienvenido_lblContinuar"), "Iniciar instalación");

  Crear(8);
  Estado().PesoInstalador = 3147776;
  Ventana().MuestraPaso("bienvenida");
  EXPECT_EQ(Ventana().Texto("PasoBienvenido_lblDescripcion"),
            "Este asistente descargará el instalador de los lanzadores Evalora 2020 para poder utilizarlo después en "
            "diferentes equipos.");
  EXPECT_TRUE(Visible("PasoBienvenido_txtIDLanzador"));

  Crear(2);
  Estado().PesoInstalador = 157286400;
  Ventana().MuestraPaso("bienvenida");
  EXPECT_EQ(Ventana().Texto("PasoBienvenido_lblDescripcion"),
            "Este asistente descargará e instalará la base de datos del sistema Evalora 2020 Local. \r\n(150 MB)");
  EXPECT_FALSE(Visible("PasoBienvenido_txtIDLanzador"));
}

TEST_F(frmPrincipalTest, FallaDeLaInstalacionYDeLaImpresora) {
  Crear(1);
  Estado().InstalacionFallida = true;
  Ventana().MuestraPaso("DescargaIncorrecta");
  EXPECT_EQ(Ventana().Texto("PasoDI_LblOps"),
            "Detectamos problemas durante la instalación.\r\n\r\nVerifica que se cuenten con permisos de administrador "
            "antes de intentarlo nuevamente.");
  EXPECT_EQ(Ventana().Texto("PasoDI_LblAvast"),
            "Importante: Hemos detectado que este equipo tiene instalado el antivirus Avast, lo cual puede ocasionar "
            "problemas en la instalación.");
  EXPECT_EQ(LeftEnTwips("PasoDI_LblAvastLink"), 3195);
  EXPECT_FALSE(Visible("PasoDI_LblAvast"));
  EXPECT_FALSE(Visible("PasoDI_LblImpresora"));

  Crear(3);
  Estado().InstalacionFallida = Estado().ImpresoraNoInstalable = true;
  plataforma->procesos.nombres = {"AvastUI.exe"};
  Ventana().MuestraPaso("DescargaIncorrecta");
  EXPECT_TRUE(Visible("PasoDI_LblImpresora"));
  EXPECT_TRUE(Visible("PasoDI_LblImpresoraLink"));
  EXPECT_FALSE(Visible("PasoDI_LblOps"));
  EXPECT_FALSE(Visible("lbl_AyudaNetFramework"));
  EXPECT_TRUE(Visible("PasoDI_LblAvast"));
  EXPECT_TRUE(Visible("PasoDI_LblAvastLink"));
  EXPECT_TRUE(Ventana().Pulsar("PasoDI_LblImpresoraLink"));
  EXPECT_TRUE(Ventana().Pulsar("PasoDI_LblAvastLink"));
  EXPECT_EQ(plataforma->shell.abiertos, (std::vector<std::string>{"http://ayuda.evalora.mx/u/?u=FAQImpresoraEV",
                                                                  "http://ayuda.evalora.mx/u/?u=DTEVAvast"}));
  // The help pages open with the shell's "open"; the final actions below with the default action.
  EXPECT_EQ(plataforma->shell.verbos, (std::vector<Verbo>{Verbo::kAbrir, Verbo::kAbrir}));

  Crear(6);
  plataforma->procesos.nombres = {"avastui.exe"};
  Ventana().MuestraPaso("DescargaIncorrecta");
  EXPECT_EQ(LeftEnTwips("PasoDI_LblAvastLink"), 3000);
  EXPECT_TRUE(Visible("PasoDI_LblAvast"));
  EXPECT_EQ(Ventana().Texto("PasoDI_LblAvast"),
            "Importante: Hemos detectado que este equipo tiene instalado el antivirus Avast, lo cual puede ocasionar "
            "problemas en la descarga.");
}

TEST_F(frmPrincipalTest, ResultadoCorrectoYSusAcciones) {
  Crear(2);
  Estado().InstalarBaseDeDatos = Estado().AvisoWindowsVista = true;
  Estado().CarpetaBaseDeDatos = "D:\\Escuela";
  Ventana().MuestraPaso("DescargaCorrecta");
  EXPECT_EQ(Ventana().Texto("PasoDCor_LblMensaje"), "La instalación ha finalizado \r\nde forma exitosa.");
  EXPECT_EQ(Widget("PasoDCor_LblMensaje")->y() * kTwipsPorPixel, 705);  // 700 twips, in whole pixels
  EXPECT_TRUE(Visible("PasoDCor_LblWindowsVista"));
  EXPECT_EQ(Ventana().Texto("lblIniciarAhora"), "Abrir la carpeta de la Base de datos");
  EXPECT_THROW(Ventana().Pulsar("picInferiorIniciarAhora"), falsos::ProgramaTerminado);
  EXPECT_EQ(plataforma->shell.abiertos, std::vector<std::string>{"D:\\Escuela"});
  EXPECT_EQ(plataforma->shell.verbos, std::vector<Verbo>{Verbo::kPredeterminado});

  Crear(1);
  Estado().CarpetaDeInstalacion = "C:\\Program Files\\Evalora 2020 Cloud";
  Ventana().MuestraPaso("DescargaCorrecta");
  EXPECT_FALSE(Visible("PasoDCor_LblWindowsVista"));
  EXPECT_THROW(Ventana().Pulsar("lblIniciarAhora"), falsos::ProgramaTerminado);
  EXPECT_EQ(plataforma->shell.abiertos, std::vector<std::string>{"C:\\Program Files\\Evalora 2020 Cloud\\EVLogIn.exe"});
  EXPECT_EQ(plataforma->shell.verbos, std::vector<Verbo>{Verbo::kPredeterminado});
  EXPECT_EQ(plataforma->shell.comoUsuario, std::vector<bool>{false});
}

// A wizard that Windows elevated (the installers) starts the system and opens the help pages as
// the user signed in to the desktop, never with its own elevated token.
TEST_F(frmPrincipalTest, ElevadoSeAbreComoElUsuarioDelEscritorio) {
  Crear(1);
  plataforma->usuario.elevado = true;
  Estado().InstalacionFallida = Estado().ImpresoraNoInstalable = true;
  Ventana().MuestraPaso("DescargaIncorrecta");
  EXPECT_TRUE(Ventana().Pulsar("PasoDI_LblImpresoraLink"));
  Estado().CarpetaDeInstalacion = "C:\\Program Files\\Evalora 2020 Cloud";
  Ventana().MuestraPaso("DescargaCorrecta");
  EXPECT_THROW(Ventana().Pulsar("lblIniciarAhora"), falsos::ProgramaTerminado);
  EXPECT_EQ(plataforma->shell.abiertos, (std::vector<std::string>{"http://ayuda.evalora.mx/u/?u=FAQImpresoraEV",
                                                                  "C:\\Program Files\\Evalora 2020 Cloud\\EVLogIn.exe"}));
  EXPECT_EQ(plataforma->shell.verbos, (std::vector<Verbo>{Verbo::kAbrir, Verbo::kPredeterminado}));
  EXPECT_EQ(plataforma->shell.comoUsuario, (std::vector<bool>{true, true}));
}

TEST_F(frmPrincipalTest, ElPunteroDeVerdad) {
  Crear(6);
  Ventana().Mostrar();
  Ventana().MuestraPaso("bienvenida");
  auto mover = [](QWidget* w) { Raton(w, QEvent::MouseMove); };
  // Onto the button's label: it lights up, and the panel behind it does not put it back at rest.
  mover(Widget("PasoBienvenido_lblContinuar"));
  EXPECT_TRUE(Visible("picInferiorPasoBienvenido_lblContinuar"));
  // Onto another label of the panel: nothing happens; onto the panel: the button rests.
  mover(Widget("PasoBienvenido_lblDescripcion"));
  EXPECT_TRUE(Visible("picInferiorPasoBienvenido_lblContinuar"));
  mover(Widget("PicBienvenida"));
  EXPECT_FALSE(Visible("picInferiorPasoBienvenido_lblContinuar"));
  // A real click on the face is the button's click.
  Raton(Widget("picPasoBienvenido_lblContinuar"), QEvent::MouseButtonRelease);
  EXPECT_TRUE(Visible("PasoBienvenido_lblMensajeLanzador"));  // no ID: the message
  // Typing in the ID box is the box's change: the message goes.
  QTest::keyClicks(Widget("PasoBienvenido_txtIDLanzador"), "AB");
  EXPECT_EQ(Ventana().Texto("PasoBienvenido_txtIDLanzador"), "AB");
  EXPECT_FALSE(Visible("PasoBienvenido_lblMensajeLanzador"));
  // Enter in the box is the step's continue: an ID that is not valid brings the message back.
  QTest::keyClick(Widget("PasoBienvenido_txtIDLanzador"), Qt::Key_Return);
  EXPECT_TRUE(Visible("PasoBienvenido_lblMensajeLanzador"));
}

TEST_F(frmPrincipalTest, ContactoRecibeElFoco) {
  Crear(4);
  Ventana().Mostrar();
  Ventana().MuestraPaso("Contacto");
  EXPECT_EQ(Ventana().Foco(), "PasoDI_txtNombre");
  EXPECT_EQ(qt->focusWidget(), Widget("PasoDI_txtNombre"));
}

TEST_F(frmPrincipalTest, CerrarLaVentanaTerminaElPrograma) {
  Crear(4);
  Ventana().MuestraPaso("bienvenida");
  EXPECT_THROW(Ventana().CerrarPorElUsuario(), falsos::ProgramaTerminado);
  // Through the frame, with the product's end: the process exits at once, without a question.
  auto cerrarConElFinDelProducto = [this] {
    TerminacionProceso fin;
    const Plataforma p = plataforma->Servicios();
    const Plataforma conFin = Sustituir(p, {.terminacion = &fin});
    Asistente otro(conFin, version);
    VentanaQt ventana(otro.Ventana());
    ventana.show();
    ventana.close();
    std::abort();  // not reached
  };
  EXPECT_EXIT(cerrarConElFinDelProducto(), ::testing::ExitedWithCode(0), "");
}

TEST_F(frmPrincipalTest, CajasDeMensaje) {
  QApplication::setApplicationName("Asistente Evalora");
  auto info =
      CrearCajaDeMensaje("El Sistema Evalora ya se está ejecutándo.", kMensajeInformacion, std::string(), nullptr);
  EXPECT_EQ(info->icon(), QMessageBox::Information);
  EXPECT_EQ(info->windowTitle(), "");
  EXPECT_EQ(info->standardButtons(), QMessageBox::Ok);
  EXPECT_EQ(CrearCajaDeMensaje("x", kMensajeAdvertencia, std::string("Evalora"), nullptr)->icon(),
            QMessageBox::Warning);
  auto sinTitulo =
      CrearCajaDeMensaje("No se encontraron archivos para descargar.", kMensajeSinIcono, std::nullopt, nullptr);
  EXPECT_EQ(sinTitulo->icon(), QMessageBox::NoIcon);
  EXPECT_EQ(sinTitulo->windowTitle(), "Asistente Evalora");
}

}  // namespace
}  // namespace evalora::ui

#include "ui/frmPrincipal.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>

#include "core/Texto.h"

namespace evalora::ui {

namespace {

void Fondo(QWidget* w, QColor color) {
  QPalette p = w->palette();
  p.setColor(QPalette::Window, color);
  w->setPalette(p);
  w->setAutoFillBackground(true);
}

// The property that keeps a text exactly as the program wrote it; the control shows it with
// plain line breaks.
constexpr const char* kTextoExacto = "evalora_texto";

QString Visible(const std::string& texto) {
  QString s = QString::fromStdString(texto);
  s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return s;
}

}  // namespace

frmPrincipal::frmPrincipal(EstadoDeEjecucion& estado, ServiciosDeVentana servicios, QWidget* padre)
    : QWidget(padre),
      estado_(estado),
      servicios_(std::move(servicios)),
      barraMenu_(new QWidget(this)),
      lblTitulo_(new QLabel(QString::fromUtf8(kTituloDeDiseno), this)) {
  setObjectName("frmPrincipal");
  barraMenu_->setObjectName("BarraMenu");
  lblTitulo_->setObjectName("lblTitulo");
  lblTitulo_->hide();  // it holds the title; the caption bar shows it
  setMouseTracking(true);
  // Form_Load
  estado_.UsarVariante01TE = true;
  paleta_ = CargaColores();
  CrearPaneles();
  barraPorArchivo_ = Buscar<BarraDeProgreso>("picProgresoPorArchivo");
  barraGeneral_ = Buscar<BarraDeProgreso>("picProgresoGeneral");
  ConfiguraVentana();
}

frmPrincipal::~frmPrincipal() = default;

void frmPrincipal::ConfiguraVentana() {
  // A fixed frame: a caption with the close and minimize buttons, no maximize.
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  setFixedSize(Pixeles(kAnchoTwips), Pixeles(kAltoTwips));
  Fondo(this, paleta_.ColorFondo);
  barraMenu_->setGeometry(0, 0, width(), Pixeles(kAltoBarraMenuTwips));
  Fondo(barraMenu_, paleta_.ColorAzul);
  Fondo(paneles_["PicBienvenida"], paleta_.ColorFondo);
  // The welcome header: the band and its label in dark grey, the label white and centred.
  QWidget* banda = Control("PasoBienvenido_picBienvenido");
  QLabel* bienvenido = Buscar<QLabel>("PasoBienvenido_lblBienvenido");
  Fondo(banda, paleta_.ColorGrisOscuro);
  Fondo(bienvenido, paleta_.ColorGrisOscuro);
  QPalette p = bienvenido->palette();
  p.setColor(QPalette::WindowText, Qt::white);
  bienvenido->setPalette(p);
  bienvenido->move((banda->width() - bienvenido->width()) / 2, (banda->height() - bienvenido->height()) / 2);
  for (auto& [nombre, boton] : botones_) boton->Reposar();
  Buscar<BarraDeProgreso>("picProgresoInstalacion")
      ->Colores(QColor(192, 192, 192), paleta_.ColorGrisOscuro, paleta_.ColorRelleno);
}

QWidget* frmPrincipal::Control(const std::string& nombre) const {
  if (nombre == objectName().toStdString()) return const_cast<frmPrincipal*>(this);
  return findChild<QWidget*>(QString::fromStdString(nombre));
}

void frmPrincipal::PonerTexto(const std::string& nombre, const std::string& texto) {
  QWidget* w = Control(nombre);
  if (!w) return;
  w->setProperty(kTextoExacto, QString::fromStdString(texto));
  if (auto* etiqueta = qobject_cast<QLabel*>(w)) etiqueta->setText(Visible(texto));
  if (auto* caja = qobject_cast<QLineEdit*>(w)) caja->setText(QString::fromStdString(texto));
}

std::string frmPrincipal::Texto(const std::string& nombre) const {
  QWidget* w = Control(nombre);
  if (auto* caja = qobject_cast<QLineEdit*>(w)) return caja->text().toStdString();
  if (auto* casilla = qobject_cast<QCheckBox*>(w)) return casilla->text().toStdString();
  if (!w) return "";
  const QVariant exacto = w->property(kTextoExacto);
  if (auto* etiqueta = qobject_cast<QLabel*>(w)) {
    // A text the program wrote, unless the label was changed around it.
    if (exacto.isValid() && Visible(exacto.toString().toStdString()) == etiqueta->text()) {
      return exacto.toString().toStdString();
    }
    return etiqueta->text().toStdString();
  }
  return exacto.isValid() ? exacto.toString().toStdString() : "";
}

void frmPrincipal::Ver(const std::string& nombre, bool visible) {
  if (QWidget* w = Control(nombre)) w->setVisible(visible);
}

std::string frmPrincipal::TituloActual() const { return lblTitulo_->text().toStdString(); }
void frmPrincipal::EscribirTitulo(const std::string& titulo) { lblTitulo_->setText(QString::fromStdString(titulo)); }
void frmPrincipal::EscribirCaption(const std::string& caption) { setWindowTitle(QString::fromStdString(caption)); }

std::string frmPrincipal::AvisoDePaso1() const { return Texto("Paso1lblMensaje"); }
void frmPrincipal::EscribirAvisoDePaso1(const std::string& texto) { PonerTexto("Paso1lblMensaje", texto); }

void frmPrincipal::AmpliarAvisoDePaso1() {
  QLabel* mensaje = Buscar<QLabel>("Paso1lblMensaje");
  mensaje->resize(mensaje->width(), Pixeles(2100));
  mensaje->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void frmPrincipal::Mostrar() { show(); }

void frmPrincipal::MuestraPanel(QWidget* panel) {
  for (const char* nombre : {"picPaso1", "picSolicitaCarpeta", "picPasoSuite", "picDescargaIncorrecta",
                             "PicDescargaCorrecta", "picDescargar", "picIniciaDescarga",
                             "picEstableceRutaALaBaseDeDatos", "PicInstalando", "PicBienvenida", "picContacto"}) {
    paneles_[nombre]->setVisible(false);
  }
  const int arriba = barraMenu_->y() + barraMenu_->height();
  panel->setGeometry(0, arriba, width(), height() - arriba);
  Fondo(panel, paleta_.ColorFondo);
  panel->setVisible(true);
  panel->repaint();
  if (panel->objectName() == "picContacto") Control("PasoDI_txtNombre")->setFocus();
}

std::string frmPrincipal::PanelDelPaso(const std::string& paso) {
  static const std::pair<const char*, const char*> kPasos[] = {
      {"Paso1", "picPaso1"},
      {"bienvenida", "PicBienvenida"},
      {"SolicitaCarpeta", "picSolicitaCarpeta"},
      {"SolicitaSuite", "picPasoSuite"},
      {"Descarga", "picDescargar"},
      {"IniciaDescarga", "picIniciaDescarga"},
      {"Contacto", "picContacto"},
      {"DescargaIncorrecta", "picDescargaIncorrecta"},
      {"DescargaCorrecta", "PicDescargaCorrecta"},
      {"IniciaInstalacion", "PicInstalando"},
      {"IndicaIdEV", "picEstableceRutaALaBaseDeDatos"},
  };
  const std::string buscado = RecortarBlancos(paso);
  for (const auto& [nombre, panel] : kPasos) {
    if (IgualesSinMayusculas(buscado, nombre)) return panel;
  }
  return "";
}

// --- What the user does -------------------------------------------------------------------

bool frmPrincipal::Pulsar(const std::string& control) {
  if (auto* casilla = Buscar<QCheckBox>(control)) return Marcar(control, !casilla->isChecked());
  const auto clic = clics_.find(control);
  if (clic == clics_.end() || !clic->second) return false;
  clic->second();
  return true;
}

bool frmPrincipal::Marcar(const std::string& control, bool marcado) {
  auto* casilla = Buscar<QCheckBox>(control);
  if (!casilla) return false;
  casilla->setChecked(marcado);
  CalculaPesoEstimado();  // the check boxes' click handler
  return true;
}

bool frmPrincipal::Raton(const std::string& control) {
  if (control == objectName().toStdString()) {
    Form_MouseMove();
    return true;
  }
  const auto movimiento = movimientos_.find(control);
  if (movimiento != movimientos_.end()) {
    movimiento->second();
    return true;
  }
  if (paneles_.count(control)) {
    ReposarPanel(control);
    return true;
  }
  return Control(control) != nullptr;  // a control without pointer handler: nothing happens
}

bool frmPrincipal::TeclaEnter(const std::string& control) {
  if (control == "PasoBienvenido_txtIDLanzador") {
    PasoBienvenido_txtIDLanzador_KeyPress(13);
    return true;
  }
  return Control(control) != nullptr;
}

bool frmPrincipal::eventFilter(QObject* objeto, QEvent* evento) {
  const std::string nombre = objeto->objectName().toStdString();
  if (evento->type() == QEvent::MouseMove) {
    Raton(nombre);
    // A control's pointer move is its own: it does not reach the panel behind it.
    return !paneles_.count(nombre) || QWidget::eventFilter(objeto, evento);
  } else if (evento->type() == QEvent::MouseButtonRelease && qobject_cast<QLabel*>(objeto)) {
    const auto* raton = static_cast<QMouseEvent*>(evento);
    if (raton->button() == Qt::LeftButton && !botones_.count(nombre)) Pulsar(nombre);
  } else if (evento->type() == QEvent::KeyPress) {
    const auto* tecla = static_cast<QKeyEvent*>(evento);
    if (tecla->key() == Qt::Key_Return || tecla->key() == Qt::Key_Enter) TeclaEnter(nombre);
  }
  return QWidget::eventFilter(objeto, evento);  // nothing is consumed
}

void frmPrincipal::mouseMoveEvent(QMouseEvent* evento) {
  Form_MouseMove();
  QWidget::mouseMoveEvent(evento);
}

// --- Pointer -----------------------------------------------------------------------------

void frmPrincipal::Form_MouseMove() {
  ReposarBotones(
      {botones_["PasoBienvenido_lblContinuar"], botones_["lblIniciarAhora"], botones_["PasoDI_lblRegistrar"]});
}

void frmPrincipal::ReposarPanel(const std::string& panel) {
  if (panel == "PicBienvenida" || panel == "PicDescargaCorrecta" || panel == "picContacto") return Form_MouseMove();
  if (panel == "picDescargar") {
    return ReposarBotones(
        {botones_["PasoDescargarlblReanudarCancelarDescarga"], botones_["PasoDescargarlblDescargarTodo"]});
  }
  if (panel == "picEstableceRutaALaBaseDeDatos") {
    return ReposarBotones({botones_["PasoIndicaId_lblContinuar"], botones_["PasoIndicaID_cmdExaminar"]});
  }
  if (panel == "picPasoSuite") return ReposarBotones({botones_["PasoSuitelblContinuar"]});
  if (panel == "picSolicitaCarpeta") {
    return ReposarBotones({botones_["PasoSClblExaminar"], botones_["PasoSC_lblContinuar"]});
  }
}

// --- Closing -----------------------------------------------------------------------------

void frmPrincipal::closeEvent(QCloseEvent* evento) {
  evento->accept();
  CerrarPorElUsuario();
}

void frmPrincipal::CerrarPorElUsuario() {
  // Closing is never refused and ends the program at once. A download in progress stops where it
  // is, below this call: its temporary file stays for the next run's clean-up.
  servicios_.plataforma.terminacion.Terminar();
}

int64_t frmPrincipal::BytesRecibidos() const { return Down ? Down->BytesRecibidos : bytesDeLaUltimaDescarga_; }

// --- The download's bars -----------------------------------------------------------------

void frmPrincipal::Preparar() {
  for (BarraDeProgreso* barra : {barraPorArchivo_, barraGeneral_}) {
    barra->Colores(QColor(192, 192, 192), paleta_.ColorGrisOscuro, paleta_.ColorRelleno);
    DibujarProgreso(*barra, 0);
    barra->show();
  }
}

void frmPrincipal::DibujarArchivo(int32_t porcentaje) { DibujarProgreso(*barraPorArchivo_, porcentaje); }

void frmPrincipal::DibujarGeneral(int32_t porcentaje) { DibujarProgreso(*barraGeneral_, porcentaje); }

void frmPrincipal::Ocultar() {
  for (const char* nombre :
       {"lbProgresoPorArchivo", "picProgresoPorArchivo", "lbProgresoGeneral", "picProgresoGeneral"}) {
    Ver(nombre, false);
  }
}

// --- The installation's panel ------------------------------------------------------------

void frmPrincipal::ProcesoEnEjecucion(const std::string& texto) {
  PonerTexto("PasoInstalando_LblProcesoEnEjecucion", texto);
}

void frmPrincipal::Etapa(const std::string& texto) { PonerTexto("lbProgresoInstalacion", texto); }

void frmPrincipal::Progreso(int32_t porcentaje) {
  DibujarProgreso(*Buscar<BarraDeProgreso>("picProgresoInstalacion"), porcentaje);
}

void frmPrincipal::Refrescar() { repaint(); }

}  // namespace evalora::ui

// The window's design: every step panel with its controls, names, design texts and places (in
// twips). Which of them each step shows and what it writes into them is the presenter's.
#include <QApplication>
#include <QCheckBox>
#include <QPainter>
#include <QPushButton>
#include <QStyle>

#include "ui/frmPrincipal.h"

namespace evalora::ui {

namespace {

QRect T(int izquierda, int arriba, int ancho, int alto) { return QRect(izquierda, arriba, ancho, alto); }

void ColorDeTexto(QWidget* w, QColor color) {
  QPalette p = w->palette();
  p.setColor(QPalette::WindowText, color);
  p.setColor(QPalette::Text, color);
  p.setColor(QPalette::ButtonText, color);
  w->setPalette(p);
}

// A picture: one of the style's standard icons, drawn at the picture's size.
QLabel* Imagen(QWidget* panel, const char* nombre, QStyle::StandardPixmap icono, QRect twips) {
  auto* imagen = new QLabel(panel);
  imagen->setObjectName(nombre);
  const QRect r = RectanguloEnTwips(twips.x(), twips.y(), twips.width(), twips.height());
  imagen->setGeometry(r);
  imagen->setPixmap(QApplication::style()->standardIcon(icono).pixmap(r.size()));
  imagen->setAttribute(Qt::WA_TranslucentBackground);
  return imagen;
}

// The contact picture: an envelope, drawn.
QLabel* IconoDeContacto(QWidget* panel, QRect twips, QColor color) {
  auto* imagen = new QLabel(panel);
  imagen->setObjectName("PicIconoContacto");
  const QRect r = RectanguloEnTwips(twips.x(), twips.y(), twips.width(), twips.height());
  imagen->setGeometry(r);
  QPixmap sobre(r.size());
  sobre.fill(Qt::transparent);
  QPainter p(&sobre);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF cuerpo(2, r.height() * 0.2, r.width() - 4, r.height() * 0.6);
  p.setPen(QPen(color, 2));
  p.setBrush(Qt::white);
  p.drawRect(cuerpo);
  p.drawLine(cuerpo.topLeft(), QPointF(cuerpo.center().x(), cuerpo.center().y() + 2));
  p.drawLine(cuerpo.topRight(), QPointF(cuerpo.center().x(), cuerpo.center().y() + 2));
  p.end();
  imagen->setPixmap(sobre);
  return imagen;
}

}  // namespace

QWidget* frmPrincipal::Panel(const char* nombre) {
  auto* panel = new QWidget(this);
  panel->setObjectName(nombre);
  panel->setMouseTracking(true);
  panel->installEventFilter(this);
  panel->hide();
  paneles_[nombre] = panel;
  return panel;
}

QLabel* frmPrincipal::Etiqueta(QWidget* panel, const char* nombre, const std::string& texto, QRect twips,
                               bool ajustar) {
  auto* etiqueta = new QLabel(panel);
  etiqueta->setObjectName(nombre);
  etiqueta->setGeometry(RectanguloEnTwips(twips.x(), twips.y(), twips.width(), twips.height()));
  etiqueta->setWordWrap(ajustar);
  etiqueta->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  etiqueta->setMouseTracking(true);
  etiqueta->installEventFilter(this);
  PonerTexto(nombre, texto);
  return etiqueta;
}

QLabel* frmPrincipal::Enlace(QWidget* panel, const char* nombre, const std::string& texto, QRect twips,
                             std::function<void()> alPulsar) {
  QLabel* enlace = Etiqueta(panel, nombre, texto, twips);
  QFont letra = enlace->font();
  letra.setUnderline(true);
  enlace->setFont(letra);
  ColorDeTexto(enlace, QColor(0, 79, 142));
  enlace->setCursor(Qt::PointingHandCursor);
  clics_[nombre] = std::move(alPulsar);
  return enlace;
}

QLineEdit* frmPrincipal::CajaDeTexto(QWidget* panel, const char* nombre, QRect twips) {
  auto* caja = new QLineEdit(panel);
  caja->setObjectName(nombre);
  caja->setGeometry(RectanguloEnTwips(twips.x(), twips.y(), twips.width(), twips.height()));
  caja->installEventFilter(this);
  return caja;
}

BotonPlano* frmPrincipal::Boton(QWidget* panel, const char* etiqueta, const char* cara, const char* barra,
                                const std::string& texto, QColor acento, QRect twips, std::function<void()> alPulsar) {
  auto* boton = new BotonPlano(panel, etiqueta, cara, barra, QString::fromStdString(texto), acento, paleta_);
  boton->Colocar(twips.x(), twips.y(), twips.width(), twips.height());
  boton->alPulsar = alPulsar;
  botones_[etiqueta] = boton;
  for (const char* parte : {etiqueta, cara, barra}) {
    clics_[parte] = alPulsar;
    movimientos_[parte] = [boton] { boton->Resaltar(); };
  }
  return boton;
}

void frmPrincipal::CrearPaneles() {
  CrearPaso1(Panel("picPaso1"));
  CrearBienvenida(Panel("PicBienvenida"));
  CrearIndicaId(Panel("picEstableceRutaALaBaseDeDatos"));
  CrearSuite(Panel("picPasoSuite"));
  CrearSolicitaCarpeta(Panel("picSolicitaCarpeta"));
  CrearDescargar(Panel("picDescargar"));
  CrearIniciaDescarga(Panel("picIniciaDescarga"));
  CrearInstalando(Panel("PicInstalando"));
  CrearDescargaCorrecta(Panel("PicDescargaCorrecta"));
  CrearDescargaIncorrecta(Panel("picDescargaIncorrecta"));
  CrearContacto(Panel("picContacto"));
}

void frmPrincipal::CrearPaso1(QWidget* panel) {
  Imagen(panel, "PicWarning", QStyle::SP_MessageBoxWarning, T(400, 450, 720, 720))->hide();
  Etiqueta(panel, "Paso1lblEspere", "Espera un momento, estamos consultando la versión del Asistente",
           T(1400, 250, 9200, 400));
  QLabel* mensaje = Etiqueta(panel, "Paso1lblMensaje", "este es el texto", T(1400, 450, 9200, 1200));
  mensaje->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
}

void frmPrincipal::CrearBienvenida(QWidget* panel) {
  auto* banda = new QWidget(panel);
  banda->setObjectName("PasoBienvenido_picBienvenido");
  banda->setGeometry(RectanguloEnTwips(0, 0, kAnchoTwips, 600));
  banda->setMouseTracking(true);
  QLabel* bienvenido = Etiqueta(banda, "PasoBienvenido_lblBienvenido", "Bienvenid@", T(0, 0, 3000, 450), false);
  bienvenido->setAlignment(Qt::AlignCenter);
  QFont grande = bienvenido->font();
  grande.setPointSizeF(grande.pointSizeF() * 1.5);
  grande.setBold(true);
  bienvenido->setFont(grande);
  Etiqueta(panel, "PasoBienvenido_lblDescripcion", "", T(600, 800, 9840, 800));
  Etiqueta(panel, "PasoBienvenido_lblIDLanzador", "", T(600, 1700, 5000, 300))->hide();
  CajaDeTexto(panel, "PasoBienvenido_txtIDLanzador", T(600, 2000, 3000, 375))->hide();
  QLabel* mensaje =
      Etiqueta(panel, "PasoBienvenido_lblMensajeLanzador", "* El ID no es válido", T(3750, 2040, 4100, 300), false);
  ColorDeTexto(mensaje, QColor(200, 0, 0));
  mensaje->hide();
  Boton(panel, "PasoBienvenido_lblContinuar", "picPasoBienvenido_lblContinuar",
        "picInferiorPasoBienvenido_lblContinuar", "Iniciar instalación", paleta_.ColorAcento, T(8040, 2550, 2400, 495),
        [this] { PasoBienvenido_lblContinuar_Click(); });
  connect(Buscar<QLineEdit>("PasoBienvenido_txtIDLanzador"), &QLineEdit::textChanged, this,
          [this] { PasoBienvenido_txtIDLanzador_Change(); });
}

void frmPrincipal::CrearIndicaId(QWidget* panel) {
  Etiqueta(panel, "PasoIndicaId_lblInstrucciones",
           "Escribe el ID de la Base de datos Evalora y la carpeta o ruta de red en la que deberá instalarse.",
           T(600, 250, 9840, 450));
  Etiqueta(panel, "PasoIndicaId_lblID", "ID de la Base de datos:", T(600, 800, 4000, 300));
  CajaDeTexto(panel, "PasoIndicaId_txtID", T(600, 1100, 3000, 375));
  Etiqueta(panel, "PasoIndicaId_lblPathBD",
           "Ubicación de la Base de datos (carpeta o ruta de red):", T(600, 1600, 7000, 300));
  CajaDeTexto(panel, "PasoIndicaId_txtPathBD", T(600, 1900, 6900, 375));
  Boton(panel, "PasoIndicaID_cmdExaminar", "picPasoIndicaID_cmdExaminar", "picInferiorPasoIndicaID_cmdExaminar",
        "Examinar...", paleta_.ColorAzul, T(7800, 1860, 2640, 450), [this] { PasoIndicaID_cmdExaminar_Click(); });
  Boton(panel, "PasoIndicaId_lblContinuar", "picPasoIndicaId_lblContinuar", "picInferiorPasoIndicaId_lblContinuar",
        "Continuar", paleta_.ColorAcento, T(8040, 2600, 2400, 495), [this] { PasoIndicaId_btnContinuar_Click(); });
}

void frmPrincipal::CrearSuite(QWidget* panel) {
  Etiqueta(panel, "lblPaso5Instrucciones2", "Selecciona la suite de la cual deseas descargar el material didáctico",
           T(600, 250, 9840, 400));
  struct Casilla {
    const char* nombre;
    const char* texto;
    const char* ayuda;
    int izquierda, arriba;
  };
  const Casilla casillas[] = {
      {"PasoSuitechkOffice2010", "MS Office 2010", "Incluye Word, Excel y PowerPoint", 600, 800},
      {"PasoSuitechkOffice2013", "MS Office 2013", "Incluye Word, Excel, PowerPoint y Access", 600, 1200},
      {"PasoSuitechkOffice2016", "MS Office 2016", "Incluye Word, Excel, PowerPoint, Access y Outlook", 600, 1600},
      {"PasoSuitechkOffice2019", "MS Office 2019", "Incluye Word, Excel, PowerPoint, Access y Outlook", 600, 2000},
      {"PasoSuitechkAdobeCS6", "Adobe CS6", "Incluye Dreamweaver, Flash y Photoshop", 3600, 800},
      {"PasoSuitechkAdobeCC2014", "Adobe CC", "Incluye Photoshop", 3600, 1200},
      {"PasoSuitechkProgramacion", "Programación", "Incluye Fundamentos de programación", 3600, 1600},
  };
  for (const Casilla& c : casillas) {
    auto* caja = new QCheckBox(QString::fromUtf8(c.texto), panel);
    caja->setObjectName(c.nombre);
    caja->setToolTip(QString::fromUtf8(c.ayuda));
    caja->setGeometry(RectanguloEnTwips(c.izquierda, c.arriba, 2800, 330));
    caja->setAutoFillBackground(true);
    QPalette p = caja->palette();
    p.setColor(caja->backgroundRole(), paleta_.ColorFondo);
    caja->setPalette(p);
    ColorDeTexto(caja, QColor(255, 128, 0));
    connect(caja, &QCheckBox::clicked, this, [this] { CalculaPesoEstimado(); });
  }
  Etiqueta(panel, "PasoSuite_LblPesoEstimado", "Peso estimado", T(6800, 800, 3640, 700))->hide();
  Boton(panel, "PasoSuitelblContinuar", "picPasoSuitelblContinuar", "picInferiorPasoSuitelblContinuar", "Continuar",
        paleta_.ColorAcento, T(8040, 2600, 2400, 495), [this] { PasoSuitebtnContinuar_Click(); });
}

void frmPrincipal::CrearSolicitaCarpeta(QWidget* panel) {
  Etiqueta(panel, "PasoSClblInstrucciones",
           "Elige la carpeta en la que deseas colocar los archivos que vas a descargar.", T(600, 250, 9840, 900));
  CajaDeTexto(panel, "PasoSCtxtCarpetaDeDescarga", T(600, 1300, 6900, 375))->setReadOnly(true);
  Boton(panel, "PasoSClblExaminar", "picPasoSClblExaminar", "picInferiorPasoSClblExaminar", "Examinar...",
        paleta_.ColorAzul, T(7800, 1260, 2640, 450), [this] { PasoSCPicExaminar_Click(); });
  Boton(panel, "PasoSC_lblContinuar", "picPasoSC_lblContinuar", "picInferiorPasoSC_lblContinuar", "Continuar",
        paleta_.ColorAcento, T(8040, 2600, 2400, 495), [this] { PasoSC_Continuar_Click(); });
  auto* cancelar = new QPushButton(QStringLiteral("Cancelar"), panel);
  cancelar->setObjectName("PasoSC_btnCancelar");
  cancelar->setGeometry(RectanguloEnTwips(6000, 2650, 1800, 400));
  cancelar->hide();
  clics_["PasoSC_btnCancelar"] = [this] { servicios_.plataforma.terminacion.Terminar(); };
  connect(cancelar, &QPushButton::clicked, this, [this] { clics_["PasoSC_btnCancelar"](); });
  QLabel* regresar = Imagen(panel, "PicSCRegresar", QStyle::SP_ArrowBack, T(600, 2600, 495, 495));
  regresar->setCursor(Qt::PointingHandCursor);
  regresar->setToolTip(QStringLiteral("Regresar"));
  regresar->installEventFilter(this);
  regresar->hide();
  clics_["PicSCRegresar"] = [this] { MuestraPaso("SolicitaSuite"); };
  movimientos_["PasoSClblInstrucciones"] = [this] { ReposarPanel("picSolicitaCarpeta"); };
}

void frmPrincipal::CrearDescargar(QWidget* panel) {
  QLabel* instrucciones =
      Etiqueta(panel, "PasoDescargarlblInstrucciones",
               "Estamos obteniendo los archivos a descargar. Espera un momento ...", T(600, 1200, 9840, 400));
  instrucciones->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  QLabel* mensaje = Etiqueta(panel, "PasoDescargarlblMensaje", "", T(600, 500, 9840, 700));
  mensaje->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  mensaje->hide();
  Boton(panel, "PasoDescargarlblDescargarTodo", "picPasoDescargarlblDescargarTodo",
        "picInferiorPasoDescargarlblDescargarTodo", "Descargar todo", paleta_.ColorAcento, T(2400, 1700, 2800, 495),
        [this] { DescargarTodo_Click(); })
      ->Mostrar(false);
  Boton(panel, "PasoDescargarlblReanudarCancelarDescarga", "picPasoDescargarlblReanudarCancelarDescarga",
        "picinferiorPasoDescargarlblReanudarCancelarDescarga", "Cancelar descarga", paleta_.ColorRojo,
        T(5840, 1700, 2800, 495), [this] { ReanudarCancelarDescarga_Click(); })
      ->Mostrar(false);
}

void frmPrincipal::CrearIniciaDescarga(QWidget* panel) {
  QLabel* titulo = Etiqueta(panel, "LblDescargandoArchivos", "", T(600, 250, 9840, 400));
  QFont negrita = titulo->font();
  negrita.setBold(true);
  titulo->setFont(negrita);
  Etiqueta(panel, "lbProgresoPorArchivo", "Progreso por archivo ...", T(600, 850, 5000, 300));
  auto* porArchivo = new BarraDeProgreso(panel);
  porArchivo->setObjectName("picProgresoPorArchivo");
  porArchivo->setGeometry(RectanguloEnTwips(600, 1150, 9840, 345));
  Etiqueta(panel, "lbProgresoGeneral", "Progreso general ...", T(600, 1750, 5000, 300));
  auto* general = new BarraDeProgreso(panel);
  general->setObjectName("picProgresoGeneral");
  general->setGeometry(RectanguloEnTwips(600, 2050, 9840, 345));
}

void frmPrincipal::CrearInstalando(QWidget* panel) {
  QLabel* proceso = Etiqueta(panel, "PasoInstalando_LblProcesoEnEjecucion", "Instalando...", T(600, 400, 9840, 400));
  QFont negrita = proceso->font();
  negrita.setBold(true);
  proceso->setFont(negrita);
  Etiqueta(panel, "lbProgresoInstalacion", "", T(600, 1150, 9840, 300));
  auto* barra = new BarraDeProgreso(panel);
  barra->setObjectName("picProgresoInstalacion");
  barra->setGeometry(RectanguloEnTwips(600, 1500, 9840, 345));
}

void frmPrincipal::CrearDescargaCorrecta(QWidget* panel) {
  Imagen(panel, "PasoDCor_picIcono", QStyle::SP_DialogApplyButton, T(600, 700, 720, 720));
  QLabel* mensaje = Etiqueta(panel, "PasoDCor_LblMensaje", "", T(1600, 900, 8400, 700));
  QFont grande = mensaje->font();
  grande.setPointSizeF(grande.pointSizeF() * 1.3);
  mensaje->setFont(grande);
  Etiqueta(panel, "PasoDCor_LblWindowsVista",
           "Es importante que al terminar de instalar Evalora, instales el SP1 y el SP2 para Windows Vista a fin de "
           "evitar experimentes problemas con la red local.",
           T(1600, 1500, 8800, 700))
      ->hide();
  Boton(panel, "lblIniciarAhora", "picIniciarAhora", "picInferiorIniciarAhora", "Iniciar ahora", paleta_.ColorAcento,
        T(6240, 2600, 4200, 495), [this] { lblIniciarAhora_Click(); });
}

void frmPrincipal::CrearDescargaIncorrecta(QWidget* panel) {
  Imagen(panel, "PasoDI_picIcono", QStyle::SP_MessageBoxCritical, T(300, 300, 720, 720));
  Etiqueta(panel, "PasoDI_LblOps", "", T(1300, 250, 9400, 900));
  Etiqueta(panel, "PasoDI_LblImpresora",
           "Se encontró una situación que no permite instalar la impresora Evalora en este equipo.",
           T(1300, 250, 9400, 900))
      ->hide();
  Enlace(panel, "lbl_AyudaNetFramework",
         "Haz clic aquí para obtener ayuda sobre como activar el componente Netframework 2.0", T(1300, 1200, 9400, 300),
         [this] { AbrirAyuda(kAyudaNetFramework); })
      ->hide();
  Enlace(panel, "PasoDI_LblImpresoraLink",
         "Haz clic aquí para obtener ayuda sobre como instalar la impresora manualmente.", T(1300, 1200, 9400, 300),
         [this] { AbrirAyuda(kAyudaImpresora); })
      ->hide();
  Etiqueta(panel, "PasoDI_LblAvast",
           "Importante: Hemos detectado que este equipo tiene instalado el antivirus Avast, lo cual puede ocasionar "
           "problemas en la descarga.",
           T(1300, 1550, 9400, 500))
      ->hide();
  Enlace(panel, "PasoDI_LblAvastLink", "Haz clic aquí para obtener información sobre esto y cómo solucionarlo.",
         T(3000, 2050, 7700, 300), [this] { AbrirAyuda(kAyudaAvast); })
      ->hide();
  QLabel* ayuda = Etiqueta(panel, "PasoDI_LblInstruccionesCorreo", "¿Necesitas ayuda?", T(1300, 2600, 2000, 300));
  QFont negrita = ayuda->font();
  negrita.setBold(true);
  ayuda->setFont(negrita);
  Enlace(panel, "lblProporcioanrDatos", "Haz clic aquí para solicitar ayuda personalizada", T(3300, 2600, 6000, 300),
         [this] { MuestraPaso("Contacto"); });
}

void frmPrincipal::CrearContacto(QWidget* panel) {
  IconoDeContacto(panel, T(400, 300, 720, 720), paleta_.ColorAzul);
  Etiqueta(panel, "PasoDI_LblInstruccionesContacto",
           "Proporciónanos tus datos y nuestro personal de soporte técnico se pondrá en contacto contigo. ",
           T(1300, 250, 8400, 450));
  Etiqueta(panel, "PasoDI_LblNombre", "Nombre:", T(1300, 850, 2400, 300));
  CajaDeTexto(panel, "PasoDI_txtNombre", T(3800, 800, 5000, 375));
  Etiqueta(panel, "PasoDI_LblCorreo", "Correo electrónico:", T(1300, 1300, 2400, 300));
  CajaDeTexto(panel, "PasoDI_txtCorreo", T(3800, 1250, 5000, 375));
  Etiqueta(panel, "PasoDI_LblTelefono", "Teléfono (Opcional):", T(1300, 1750, 2400, 300));
  CajaDeTexto(panel, "PasoDI_txtTelefono", T(3800, 1700, 3000, 375));
  Etiqueta(panel, "PasoDI_LblTelefono2", "(Incluye lada y código de tu país)", T(6900, 1750, 4000, 300));
  Boton(panel, "PasoDI_lblRegistrar", "PasoDI_picRegistrar", "PasoDI_picInferiorRegistrar", "Registrar datos",
        paleta_.ColorAcento, T(7800, 2450, 2640, 495), [this] { PasoDI_btnRegistrar_Click(); });
}

}  // namespace evalora::ui

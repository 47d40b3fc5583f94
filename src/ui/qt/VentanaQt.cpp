#include "ui/qt/VentanaQt.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <algorithm>

#include "ui/qt/AccesibleQt.h"
#include "ui/qt/BarraDeProgreso.h"

namespace evalora::ui {

namespace {

QColor Q(Color c) { return QColor(c.r, c.g, c.b); }

QRect EnPixeles(const Rect& r) { return QRect(Pixeles(r.x), Pixeles(r.y), Pixeles(r.ancho), Pixeles(r.alto)); }

// The text as the control shows it: plain line breaks.
QString Visible(const std::string& texto) {
  QString s = QString::fromStdString(texto);
  s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return s;
}

// A bar's value drawn; none clears the picture.
void MostrarPorcentaje(BarraDeProgreso& barra, std::optional<int32_t> porcentaje) {
  if (porcentaje) {
    DibujarProgreso(barra, *porcentaje);
  } else {
    barra.Limpiar();
  }
}

void PintarFondo(QWidget* w, Color color) {
  if (w->autoFillBackground() && w->palette().color(w->backgroundRole()) == Q(color)) return;  // as it is
  QPalette p = w->palette();
  p.setColor(w->backgroundRole(), Q(color));
  w->setPalette(p);
  w->setAutoFillBackground(true);
}

void PintarTinta(QWidget* w, Color color) {
  const QPalette& actual = w->palette();
  const QColor tinta = Q(color);
  if (actual.color(QPalette::WindowText) == tinta && actual.color(QPalette::Text) == tinta &&
      actual.color(QPalette::ButtonText) == tinta) {
    return;  // as it is
  }
  QPalette p = w->palette();
  p.setColor(QPalette::WindowText, Q(color));
  p.setColor(QPalette::Text, Q(color));
  p.setColor(QPalette::ButtonText, Q(color));
  w->setPalette(p);
}

// The contact picture: an envelope, drawn.
QPixmap Sobre(QSize tamano, QColor color) {
  QPixmap sobre(tamano);
  sobre.fill(Qt::transparent);
  QPainter p(&sobre);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF cuerpo(2, tamano.height() * 0.2, tamano.width() - 4, tamano.height() * 0.6);
  p.setPen(QPen(color, 2));
  p.setBrush(Qt::white);
  p.drawRect(cuerpo);
  p.drawLine(cuerpo.topLeft(), QPointF(cuerpo.center().x(), cuerpo.center().y() + 2));
  p.drawLine(cuerpo.topRight(), QPointF(cuerpo.center().x(), cuerpo.center().y() + 2));
  return sobre;
}

QPixmap Dibujo(const Control& c, QSize tamano) {
  QStyle::StandardPixmap icono = QStyle::SP_MessageBoxWarning;
  switch (c.icono) {
    case Icono::kSobre:
      return Sobre(tamano, Q(c.tinta.value_or(kNegro)));
    case Icono::kError:
      icono = QStyle::SP_MessageBoxCritical;
      break;
    case Icono::kCorrecto:
      icono = QStyle::SP_DialogApplyButton;
      break;
    case Icono::kRegresar:
      icono = QStyle::SP_ArrowBack;
      break;
    default:
      break;
  }
  return QApplication::style()->standardIcon(icono).pixmap(tamano);
}

}  // namespace

VentanaQt::VentanaQt(frmPrincipal& forma) : forma_(forma) {
  setObjectName(QString::fromStdString(forma.Nombre()));
  MarcarContenedor(this);  // before anything asks Qt for the window's interface
  // A fixed frame: a caption with the close and minimize buttons, no maximize.
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  const QRect lugar = EnPixeles(forma.Lugar());
  setFixedSize(lugar.size());
  PintarFondo(this, forma.FondoEfectivo(forma.Nombre()));
  setMouseTracking(true);
  const auto& controles = forma.Controles();
  for (const Control& c : controles) widgets_.push_back(Crear(c, c.padre < 0 ? this : widgets_[c.padre]));
  barras_.resize(widgets_.size());
  Reordenar(-1);
  for (size_t i = 0; i < controles.size(); ++i) {
    Reordenar(static_cast<int>(i));
    Actualizar(static_cast<int>(i));
  }
  setWindowTitle(QString::fromStdString(forma.Caption()));
  anuncio_ = CrearAnuncio(this);
  forma_.UsarVista(this);
}

VentanaQt::~VentanaQt() {
  if (forma_.VistaActual() == this) forma_.UsarVista(nullptr);
}

QWidget* VentanaQt::Crear(const Control& c, QWidget* padre) {
  QWidget* w = nullptr;
  switch (c.clase) {
    case Clase::kPanel:
      w = new QWidget(padre);
      MarcarContenedor(w);
      break;
    case Clase::kEtiqueta:
      w = new QLabel(padre);
      break;
    case Clase::kCaja: {
      auto* caja = new QLineEdit(padre);
      const std::string nombre = c.nombre;
      connect(caja, &QLineEdit::textEdited, this,
              [this, nombre](const QString& texto) { forma_.Escribir(nombre, texto.toStdString()); });
      w = caja;
      break;
    }
    case Clase::kCasilla: {
      auto* casilla = new QCheckBox(padre);
      const std::string nombre = c.nombre;
      connect(casilla, &QCheckBox::clicked, this, [this, nombre](bool marcado) { forma_.Marcar(nombre, marcado); });
      w = casilla;
      break;
    }
    case Clase::kBoton: {
      auto* boton = new QPushButton(padre);
      const std::string nombre = c.nombre;
      connect(boton, &QPushButton::clicked, this, [this, nombre] { forma_.Pulsar(nombre); });
      w = boton;
      break;
    }
    case Clase::kImagen: {
      auto* imagen = new QLabel(padre);
      imagen->setAttribute(Qt::WA_TranslucentBackground);
      w = imagen;
      break;
    }
    case Clase::kBarra:
      w = new BarraDeProgreso(padre);
      break;
  }
  w->setObjectName(QString::fromStdString(c.nombre));
  if (c.recibeRaton) {
    w->setMouseTracking(true);
    w->installEventFilter(this);
  }
  if (c.mano) w->setCursor(Qt::PointingHandCursor);
  if (!c.ayuda.empty()) w->setToolTip(QString::fromStdString(c.ayuda));
  if (c.clase == Clase::kCaja) w->installEventFilter(this);  // its Enter key
  // The keyboard reaches what the form makes tabulable, nothing else: its keys and its focus go to
  // the form.
  w->setFocusPolicy(c.tabulable ? Qt::StrongFocus : Qt::NoFocus);
  if (c.tabulable) w->installEventFilter(this);
  return w;
}

QFont VentanaQt::LetraDe(const Control& c) const {
  QFont letra = QApplication::font(widgets_[forma_.Indice(c.nombre)]);
  if (c.letra.puntos > 0) {
    letra.setPointSize(c.letra.puntos);
  } else if (c.letra.escala != 1.0) {
    letra.setPointSizeF(letra.pointSizeF() * c.letra.escala);
  }
  letra.setBold(c.letra.negrita);
  letra.setUnderline(c.letra.subrayada);
  return letra;
}

void VentanaQt::Actualizar(int indice) {
  const Control& c = forma_.Controles()[indice];
  QWidget* w = widgets_[indice];
  if (c.clase == Clase::kBarra) {
    // A download redraws its bars thousands of times with nothing new but the percentage.
    std::optional<Control>& aplicada = barras_[static_cast<size_t>(indice)];
    if (aplicada) {
      const auto porcentaje = aplicada->porcentaje;
      aplicada->porcentaje = c.porcentaje;
      if (*aplicada == c) {
        MostrarPorcentaje(*static_cast<BarraDeProgreso*>(w), c.porcentaje);
        ValorAccesible(w, c.porcentaje.value_or(0));
        // Its label may have changed (the installation's stage names the bar).
        if (const QString nombre = QString::fromStdString(forma_.NombreAccesible(indice));
            w->accessibleName() != nombre) {
          w->setAccessibleName(nombre);
        }
        return;
      }
      aplicada->porcentaje = porcentaje;
    }
    aplicada = c;
  }
  if (const QRect lugar = EnPixeles(c.lugar); w->geometry() != lugar) w->setGeometry(lugar);
  if (c.fondo) PintarFondo(w, *c.fondo);
  if (c.tinta && c.clase != Clase::kBarra) PintarTinta(w, *c.tinta);
  if (const QFont letra = LetraDe(c); w->font() != letra) w->setFont(letra);
  w->setEnabled(c.habilitado);
  Accesible(w, c, forma_.NombreAccesible(indice));
  if (auto* etiqueta = qobject_cast<QLabel*>(w); etiqueta && c.clase == Clase::kEtiqueta) {
    etiqueta->setText(Visible(c.texto));
    etiqueta->setWordWrap(c.ajustar);
    etiqueta->setAlignment((c.horizontal == Horizontal::kCentro ? Qt::AlignHCenter : Qt::AlignLeft) |
                           (c.vertical == Vertical::kCentro ? Qt::AlignVCenter : Qt::AlignTop));
  } else if (auto* imagen = qobject_cast<QLabel*>(w); imagen && c.clase == Clase::kImagen) {
    imagen->setPixmap(Dibujo(c, w->size()));
  } else if (auto* caja = qobject_cast<QLineEdit*>(w)) {
    if (caja->text().toStdString() != c.texto) caja->setText(QString::fromStdString(c.texto));
    caja->setReadOnly(c.soloLectura);
  } else if (auto* casilla = qobject_cast<QCheckBox*>(w)) {
    casilla->setText(QString::fromStdString(c.texto));
    casilla->setChecked(c.marcado);
  } else if (auto* boton = qobject_cast<QPushButton*>(w)) {
    boton->setText(QString::fromStdString(c.texto));
  } else if (auto* barra = dynamic_cast<BarraDeProgreso*>(w)) {
    barra->Colores(Q(c.fondo.value_or(Color{192, 192, 192})), Q(c.tinta.value_or(Color{69, 69, 69})), Q(c.relleno));
    MostrarPorcentaje(*barra, c.porcentaje);
  }
  w->setVisible(c.visible);
}

void VentanaQt::Reordenar(int padre) {
  for (int hijo : forma_.Hijos(padre)) widgets_[hijo]->raise();
}

void VentanaQt::Enfocar(int control) { widgets_[control]->setFocus(); }

void VentanaQt::AnunciarPaso() {
  if (anunciando_) return;
  anunciando_ = true;
  // From the loop: by then the program has written the step's texts.
  QMetaObject::invokeMethod(
      this,
      [this] {
        anunciando_ = false;
        if (const std::string mensaje = forma_.MensajeDelPaso(); !mensaje.empty()) Anunciar(anuncio_, mensaje);
      },
      Qt::QueuedConnection);
}
void VentanaQt::EscribirCaption(const std::string& caption) { setWindowTitle(QString::fromStdString(caption)); }
void VentanaQt::Mostrar() { show(); }
void VentanaQt::Ocultar() { hide(); }
void VentanaQt::Refrescar() { repaint(); }

bool VentanaQt::Capturar(const std::string& archivo) { return grab().save(QString::fromStdString(archivo)); }

QWidget* VentanaQt::Widget(const std::string& nombre) const {
  if (nombre == forma_.Nombre()) return const_cast<VentanaQt*>(this);
  const int i = forma_.Indice(nombre);
  return i < 0 ? nullptr : widgets_[i];
}

std::vector<QWidget*> VentanaQt::HijosEnOrden(const QWidget* padre) const {
  // Each control's place in what a reader finds; a panel's is that of the first thing in it.
  const auto& controles = forma_.Controles();
  std::vector<size_t> lugar(controles.size(), controles.size());
  const std::vector<int> orden = forma_.OrdenAccesible();
  for (size_t k = orden.size(); k-- > 0;) {
    for (int i = orden[k]; i >= 0; i = controles[static_cast<size_t>(i)].padre) lugar[static_cast<size_t>(i)] = k;
  }
  std::vector<std::pair<size_t, QWidget*>> hijos;
  for (QWidget* hijo : padre->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (hijo->isWindow()) continue;
    const auto i = std::find(widgets_.begin(), widgets_.end(), hijo);
    hijos.emplace_back(i == widgets_.end() ? controles.size() : lugar[static_cast<size_t>(i - widgets_.begin())], hijo);
  }
  std::stable_sort(hijos.begin(), hijos.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<QWidget*> enOrden;
  for (const auto& [k, hijo] : hijos) enOrden.push_back(hijo);
  return enOrden;
}

bool VentanaQt::eventFilter(QObject* objeto, QEvent* evento) {
  const std::string nombre = objeto->objectName().toStdString();
  if (evento->type() == QEvent::MouseMove) {
    forma_.PunteroSobre(nombre);
    return true;  // the control's own: it does not reach the panel behind it
  }
  if (evento->type() == QEvent::MouseButtonRelease && !qobject_cast<QLineEdit*>(objeto)) {
    const auto* raton = static_cast<QMouseEvent*>(evento);
    const auto* w = static_cast<QWidget*>(objeto);
    if (raton->button() == Qt::LeftButton && w->rect().contains(raton->position().toPoint())) forma_.Pulsar(nombre);
  } else if (evento->type() == QEvent::KeyPress) {
    const auto* tecla = static_cast<QKeyEvent*>(evento);
    const bool enter = tecla->key() == Qt::Key_Return || tecla->key() == Qt::Key_Enter;
    if (qobject_cast<QLineEdit*>(objeto)) {
      if (enter) forma_.TeclaEnter(nombre);
    } else if (enter || tecla->key() == Qt::Key_Space) {
      // On a drawn control, a check box or a push button: the form acts on the control that has
      // the key, as a click.
      if (forma_.Foco() != nombre) forma_.Enfocar(nombre);
      forma_.PulsarTecla(enter ? frmPrincipal::Tecla::kEnter : frmPrincipal::Tecla::kEspacio);
      return true;
    }
  } else if (evento->type() == QEvent::FocusIn && forma_.Foco() != nombre) {
    forma_.Enfocar(nombre);  // the pointer put it there
  }
  return QWidget::eventFilter(objeto, evento);  // nothing else is consumed
}

bool VentanaQt::focusNextPrevChild(bool siguiente) {
  forma_.PulsarTecla(siguiente ? frmPrincipal::Tecla::kTab : frmPrincipal::Tecla::kShiftTab);
  return true;
}

void VentanaQt::mouseMoveEvent(QMouseEvent* evento) {
  forma_.Raton(forma_.Nombre());
  QWidget::mouseMoveEvent(evento);
}

void VentanaQt::closeEvent(QCloseEvent* evento) {
  evento->accept();
  forma_.CerrarPorElUsuario();
}

}  // namespace evalora::ui

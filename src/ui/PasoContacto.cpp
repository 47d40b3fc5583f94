// The contact step: name, e-mail and phone for the support staff, sent once with the diagnosis.
#include <QLabel>

#include "catalogue/ValidaCorreo.h"
#include "core/Texto.h"
#include "ui/frmPrincipal.h"

namespace evalora::ui {

void frmPrincipal::PasoDI_btnRegistrar_Click() {
  Mensajes& mensajes = servicios_.plataforma.mensajes;
  const std::string titulo = "Asistente para la descarga";
  const std::string nombre = Texto("PasoDI_txtNombre");
  const std::string correo = Texto("PasoDI_txtCorreo");
  const std::string telefono = Texto("PasoDI_txtTelefono");
  if (RecortarBlancos(nombre).empty())
    return mensajes.Mostrar("Indica tu nombre antes de continuar", kMensajeSinIcono, titulo);
  if (RecortarBlancos(correo).empty()) {
    return mensajes.Mostrar("Indica tu correo electrónico antes de continuar", kMensajeSinIcono, titulo);
  }
  if (!ValidaCorreo(correo)) {
    return mensajes.Mostrar("Registra un correo electrónico válido antes de continuar", kMensajeSinIcono, titulo);
  }
  BotonPlano* registrar = botones_["PasoDI_lblRegistrar"];
  registrar->Cara()->setEnabled(false);
  for (const char* control : {"PasoDI_txtCorreo", "PasoDI_picRegistrar", "PasoDI_LblTelefono", "PasoDI_txtTelefono",
                              "PasoDI_LblTelefono2", "PasoDI_LblCorreo", "PasoDI_LblNombre", "PasoDI_txtNombre"}) {
    Ver(control, false);
  }
  registrar->Mostrar(false);  // the label and the bar go with their face
  // A statement that fails, like a catalogue that cannot be reached, ends the registration
  // silently: the confirmation follows all the same.
  servicios_.catalogo.RegistraCorreo(correo, telefono, nombre, !Control("PasoDI_LblAvast")->isHidden());
  PonerTexto("PasoDI_LblInstruccionesContacto",
             "Tus datos han sido registrados correctamente.\r\n\r\nNuestro personal de soporte técnico se pondrá en "
             "contacto contigo.");
  QWidget* icono = Control("PicIconoContacto");
  icono->move(icono->x(), Pixeles(1200));
  auto* confirmacion = Buscar<QLabel>("PasoDI_LblInstruccionesContacto");
  confirmacion->setGeometry(Pixeles(2500), Pixeles(1150), confirmacion->width(), Pixeles(1600));
  QFont letra = confirmacion->font();
  letra.setPointSize(12);
  confirmacion->setFont(letra);
  QPalette p = confirmacion->palette();
  p.setColor(QPalette::WindowText, QColor(92, 145, 19));
  confirmacion->setPalette(p);
}

}  // namespace evalora::ui

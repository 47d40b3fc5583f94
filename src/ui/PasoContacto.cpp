// The contact step: name, e-mail and phone for the support staff, sent once with the diagnosis.
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
  BotonPlano* registrar = botones_["PasoDI_lblRegistrar"].get();
  Habilitar(registrar->Cara(), false);
  for (const char* control : {"PasoDI_txtCorreo", "PasoDI_picRegistrar", "PasoDI_LblTelefono", "PasoDI_txtTelefono",
                              "PasoDI_LblTelefono2", "PasoDI_LblCorreo", "PasoDI_LblNombre", "PasoDI_txtNombre"}) {
    Ver(control, false);
  }
  registrar->Mostrar(false);  // the label and the bar go with their face
  // A statement that fails, like a catalogue that cannot be reached, ends the registration
  // silently: the confirmation follows all the same.
  servicios_.catalogo.RegistraCorreo(correo, telefono, nombre, !Oculto("PasoDI_LblAvast"));
  PonerTexto("PasoDI_LblInstruccionesContacto",
             "Tus datos han sido registrados correctamente.\r\n\r\nNuestro personal de soporte técnico se pondrá en "
             "contacto contigo.");
  Mover("PicIconoContacto", Buscar("PicIconoContacto")->lugar.x, 1200);
  const char* confirmacion = "PasoDI_LblInstruccionesContacto";
  Colocar(confirmacion, Rect{2500, 1150, Buscar(confirmacion)->lugar.ancho, 1600});
  Letra letra = Buscar(confirmacion)->letra;
  letra.puntos = 12;
  CambiarLetra(confirmacion, letra);
  Tinta(confirmacion, Color{92, 145, 19});
  // The button that had the focus is gone: a screen reader says the confirmation instead.
  if (Vista* vista = VistaActual()) vista->AnunciarPaso();
}

}  // namespace evalora::ui

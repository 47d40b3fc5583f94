// The welcome step and the database-ID step: what the user typed is checked and accepted.
#include "core/Texto.h"
#include "startup/IdValido.h"
#include "startup/TiposDeAsistente.h"
#include "ui/frmPrincipal.h"

namespace evalora::ui {

namespace {

constexpr const char* kLineaDeReintento = "\r\n\r\nVerifica e intenta nuevamente.";

}  // namespace

void frmPrincipal::IniciarFlujo() {
  const auto siguiente = evalora::IniciarFlujo(estado_, servicios_.plataforma.entorno,
                                               [this] { servicios_.catalogo.ObtenerPesosRecursos(); });
  if (siguiente) MuestraPaso(*siguiente);
}

void frmPrincipal::AplicarVariante02GE(const std::string& id) {
  if (id.size() >= 4 && id.compare(id.size() - 4, 4, "02GE") == 0) estado_.UsarVariante01TE = false;
}

void frmPrincipal::PasoBienvenido_btnContinuar_Click() {
  if (!PideLanzador(estado_)) return IniciarFlujo();
  Ver("PasoBienvenido_lblMensajeLanzador", false);
  const std::string id = RecortarBlancos(Texto("PasoBienvenido_txtIDLanzador"));
  const char* falla = nullptr;
  if (id.empty()) {
    falla = "* Escribe tu ID.";
  } else if (LongitudEnCaracteres(id) != 10) {
    falla = "* El ID debe ser de 10 caracteres.";
  } else if (!IdValido(id)) {
    falla = "* El ID no es correcto.";
  } else if (!servicios_.catalogo.ValidaIDLanzador(Mayusculas(id))) {
    falla = "* El ID no pertenece a un Lanzador.";
  }
  if (falla) {
    PonerTexto("PasoBienvenido_lblMensajeLanzador", falla);
    Ver("PasoBienvenido_lblMensajeLanzador", true);
    return;
  }
  IniciarFlujo();
}

void frmPrincipal::PasoBienvenido_lblContinuar_Click() {
  Ver("PasoBienvenido_lblMensajeLanzador", false);
  if (Texto("PasoBienvenido_lblContinuar") != "Continuar") return PasoBienvenido_btnInstalar_Click();
  // Kind 2 asks for its ID on the next step: its welcome step shows no ID box, and its
  // "Continuar" goes on as the step's buttons do.
  if (Oculto("PasoBienvenido_txtIDLanzador")) return PasoBienvenido_btnContinuar_Click();
  const std::string id = RecortarBlancos(Texto("PasoBienvenido_txtIDLanzador"));
  if (Texto("PasoBienvenido_txtIDLanzador").empty() || !IdValido(id)) {
    Ver("PasoBienvenido_lblMensajeLanzador", true);
    return;
  }
  AplicarVariante02GE(id);
  PasoBienvenido_btnContinuar_Click();
}

void frmPrincipal::PasoBienvenido_btnInstalar_Click() {
  Ver("PasoBienvenido_lblMensajeLanzador", false);
  if (Oculto("PasoBienvenido_txtIDLanzador")) return IniciarFlujo();
  const std::string id = RecortarBlancos(Texto("PasoBienvenido_txtIDLanzador"));
  if (!IdValido(id)) {
    Ver("PasoBienvenido_lblMensajeLanzador", true);
    return;
  }
  AplicarVariante02GE(id);
  IniciarFlujo();
}

void frmPrincipal::PasoBienvenido_txtIDLanzador_Change() { Ver("PasoBienvenido_lblMensajeLanzador", false); }

void frmPrincipal::PasoBienvenido_txtIDLanzador_KeyPress(int tecla) {
  if (tecla != 13) return;
  if (PideLanzador(estado_)) return PasoBienvenido_btnContinuar_Click();
  PasoBienvenido_lblContinuar_Click();
}

// --- The database-ID step -----------------------------------------------------------------

bool frmPrincipal::ExisteBaseDeDatosEn(const std::string& ubicacion) const {
  const std::string carpeta = ubicacion + "\\Servidor Evalora " + estado_.VersionMayor + " Local";
  const SistemaDeArchivos& archivos = servicios_.plataforma.archivos;
  return archivos.ExisteCarpeta(carpeta) && archivos.ExisteArchivo(carpeta + "\\EVDBMSLocal.evx");
}

std::string frmPrincipal::MensajeDePrecaucion(const std::string& ubicacion) const {
  return "PRECAUCIÓN:\r\n\r\nEn la ubicación seleccionada ya existe una carpeta que contiene una Base de datos "
         "Evalora.\r\n\r\nRenombra la carpeta llamada 'Servidor Evalora " +
         estado_.VersionMayor + " Local' que se encuentra en " + ubicacion +
         ", elimina los archivos que contiene o elige otra ubicación.";
}

void frmPrincipal::PasoIndicaId_btnContinuar_Click() {
  Mensajes& mensajes = servicios_.plataforma.mensajes;
  auto informar = [&](const std::string& texto) { mensajes.Mostrar(texto, kMensajeInformacion, std::string()); };
  const std::string id = RecortarBlancos(Texto("PasoIndicaId_txtID"));
  const std::string ubicacion = RecortarBlancos(Texto("PasoIndicaId_txtPathBD"));
  if (id.empty()) return informar("Escribe un ID de 10 caracteres para la Base de datos Evalora.");
  if (ubicacion.empty())
    return informar("Especifica una IP o ruta en la cual deberá instalarse la Base de datos Evalora.");
  const std::string digitos = SubcadenaEnCaracteres(id, 6, 2);
  if (!EsNumerico(digitos)) {
    return informar(std::string(LongitudEnCaracteres(id) == 10
                                    ? "Los últimos 4 caracteres del ID proporcionado no son válidos."
                                    : "Escribe un ID Evalora de 10 caracteres.") +
                    kLineaDeReintento);
  }
  if (!IdValido(id))
    return informar(std::string("Los últimos 4 caracteres del ID proporcionado no son válidos.") + kLineaDeReintento);
  const char* caja = "PasoIndicaId_txtPathBD";
  if (LongitudEnCaracteres(ubicacion) == 3) PonerTexto(caja, SubcadenaEnCaracteres(ubicacion, 0, 2));
  const std::string probada = RecortarBlancos(Texto("PasoIndicaId_txtPathBD"));
  if (ExisteBaseDeDatosEn(probada)) {
    informar(MensajeDePrecaucion(probada));
    PonerTexto(caja, "");
    return;
  }
  PonerTexto("PasoIndicaId_txtID", Mayusculas(Texto("PasoIndicaId_txtID")));
  estado_.CarpetaBaseDeDatos = Texto("PasoIndicaId_txtPathBD");
  MuestraPaso(Paso::kDescarga);
}

void frmPrincipal::PasoIndicaID_cmdExaminar_Click() {
  estado_.CarpetaBaseDeDatos.clear();
  estado_.CarpetaBaseDeDatos = Mayusculas(servicios_.plataforma.shell.ExaminarCarpeta(
      "Seleccione la ubicación en que se deberá crear la Base de Datos Evalora."));
  const char* caja = "PasoIndicaId_txtPathBD";
  const std::string& elegida = estado_.CarpetaBaseDeDatos;
  if (RecortarBlancos(elegida) == Mayusculas(kCarpetaNoValida)) {
    servicios_.plataforma.mensajes.Mostrar("La ruta seleccionada no es válida.", kMensajeInformacion, std::string());
    PonerTexto(caja, "");
  } else if (!elegida.empty()) {
    std::string ubicacion = elegida;
    if (LongitudEnCaracteres(ubicacion) == 3) ubicacion = SubcadenaEnCaracteres(ubicacion, 0, 2);
    PonerTexto(caja, ubicacion);
    if (ExisteBaseDeDatosEn(RecortarBlancos(Texto("PasoIndicaId_txtPathBD")))) {
      servicios_.plataforma.mensajes.Mostrar(MensajeDePrecaucion(estado_.CarpetaBaseDeDatos), kMensajeInformacion,
                                             std::string());
      PonerTexto(caja, "");
    }
  }
  ReposarPanel("picEstableceRutaALaBaseDeDatos");
}

}  // namespace evalora::ui

// The suite step (kinds 6 and 7) and the download-folder step (kinds 4 to 8).
#include "core/Texto.h"
#include "ui/FormateaPeso.h"
#include "ui/frmPrincipal.h"

namespace evalora::ui {

void frmPrincipal::CalculaPesoEstimado() {
  const std::pair<const char*, double> suites[] = {
      {"PasoSuitechkOffice2010", estado_.PesoMS2010},
      {"PasoSuitechkOffice2013", estado_.PesoMS2013},
      {"PasoSuitechkAdobeCS6", estado_.PesoCS6},
      {"PasoSuitechkAdobeCC2014", estado_.PesoCC2014},
      {"PasoSuitechkOffice2016", estado_.PesoMS2016},
      {"PasoSuitechkOffice2019", estado_.PesoMS2019},
      {"PasoSuitechkProgramacion", estado_.PesoProgramacion},
  };
  double total = 0;
  for (const auto& [casilla, peso] : suites) {
    if (Marcado(casilla)) total += peso;
  }
  if (total <= 0) {
    PonerTexto("PasoSuite_LblPesoEstimado", "");
    Ver("PasoSuite_LblPesoEstimado", false);
    return;
  }
  PonerTexto("PasoSuite_LblPesoEstimado", "Total estimado de descarga: \r\n" +
                                              FormateaPeso(total, 2, SeparadorDecimal(servicios_.plataforma.registro)));
  Ver("PasoSuite_LblPesoEstimado", true);
}

SuitesElegidas frmPrincipal::Suites() const {
  auto elegida = [this](const char* casilla) { return Marcado(casilla); };
  SuitesElegidas s;
  s.office2010 = elegida("PasoSuitechkOffice2010");
  s.office2013 = elegida("PasoSuitechkOffice2013");
  s.office2016 = elegida("PasoSuitechkOffice2016");
  s.office2019 = elegida("PasoSuitechkOffice2019");
  s.adobeCS6 = elegida("PasoSuitechkAdobeCS6");
  s.adobeCC2014 = elegida("PasoSuitechkAdobeCC2014");
  s.programacion = elegida("PasoSuitechkProgramacion");
  return s;
}

void frmPrincipal::PasoSuitebtnContinuar_Click() {
  const SuitesElegidas s = Suites();
  if (!(s.office2010 || s.office2013 || s.office2016 || s.office2019 || s.adobeCS6 || s.adobeCC2014 ||
        s.programacion)) {
    servicios_.plataforma.mensajes.Mostrar("Selecciona la suite que quieres descargar antes de continuar.",
                                           kMensajeSinIcono, std::string("Asistente Evalora"));
    return;
  }
  MuestraPaso(Paso::kSolicitaCarpeta);
}

bool frmPrincipal::ElegirCarpetaDeDescarga() {
  std::string ruta =
      servicios_.plataforma.shell.ExaminarCarpeta("Selecciona la carpeta en donde deseas colocar la descarga");
  if (RecortarBlancos(ruta).empty()) return false;
  if (Mayusculas(RecortarBlancos(ruta)) == "NO VALIDA") {
    servicios_.plataforma.mensajes.Mostrar(
        "La carpeta que seleccionaste no es una carpeta válida para colocar la descarga.", kMensajeInformacion,
        std::string("Evalora"));
    return false;
  }
  if (ruta.back() == '\\') ruta.pop_back();
  PonerTexto("PasoSCtxtCarpetaDeDescarga", RecortarBlancos(ruta));
  return true;
}

void frmPrincipal::PasoSCPicExaminar_Click() {
  if (!ElegirCarpetaDeDescarga()) PonerTexto("PasoSCtxtCarpetaDeDescarga", "");
  ReposarPanel("picSolicitaCarpeta");
}

void frmPrincipal::PasoSC_Continuar_Click() {
  const std::string carpeta = Texto("PasoSCtxtCarpetaDeDescarga");
  if (carpeta.empty()) {
    servicios_.plataforma.mensajes.Mostrar("Selecciona una carpeta para colocar los archivos a descargar.",
                                           kMensajeSinIcono, std::string("Asistente para la descarga"));
    return;
  }
  BorrarTemporales(servicios_.plataforma.archivos, carpeta, true);
  estado_.CarpetaDeInstalacion = carpeta;
  MuestraPaso(Paso::kDescarga);
}

}  // namespace evalora::ui

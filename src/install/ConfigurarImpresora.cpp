#include "install/ConfigurarImpresora.h"

#include <fstream>
#include <sstream>

#include "install/CarpetasDelSistema.h"
#include "install/PrnAdmin.h"
#include "install/SecurityFolder.h"

namespace evalora {

namespace {

std::string Herramienta(const EstadoDeEjecucion& estado) {
  return estado.CarpetaDeInstalacion + "\\Utilerías\\SecurityFolder.exe";
}

}  // namespace

std::string LeerImpresoraPredeterminada(const EstadoDeEjecucion& estado, const Plataforma& p) {
  const std::string utilerias = estado.CarpetaDeInstalacion + "\\Utilerías";
  const std::string marcador = utilerias + "\\LogEV.txt";
  if (!EjecutarSecurityFolder(Herramienta(estado), {"ImpresoraPredeterminada", "", marcador}, utilerias, 60, p)) {
    return "";
  }
  std::string nombre;
  if (const auto ruta = p.archivos.RutaAnfitrion(marcador)) {
    std::ifstream archivo(*ruta, std::ios::binary);
    std::ostringstream texto;
    texto << archivo.rdbuf();
    nombre = texto.str();
  }
  p.archivos.BorrarArchivo(marcador, false);
  return nombre;
}

bool EstablecerImpresoraPredeterminada(const std::string& nombre, const EstadoDeEjecucion& estado,
                                       const Plataforma& p) {
  const std::string utilerias = estado.CarpetaDeInstalacion + "\\Utilerías";
  const std::string marcador = utilerias + "\\LogEV.txt";
  if (EjecutarSecurityFolder(Herramienta(estado), {"ImpresoraPredeterminar", nombre, marcador}, utilerias, 60, p)) {
    p.archivos.BorrarArchivo(marcador, false);
  }
  return false;
}

void AgregarImpresora(const std::string& nombre, const std::string& puerto, const std::string& controlador,
                      const std::string& descripcion, EstadoDeEjecucion& estado, const Plataforma& p) {
  const std::string predeterminada = LeerImpresoraPredeterminada(estado, p);
  if (!AgregarImpresoraAlSistema(p.impresoras, nombre, puerto, controlador, descripcion)) {
    estado.ImpresoraNoInstalable = true;  // the default printer is then not set back
    return;
  }
  p.reloj.Dormir(2000);  // the spooler's time before the default printer is set back
  if (!predeterminada.empty()) EstablecerImpresoraPredeterminada(predeterminada, estado, p);
}

bool ConfigurarImpresora(EstadoDeEjecucion& estado, const Plataforma& p) {
  const std::string carpeta = p.entorno.Valor("windir") + "\\PrintingEV";
  if (!p.archivos.ExisteCarpeta(carpeta) && !p.archivos.CrearCarpeta(carpeta)) return false;
  const std::string marcador = carpeta + "\\LogEV.txt";
  if (!EjecutarSecurityFolder(Herramienta(estado), {"Impresora", carpeta, marcador}, carpeta, 60, p)) {
    p.mensajes.Mostrar(
        std::string("(CC) Evalora no pudo terminar de configurar la impresora para el correcto funcionamiento del "
                    "sistema.\r\n\r\nSi experimentas problemas al momento de presentar exámenes deberás contactar "
                    "con el Centro de Atención Evalora. (Correo electrónico: ") +
            CorreoDeSoporte() + ")",
        kMensajeInformacion, std::string());
    return false;
  }
  p.archivos.BorrarArchivo(marcador, false);
  // Without a print master to read, the stage ends silently.
  if (!p.impresoras.Listar()) return false;
  if (ExisteImpresora(p.impresoras, "Evalora")) EliminarImpresora(p.impresoras, "Evalora");
  AgregarImpresora("Evalora", carpeta + "\\PrinterOut.txt", "MS Publisher Color Printer", "", estado, p);
  return true;
}

}  // namespace evalora

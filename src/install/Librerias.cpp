#include "install/Librerias.h"

#include "core/Texto.h"
#include "install/gdiInstallFont.h"
#include "platform/LineaDeOrdenes.h"

namespace evalora {

namespace {

std::string Tipo(const std::string& nombre) {
  return Mayusculas(nombre.size() >= 4 ? nombre.substr(nombre.size() - 4) : nombre);
}

// Whether a Flash control is installed already (a FLASH*.OCX in one of the two Macromed folders).
bool HayControlFlash(const std::string& windir, const SistemaDeArchivos& archivos) {
  std::string carpeta = windir + "\\Macromed\\Flash";
  if (!archivos.ExisteCarpeta(carpeta)) carpeta = windir + "\\SysWOW64\\Macromed\\Flash";
  if (!archivos.ExisteCarpeta(carpeta)) return false;
  for (const auto& n : archivos.ListarArchivos(carpeta)) {
    const std::string m = Mayusculas(n);
    if (m.rfind("FLASH", 0) == 0 && m.size() >= 4 && m.substr(m.size() - 4) == ".OCX") return true;
  }
  return false;
}

}  // namespace

void InstalarLibrerias(const EstadoDeEjecucion& estado, const Plataforma& p) {
  const std::string origen = estado.CarpetaDeInstalacion + "\\Utilerías\\DLLs";
  if (!p.archivos.ExisteCarpeta(estado.CarpetaDeInstalacion + "\\Utilerías\\Dlls")) {
    p.mensajes.Mostrar(kTextoSinLibrerias, kMensajeInformacion, std::string());
    p.terminacion.Terminar();
  }
  const std::string windir = p.entorno.Valor("windir");
  const std::string sistema = windir + "\\System32\\";
  const auto nombres = p.archivos.ListarArchivos(origen);
  // Pass 1: what is neither a library, a control nor a font goes to the system folder.
  for (const auto& n : nombres) {
    const std::string tipo = Tipo(n);
    if (tipo != ".DLL" && tipo != ".OCX" && tipo != ".TTF" && !p.archivos.ExisteArchivo(sistema + n)) {
      p.archivos.CopiarArchivo(origen + "\\" + n, sistema + n, false);
    }
  }
  auto copiarYRegistrar = [&](const std::string& n) {
    if (p.archivos.ExisteArchivo(sistema + n)) return;
    p.archivos.CopiarArchivo(origen + "\\" + n, sistema + n, false);
    p.shell.Abrir("regsvr32", "/s " + CitarArgumento(sistema + n), Verbo::kPredeterminado);
  };
  // Pass 2: libraries, fonts and controls.
  for (const auto& n : nombres) {
    p.eventos.Ceder();
    const std::string tipo = Tipo(n);
    if (n == "Flash9o.ocx") {
      if (HayControlFlash(windir, p.archivos)) continue;
      if (!p.archivos.ExisteArchivo(sistema + n)) p.archivos.CopiarArchivo(origen + "\\" + n, sistema + n, false);
      p.shell.Abrir("regsvr32", "/s " + CitarArgumento(sistema + n), Verbo::kPredeterminado);
    } else if (tipo == ".DLL" || tipo == ".OCX") {
      copiarYRegistrar(n);
    } else if (tipo == ".TTF") {
      gdiInstallFont fuente(p);
      const std::string fuentes = windir + "\\Fonts\\";
      if (!p.archivos.ExisteArchivo(fuentes + n)) {
        p.archivos.CopiarArchivo(origen + "\\" + n, fuentes + n, false);
        fuente.archivoTTF(n);
        fuente.PathTTF(fuentes);
        fuente.Instalar();
      }
    }
  }
}

bool EsperarRegistros(const Plataforma& p) {
  const uint32_t inicio = p.reloj.Milisegundos();
  // Each look waits a little for them: the window gets its turn between two.
  while (!p.shell.TerminaronLosOcultos(10)) {
    p.eventos.Ceder();
    if (p.reloj.Milisegundos() - inicio >= kEsperaDeRegistrosMs) return false;
  }
  return true;
}

}  // namespace evalora

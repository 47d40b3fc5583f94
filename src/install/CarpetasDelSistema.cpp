#include "install/CarpetasDelSistema.h"

#include "install/SecurityFolder.h"
#include "startup/TiposDeAsistente.h"

namespace evalora {

std::string ErrorDeCarpeta(long codigoWindows) {
  switch (codigoWindows) {
    case win::kYaExiste:
    case win::kYaExisteElArchivo:
      return "58 El archivo ya existe";
    case win::kArchivoNoEncontrado:
    case win::kRutaNoEncontrada:
      return "76 No se encontró la ruta de acceso";
    case win::kAccesoDenegado:
      return "70 Permiso denegado";
    case win::kDiscoLleno:
      return "61 Disco lleno";
    default:
      return "75 Error de acceso a la ruta o el archivo";
  }
}

const char* CorreoDeSoporte() { return EVALORA_CORREO_SOPORTE; }

const std::vector<CarpetaDelSistema>& CarpetasDelSistema() {
  static const std::vector<CarpetaDelSistema> carpetas = {
      {"\\Recursos", false},
      {"\\Base de datos", true},
      {"\\Fonts", true},
      {"\\Imagenes", true},
      {"\\Utilerías", true},
      {"\\Utilerías\\Dlls", true},
      {"\\Access", false},
      {"\\Excel", false},
      {"\\Power Point", false},
      {"\\Word", false},
      {"\\Outlook", false},
      {"\\Flash", false},
      {"\\Photoshop", false},
      {"\\Dreamweaver", false},
      {"\\Illustrator", false},
      {"\\InDesign", false},
      {"\\Fundamentos de programación", false},
      {"\\Visor", false},
      {"\\Visor\\Excel", false},
      {"\\Visor\\Power Point", false},
      {"\\Visor\\Word", false},
      {"\\Visor\\Access", false},
      {"\\Visor\\Outlook", false},
      {"\\Visor\\Flash", false},
      {"\\Visor\\Dreamweaver", false},
      {"\\Visor\\Photoshop", false},
      {"\\Visor\\Illustrator", false},
      {"\\Visor\\InDesign", false},
      {"\\Visor\\Fundamentos de programación", false},
  };
  return carpetas;
}

void CrearCarpetasDelSistema(const EstadoDeEjecucion& estado, const Plataforma& p) {
  const std::string& raiz = estado.CarpetaDeInstalacion;
  // The error as the platform gives it, in the runtime's words.
  auto error = [&p] { p.mensajes.Mostrar(ErrorDeCarpeta(p.archivos.UltimoError()), kMensajeSinIcono, std::string()); };
  // A folder the download should have brought: setting its attributes fails where it is missing.
  if (!p.archivos.ExisteCarpeta(raiz) && !p.archivos.EstablecerAtributos(raiz, 0)) return error();
  for (const CarpetaDelSistema& c : CarpetasDelSistema()) {
    const std::string carpeta = raiz + c.ruta;
    if (p.archivos.ExisteCarpeta(carpeta)) continue;
    if (c.traidaPorLaDescarga) {
      if (!p.archivos.EstablecerAtributos(carpeta, 0)) return error();
      continue;
    }
    if (!p.archivos.CrearCarpeta(carpeta) || !p.archivos.EstablecerAtributos(carpeta, 0)) return error();
  }
  const std::string marcador = raiz + "\\LogEV.txt";
  if (EjecutarSecurityFolder(raiz + "\\Utilerías\\SecurityFolder.exe", {"Seguridad", raiz, marcador}, raiz, 60, p)) {
    p.archivos.BorrarArchivo(marcador, false);
    return;
  }
  p.mensajes.Mostrar(
      "El Asistente para la instalación de Evalora no pudo establecer los permisos necesarios a la "
      "carpeta " +
          raiz +
          " para el correcto funcionamiento del sistema en Cuentas de Usuario de Windows que no "
          "tengan privilegios de Administrador.\r\n\r\nUna vez que finalice esta instalación contacta "
          "con el Centro de Atención Evalora (Correo electrónico: " +
          CorreoDeSoporte() +
          ") para que te indiquen la manera de establecer los permisos de forma "
          "manual.",
      kMensajeInformacion, std::string());
}

void LimpiarVirtualStore(const EstadoDeEjecucion& estado, const Plataforma& p) {
  const std::string edicion = "Evalora " + estado.VersionMayor + " " + EdicionInstalada(estado);
  for (const char* almacen :
       {"\\AppData\\Local\\VirtualStore\\Program Files (x86)\\", "\\AppData\\Local\\VirtualStore\\Program Files\\"}) {
    const std::string raiz = p.entorno.Valor("Windir").substr(0, 3);
    const std::string carpeta = raiz + "Users\\" + p.usuario.Nombre() + almacen + edicion + "\\";
    if (!p.archivos.ExisteCarpeta(carpeta)) continue;
    // The files first (none to delete is a failure, as is a read-only one), then the folder.
    const auto nombres = p.archivos.ListarArchivos(carpeta);
    if (nombres.empty()) return;
    for (const auto& n : nombres) {
      if (!p.archivos.BorrarArchivo(carpeta + n, false)) return;
    }
    if (!p.archivos.BorrarCarpeta(carpeta.substr(0, carpeta.size() - 1), false)) return;
  }
}

}  // namespace evalora

#include "install/Outlook.h"

#include "core/Texto.h"
#include "install/CarpetasDelSistema.h"
#include "install/SecurityFolder.h"
#include "winsupport/cQueryReg.h"

namespace evalora {

bool EsVistaSinServicePack(const Plataforma& p) {
  cQueryReg registro(p.registro, p.usuario, p.entorno);
  const std::string clave = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
  auto leer = [&](const char* valor) {
    const Variante v = registro.GetReg(clave, valor, win::HKEY_LOCAL_MACHINE, true);
    const auto* texto = std::get_if<std::string>(&v);
    return Mayusculas(RecortarBlancos(texto ? *texto : std::string()));
  };
  if (leer("ProductName").find("VISTA") == std::string::npos) return false;
  return leer("CSDVersion").find("SERVICE PACK 1") == std::string::npos &&
         leer("CSDVersion").find("SERVICE PACK 2") == std::string::npos;
}

void ConfigurarRegistroOutlook(const EstadoDeEjecucion& estado, const Plataforma& p) {
  const std::string utilerias = estado.CarpetaDeInstalacion + "\\Utilerías";
  const std::string marcador = utilerias + "\\LogEV.txt";
  if (EjecutarSecurityFolder(utilerias + "\\SecurityFolder.exe", {"RegistroPolicies", "Software\\Policies", marcador},
                             utilerias, 60, p)) {
    p.archivos.BorrarArchivo(marcador, false);
    return;
  }
  p.mensajes.Mostrar(
      std::string("(CC) Evalora no pudo terminar de configurar el registro para que las evaluaciones de Outlook "
                  "trabajen correctamente.\r\n\r\nSi experimentas problemas al momento de presentar exámenes deberás "
                  "contactar con el Centro de Atención Evalora. (Correo electrónico: ") +
          CorreoDeSoporte() + ")",
      kMensajeInformacion, std::string());
}

}  // namespace evalora

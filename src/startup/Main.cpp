#include "startup/Main.h"

#include "startup/ComprobacionesDeInicio.h"
#include "startup/PerfilDeUsuario.h"

namespace evalora {

std::string AvisoDeFirewall(const std::string& ipDelCatalogo) {
  return "IMPORTANTE: Si vas a instalar y utilizar Evalora en una red con acceso a Internet controlado por un Proxy o "
         "Firewall, asegúrate de tener autorizada la IP " +
         ipDelCatalogo +
         " y el Puerto 1433 (consulta con tu departamento de sistemas) o bien, utiliza Evalora en una red sin "
         "restricciones.";
}

namespace {

// The connection notices: the label enlarged, the text, three line breaks and the firewall notice.
void AvisoDeConexion(VentanaDeInicio& ventana, const std::string& texto, const DireccionesDeInicio& direcciones) {
  ventana.AmpliarAvisoDePaso1();
  ventana.EscribirAvisoDePaso1(texto + "\r\n\r\n\r\n" + AvisoDeFirewall(direcciones.ipDelCatalogo));
}

// The checks in their order; false when one failed (its notice is then in the label). The
// .NET notice is a step of its own and is reported through `sinNetFramework`.
bool PasaLasComprobaciones(EstadoDeEjecucion& estado, VentanaDeInicio& ventana, ServiciosDeInicio& s,
                           const CatalogoDeInicio& catalogo, const DireccionesDeInicio& direcciones,
                           bool& sinNetFramework) {
  if (!s.internet.HayConexion(direcciones.sitioWeb)) {
    AvisoDeConexion(ventana, kTextoSinAccesoAlServidor, direcciones);
    return false;
  }
  ventana.EscribirAvisoDePaso1("");
  std::string aviso;
  const bool vigente = catalogo.versionVigente && catalogo.versionVigente(aviso);
  if (!vigente) {
    if (aviso.empty()) {
      AvisoDeConexion(ventana, kTextoSinConexionConElServidor, direcciones);
    } else {
      ventana.EscribirAvisoDePaso1(aviso);
    }
    return false;
  }
  if (Instala(estado)) {
    if (AsistenteOSistemaEnEjecucion(estado, s.procesos, s.eventos, s.mensajes)) s.terminacion.Terminar();
    if (!UsuarioEsAdministrador(s.usuario)) {
      ventana.EscribirAvisoDePaso1(kTextoSinPermisos);
      return false;
    }
    if (!NetFramework20Instalado(s.registro, s.eventos)) {
      sinNetFramework = true;
      return false;
    }
  }
  return true;
}

}  // namespace

PrimerPaso Main(EstadoDeEjecucion& estado, const VersionDelEjecutable& version, VentanaDeInicio& ventana,
                ServiciosDeInicio servicios, const CatalogoDeInicio& catalogo, const DireccionesDeInicio& direcciones) {
  EstablecerVersion(estado, version);
  EstablecerTitulos(estado, ventana, catalogo.obtenerPesoInstalador);
  estado.NetFrameworkFaltante = false;
  bool sinNetFramework = false;
  const bool bloqueado = !PasaLasComprobaciones(estado, ventana, servicios, catalogo, direcciones, sinNetFramework);
  if (sinNetFramework) {
    estado.NetFrameworkFaltante = true;
    return {Paso::kDescargaIncorrecta, true};
  }
  return {bloqueado ? Paso::kPaso1 : Paso::kBienvenida};
}

}  // namespace evalora

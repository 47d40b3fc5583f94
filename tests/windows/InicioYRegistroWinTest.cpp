// The start-up's checks and the registry class over the Win32 services, under Wine.
#include <gtest/gtest.h>

#include "ApoyoWin.h"
#include "platform/fakes/Falsos.h"
#include "platform/windows/EntornoWin.h"
#include "platform/windows/ProcesosWmi.h"
#include "platform/windows/RegistroWin.h"
#include "platform/windows/ShellWin.h"
#include "platform/windows/UsuarioWin.h"
#include "startup/ComprobacionesDeInicio.h"
#include "startup/PerfilDeUsuario.h"
#include "winsupport/cQueryReg.h"

namespace evalora {
namespace {

TEST(InicioEnWindows, ProcesosYAdministradorComoWindowsLosDa) {
  ProcesosWmi procesos;
  falsos::BucleContado eventos;
  EstadoDeEjecucion estado;
  estado.VersionMayor = "2020";
  EXPECT_TRUE(ProcesoEnEjecucion("PRUEBAS_WIN_INICIO", estado, procesos, eventos));  // this program
  EXPECT_FALSE(ProcesoEnEjecucion("EVLogIn.exe", estado, procesos, eventos));
  falsos::MensajesGrabados mensajes;
  EXPECT_FALSE(AsistenteOSistemaEnEjecucion(estado, procesos, eventos, mensajes));
  EXPECT_TRUE(mensajes.mostrados.empty());
  UsuarioWin usuario;
  EXPECT_TRUE(UsuarioEsAdministrador(usuario));
}

TEST(cQueryRegEnWindows, LeeYEscribeElRegistroDeWindows) {
  RegistroWin registro;
  UsuarioWin usuario;
  EntornoWin entorno;
  cQueryReg reg(registro, usuario, entorno);
  EXPECT_EQ(reg.UserName(), usuario.Nombre());
  ASSERT_EQ(reg.CreateKey("HKEY_CURRENT_USER\\Software\\EvaloraPrueba\\Clase"), win::kExito);
  EXPECT_TRUE(reg.ExistKey("HKCU\\Software\\EvaloraPrueba\\Clase"));
  registro.EstablecerValor(win::HKEY_CURRENT_USER, "Software\\EvaloraPrueba\\Clase", "Numero", DatoDeDword(26));
  registro.EstablecerValor(win::HKEY_CURRENT_USER, "Software\\EvaloraPrueba\\Clase", "Texto",
                           DatoDeTexto("Utilerías"));
  EXPECT_EQ(reg.GetRegDWord("HKCU\\Software\\EvaloraPrueba\\Clase", "Numero"), 26);
  EXPECT_EQ(reg.GetRegString("HKCU\\Software\\EvaloraPrueba\\Clase", "Texto"), "Utilerías");
  EXPECT_EQ(std::get<std::string>(reg.GetReg("HKCU\\Software\\EvaloraPrueba\\Clase", "Texto")), "Utilerías");
  EXPECT_EQ(reg.GetRegType("HKCU\\Software\\EvaloraPrueba\\Clase", "Numero"), win::REG_DWORD);
  EXPECT_FALSE(reg.GetRegString("HKCU\\Software\\EvaloraPrueba\\Clase", "NoExiste").has_value());
  // The shell folders Windows keeps for the user are the shell's own.
  EXPECT_EQ(reg.GetFolder("Desktop"), ShellWin().CarpetaEspecial(kCsidlEscritorio));
  EXPECT_EQ(reg.GetFolder("WindowsDir"), entorno.Valor("windir"));
  BorrarArbol(registro, win::HKEY_CURRENT_USER, "Software\\EvaloraPrueba");
}

}  // namespace
}  // namespace evalora

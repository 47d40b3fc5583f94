#include "startup/ComprobacionesDeInicio.h"

#include <gtest/gtest.h>

#include "apoyo/PrefijoTemporal.h"
#include "apoyo/ProcesoConNombre.h"
#include "platform/fakes/Falsos.h"
#include "platform/linux/ProcesosProc.h"
#include "platform/linux/RegistroWine.h"
#include "startup/PerfilDeUsuario.h"
#include "startup/TiposDeAsistente.h"

namespace evalora {
namespace {

class EnEjecucionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    estado.TipoDeAsistente = "1";
    estado.VersionMayor = "2020";
  }
  EstadoDeEjecucion estado;
  falsos::ProcesosFijos procesos;
  falsos::BucleContado eventos;
  falsos::MensajesGrabados mensajes;
};

TEST_F(EnEjecucionTest, ElAsistenteMismoNoCuentaComoSegundo) {
  procesos.nombres = {"explorer.exe", "AsistenteDeInstalacionEvalora2020Cloud.exe"};
  EXPECT_FALSE(ProcesoEnEjecucion("AsistenteDeInstalacionEvalora2020Cloud", estado, procesos, eventos));
  EXPECT_FALSE(AsistenteOSistemaEnEjecucion(estado, procesos, eventos, mensajes));
  EXPECT_TRUE(mensajes.mostrados.empty());
  procesos.nombres.push_back(" asistentedeinstalacionevalora2020cloud.EXE ");
  EXPECT_TRUE(ProcesoEnEjecucion("AsistenteDeInstalacionEvalora2020Cloud", estado, procesos, eventos));
  ASSERT_TRUE(AsistenteOSistemaEnEjecucion(estado, procesos, eventos, mensajes));
  ASSERT_EQ(mensajes.mostrados.size(), 1u);
  EXPECT_EQ(mensajes.mostrados[0].texto, "El Asistente para la instalación de Evalora ya está ejecutándose.");
  EXPECT_EQ(mensajes.mostrados[0].estilo, kMensajeInformacion);
  EXPECT_EQ(mensajes.mostrados[0].titulo, std::string());
}

TEST_F(EnEjecucionTest, ElNombreGeneralDelAsistenteCuentaUnaVez) {
  procesos.nombres = {"AsistenteParaLaInstalacionDeEvalora.exe"};
  EXPECT_TRUE(AsistenteOSistemaEnEjecucion(estado, procesos, eventos, mensajes));
  ASSERT_EQ(mensajes.mostrados.size(), 1u);
  EXPECT_EQ(mensajes.mostrados[0].texto, kTextoAsistenteEnEjecucion);
}

TEST_F(EnEjecucionTest, OtraVersionDelAsistenteNoCuenta) {
  procesos.nombres = {"AsistenteDeInstalacionEvalora2019Local.exe", "AsistenteDeInstalacionEvalora2019Local.exe"};
  EXPECT_FALSE(AsistenteOSistemaEnEjecucion(estado, procesos, eventos, mensajes));
  estado.VersionMayor = "2019";
  EXPECT_TRUE(AsistenteOSistemaEnEjecucion(estado, procesos, eventos, mensajes));
}

TEST_F(EnEjecucionTest, ElSistemaEnEjecucion) {
  procesos.nombres = {"svchost.exe", "EVSincronizador.exe"};
  ASSERT_TRUE(AsistenteOSistemaEnEjecucion(estado, procesos, eventos, mensajes));
  ASSERT_EQ(mensajes.mostrados.size(), 1u);
  EXPECT_EQ(mensajes.mostrados[0].texto,
            "El Sistema Evalora ya se está ejecutándo.\r\n\r\n"
            "Si deseas realizar una nueva instalación, primero cierra el sistema que esta abierto.");
  EXPECT_EQ(mensajes.mostrados[0].estilo, 64);
  EXPECT_EQ(mensajes.mostrados[0].titulo, std::string());
}

TEST_F(EnEjecucionTest, CedeEntreProcesosYSeDetieneAlPrimero) {
  procesos.nombres = {"a.exe", "evlogin.exe", "b.exe", "c.exe"};
  EXPECT_TRUE(ProcesoEnEjecucion("EVLogIn", estado, procesos, eventos));
  EXPECT_EQ(eventos.veces, 1);  // after a.exe; the match ends the walk
  eventos.veces = 0;
  EXPECT_FALSE(ProcesoEnEjecucion("EVPanelMaestro", estado, procesos, eventos));
  EXPECT_EQ(eventos.veces, 4);
}

// Tests over the machine's real processes run beside others: a version of their own keeps the
// wizard names they ask for apart from every other test's processes.
std::string VersionPropia() { return std::to_string(::getpid()); }

TEST_F(EnEjecucionTest, UnProcesoRealEnMinusculasEsEVLogIn) {
  estado.VersionMayor = VersionPropia();
  pruebas::ProcesoConNombre evlogin("evlogin.exe");
  ProcesosProc reales;
  EXPECT_TRUE(ProcesoEnEjecucion("EVLogIn", estado, reales, eventos));
  EXPECT_TRUE(AsistenteOSistemaEnEjecucion(estado, reales, eventos, mensajes));
  ASSERT_FALSE(mensajes.mostrados.empty());
  EXPECT_EQ(mensajes.mostrados.back().texto, kTextoSistemaEnEjecucion);
}

TEST_F(EnEjecucionTest, DosProcesosRealesDelAsistente) {
  estado.VersionMayor = VersionPropia();
  const std::string nombre = NombreDelAsistenteLocal(estado);
  ProcesosProc reales;
  pruebas::ProcesoConNombre uno("/opt/evalora/" + nombre);
  EXPECT_FALSE(ProcesoEnEjecucion(nombre, estado, reales, eventos));
  pruebas::ProcesoConNombre dos("C:\\Evalora\\" + nombre + ".exe");
  EXPECT_TRUE(ProcesoEnEjecucion(nombre, estado, reales, eventos));
}

class NetFrameworkTest : public ::testing::Test {
 protected:
  void ConSubclaves(std::initializer_list<const char*> versiones) {
    std::string texto = "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n";
    for (const char* v : versiones) {
      texto += std::string("\n[Software\\\\Microsoft\\\\NET Framework Setup\\\\NDP\\\\") + v + "] 1\n";
    }
    prefijo.Escribir("system.reg", texto);
  }
  pruebas::PrefijoTemporal prefijo;
  RegistroWine registro{prefijo.Raiz()};
  falsos::BucleContado eventos;
};

TEST_F(NetFrameworkTest, ListaDeVersiones) {
  ConSubclaves({"v1.1.4322", "v2.0.50727"});
  std::string versiones = "antes;";
  ListarVersionesNetFramework(versiones, registro, eventos);
  EXPECT_EQ(versiones, "antes;v1.1.4322;v2.0.50727;");
  EXPECT_EQ(eventos.veces, 2);
  EXPECT_TRUE(NetFramework20Instalado(registro, eventos));
}

TEST_F(NetFrameworkTest, SoloVersion4NoBasta) {
  ConSubclaves({"v4", "v4.0"});
  EXPECT_FALSE(NetFramework20Instalado(registro, eventos));
}

TEST_F(NetFrameworkTest, MayusculasYSinClave) {
  ConSubclaves({"V2.0.50727"});
  EXPECT_TRUE(NetFramework20Instalado(registro, eventos));
  prefijo.Escribir("system.reg", "WINE REGISTRY Version 2\n");
  std::string versiones;
  ListarVersionesNetFramework(versiones, registro, eventos);
  EXPECT_EQ(versiones, "");
  EXPECT_FALSE(NetFramework20Instalado(registro, eventos));
}

// A registry whose enumeration fails with an error other than "no more items".
class RegistroQueFalla : public RegistroWine {
 public:
  using RegistroWine::RegistroWine;
  long EnumerarSubclave(win::HKEY raiz, const std::string& ruta, uint32_t indice, std::string& nombre) override {
    ++llamadas;
    if (indice == 0) return RegistroWine::EnumerarSubclave(raiz, ruta, indice, nombre);
    return win::kAccesoDenegado;
  }
  int llamadas = 0;
};

TEST_F(NetFrameworkTest, UnErrorTerminaLaListaEnLugarDeRepetirseSinFin) {
  ConSubclaves({"v2.0.50727", "v3.0"});
  RegistroQueFalla falla(prefijo.Raiz());
  std::string versiones;
  ListarVersionesNetFramework(versiones, falla, eventos);
  EXPECT_EQ(versiones, "v2.0.50727;");
  EXPECT_EQ(falla.llamadas, 2);
}

TEST(PerfilDeUsuario, PreguntaAlServicio) {
  falsos::UsuarioFijo usuario;
  usuario.administrador = false;
  EXPECT_FALSE(UsuarioEsAdministrador(usuario));
  usuario.administrador = true;
  EXPECT_TRUE(UsuarioEsAdministrador(usuario));
}

}  // namespace
}  // namespace evalora

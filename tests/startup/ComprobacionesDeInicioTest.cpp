#include "startup/ComprobacionesDeInicio.h"

#include <gtest/gtest.h>

#include "apoyo/MaquinaDePrueba.h"
#include "platform/CodigosWin.h"
#include "platform/fakes/Falsos.h"
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

constexpr const char* kNdp = "Software\\Microsoft\\NET Framework Setup\\NDP";

// The .NET versions as the build's registry holds them (the prefix's files, or Windows' own).
class NetFrameworkTest : public ::testing::Test {
 protected:
  void ConSubclaves(std::initializer_list<const char*> versiones) {
    BorrarArbol(registro, win::HKEY_LOCAL_MACHINE, kNdp);
    for (const char* v : versiones) {
      ASSERT_EQ(registro.CrearClave(win::HKEY_LOCAL_MACHINE, std::string(kNdp) + "\\" + v), win::kExito) << v;
    }
  }
  pruebas::MaquinaDePrueba maquina;
  Registro& registro = maquina.RegistroDeLaMaquina();
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
  BorrarArbol(registro, win::HKEY_LOCAL_MACHINE, kNdp);
  std::string versiones;
  ListarVersionesNetFramework(versiones, registro, eventos);
  EXPECT_EQ(versiones, "");
  EXPECT_FALSE(NetFramework20Instalado(registro, eventos));
}

// The build's registry, whose enumeration fails with an error other than "no more items" after
// the first subkey.
class RegistroQueFalla : public Registro {
 public:
  explicit RegistroQueFalla(Registro& real) : r_(real) {}
  long AbrirClave(win::HKEY raiz, const std::string& ruta) override { return r_.AbrirClave(raiz, ruta); }
  long ConsultarValor(win::HKEY raiz, const std::string& ruta, const std::string& nombre,
                      DatoDelRegistro& dato) override {
    return r_.ConsultarValor(raiz, ruta, nombre, dato);
  }
  long EnumerarSubclave(win::HKEY raiz, const std::string& ruta, uint32_t indice, std::string& nombre) override {
    ++llamadas;
    if (indice == 0) return r_.EnumerarSubclave(raiz, ruta, indice, nombre);
    return win::kAccesoDenegado;
  }
  long EnumerarValor(win::HKEY raiz, const std::string& ruta, uint32_t indice, std::string& nombre,
                     DatoDelRegistro& dato) override {
    return r_.EnumerarValor(raiz, ruta, indice, nombre, dato);
  }
  long ConsultarInfo(win::HKEY raiz, const std::string& ruta, InfoDeClave& info) override {
    return r_.ConsultarInfo(raiz, ruta, info);
  }
  long CrearClave(win::HKEY raiz, const std::string& ruta) override { return r_.CrearClave(raiz, ruta); }
  long EstablecerValor(win::HKEY raiz, const std::string& ruta, const std::string& nombre,
                       const DatoDelRegistro& dato) override {
    return r_.EstablecerValor(raiz, ruta, nombre, dato);
  }
  long BorrarValor(win::HKEY raiz, const std::string& ruta, const std::string& nombre) override {
    return r_.BorrarValor(raiz, ruta, nombre);
  }
  long BorrarClave(win::HKEY raiz, const std::string& ruta) override { return r_.BorrarClave(raiz, ruta); }
  std::string MotivoDelUltimoError() const override { return r_.MotivoDelUltimoError(); }
  int llamadas = 0;

 private:
  Registro& r_;
};

TEST_F(NetFrameworkTest, UnErrorTerminaLaListaEnLugarDeRepetirseSinFin) {
  ConSubclaves({"v2.0.50727", "v3.0"});
  RegistroQueFalla falla(registro);
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

// The local database's installation over a temporary prefix: the drive it lies on decides the
// permission run or the message; the progress; a missing location; the regional date format.
#include "localdb/BaseDeDatosLocal.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "ContenidoDemo.h"
#include "apoyo/PrefijoTemporal.h"
#include "localdb/ArchivoDeRegistro.h"
#include "localdb/FormatoRegional.h"
#include "platform/fakes/PlataformaDePrueba.h"
#include "platform/linux/Prefijo.h"

namespace evalora {
namespace {

class UnidadesFijas : public Unidades {
 public:
  std::vector<Unidad> Listar() override { return unidades; }
  std::vector<Unidad> unidades;
};

class PanelGrabado : public PanelDeInstalacion {
 public:
  void ProcesoEnEjecucion(const std::string& t) override { proceso = t; }
  void Etapa(const std::string& t) override { etapas.push_back(t); }
  void Progreso(int32_t p) override { progreso.push_back(p); }
  void Refrescar() override {}
  std::string proceso;
  std::vector<std::string> etapas;
  std::vector<int32_t> progreso;
};

class BaseDeDatosLocalTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Prefijo(prefijo.Raiz()).Preparar());
    const auto fuentes = prefijo.Raiz() / "drive_c/Program Files/Evalora 2020 Local/Utilerías/Servidor local";
    std::filesystem::create_directories(fuentes);
    prefijo.Escribir("drive_c/Program Files/Evalora 2020 Local/Utilerías/Servidor local/EVDBMSLocal.mdb", "mdb");
    ASSERT_TRUE(servidor::CrearArchivoDeRegistroDemo(fuentes / "EVDBMSLocal.evx", kClaveDelArchivoDeRegistro));
    std::filesystem::create_directories(prefijo.Raiz() / "drive_c/Escuela");
    estado.TipoDeAsistente = "2";
    estado.VersionMayor = "2020";
    estado.InstalarBaseDeDatos = true;
    estado.CarpetaDeInstalacion = "C:\\Program Files\\Evalora 2020 Local";
    estado.CarpetaBaseDeDatos = "C:\\Escuela";
  }
  bool Instalar() {
    const Plataforma b = plataforma.Servicios();
    const Plataforma p = Sustituir(b, {.unidades = &unidades});
    return InstalarBaseDeDatosLocal(estado, p, panel, " escuel01te ");
  }
  const std::vector<falsos::MensajeMostrado>& Avisos() { return plataforma.mensajes.mostrados; }

  pruebas::PrefijoTemporal prefijo;
  falsos::PlataformaDePrueba plataforma{prefijo.Raiz(), {2020, 2, 0, 3}, {}};
  UnidadesFijas unidades;
  PanelGrabado panel;
  EstadoDeEjecucion estado;
};

TEST_F(BaseDeDatosLocalTest, UnidadFijaCompartidaPorLaHerramienta) {
  unidades.unidades = {{"C:", kUnidadFija}, {"D:", kUnidadCdRom}};
  ASSERT_TRUE(Instalar());
  EXPECT_EQ(estado.CarpetaBaseDeDatos, "C:\\Escuela\\Servidor Evalora 2020 Local");
  EXPECT_EQ(panel.proceso, "Instalando la Base de datos Evalora...");
  EXPECT_EQ(panel.progreso, (std::vector<int32_t>{10, 20, 30, 30, 50, 65, 70, 75, 85, 90, 93, 97}));
  EXPECT_EQ(panel.etapas.back(), "Finalizando instalación");
  ASSERT_FALSE(plataforma.shell.abiertos.empty());
  EXPECT_EQ(plataforma.shell.abiertos.back(),
            "C:\\Escuela\\Servidor Evalora 2020 Local\\Utilerías\\SecurityFolder.exe \"Compartir\" \"C:\\Escuela\\"
            "Servidor Evalora 2020 Local\" \"C:\\Escuela\\Servidor Evalora 2020 Local\\LogEV.txt\"");
  EXPECT_TRUE(Avisos().empty());  // a marker that never came is not reported
}

TEST_F(BaseDeDatosLocalTest, UnidadExtraibleYRutaDeRed) {
  unidades.unidades = {{"C:", kUnidadExtraible}};
  ASSERT_TRUE(Instalar());
  ASSERT_EQ(Avisos().size(), 1u);
  EXPECT_EQ(
      Avisos()[0].texto.rfind("IMPORTANTE:\r\n\r\nInstalar la Base de datos del sistema en una unidad externa", 0), 0u);
  EXPECT_NE(Avisos()[0].texto.find("(soporte@evalora.mx; Teléfono: 800 838 2567)"), std::string::npos);
  EXPECT_TRUE(plataforma.shell.abiertos.empty());
  // A drive the machine does not list (as a network path): the message names the folder.
  SetUp();
  unidades.unidades.clear();
  ASSERT_TRUE(Instalar());
  ASSERT_EQ(Avisos().size(), 2u);
  EXPECT_NE(Avisos()[1].texto.find("colocaste la Base de datos (C:\\Escuela\\Servidor Evalora 2020 Local) y ejecuta la "
                                   "aplicación 'SecurityFolder'"),
            std::string::npos);
  EXPECT_NE(Avisos()[1].texto.find("predeterminadas Ruvex / Ruvex"), std::string::npos);
}

TEST_F(BaseDeDatosLocalTest, UbicacionVaciaTerminaConElMensajeDelError) {
  estado.CarpetaBaseDeDatos.clear();
  EXPECT_FALSE(Instalar());
  ASSERT_EQ(Avisos().size(), 1u);
  EXPECT_EQ(Avisos()[0].texto.rfind("\r\n\r\n", 0), 0u);  // no text of its own: the step's number is 0
  EXPECT_EQ(Avisos()[0].estilo, kMensajeAdvertencia);
}

TEST(TipoDeUnidad, LaLetraEnLaListaYSuTipo) {
  UnidadesFijas u;
  u.unidades = {{"C:", kUnidadFija}, {"E:", kUnidadExtraible}, {"N:", kUnidadDeRed}};
  int16_t tipo = 0;
  EXPECT_TRUE(TipoDeUnidad("c:", tipo, u));
  EXPECT_EQ(tipo, kUnidadFija);
  EXPECT_FALSE(TipoDeUnidad("E:", tipo, u));
  EXPECT_EQ(tipo, kUnidadExtraible);
  tipo = 0;
  EXPECT_FALSE(TipoDeUnidad("\\\\", tipo, u));  // a network path: no drive matches, the type stays
  EXPECT_EQ(tipo, 0);
}

TEST(FormatoRegional, FechaYHoraComoLaConfiguracionLasEscribe) {
  ::setenv("TZ", "UTC", 1);
  ::tzset();
  const int64_t momento = 1773135000 + 5 * 3600 + 7;  // 2026-03-10 14:30:07
  EXPECT_EQ(FechaYHora(momento, FormatoRegional{}), "10/03/2026 14:30:07");
  FormatoRegional f{"M/d/yy", "h:mm:ss tt", "AM", "PM"};
  EXPECT_EQ(FechaYHora(momento, f), "3/10/26 2:30:07 PM");
  f.fechaCorta = "yyyy-MM-dd";
  f.hora = "HH'h'mm";
  EXPECT_EQ(FechaYHora(momento - 5 * 3600, f), "2026-03-10 09h30");
}

}  // namespace
}  // namespace evalora

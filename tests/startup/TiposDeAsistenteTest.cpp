#include "startup/TiposDeAsistente.h"

#include <gtest/gtest.h>

#include "platform/linux/EntornoLinux.h"
#include "startup/IdValido.h"

namespace evalora {
namespace {

class VentanaDePrueba : public TitulosDeVentana {
 public:
  std::string TituloActual() const override { return titulo; }
  void EscribirTitulo(const std::string& t) override { titulo = t; }
  void EscribirCaption(const std::string& c) override { caption = c; }
  std::string titulo = kTituloDeDiseno;
  std::string caption;
};

EstadoDeEjecucion Estado(const std::string& tipo) {
  EstadoDeEjecucion estado;
  EstablecerVersion(estado, {2020, static_cast<uint32_t>(std::stoul(tipo)), 0, 3});
  return estado;
}

TEST(Titulos, CadaTipo) {
  const std::pair<const char*, const char*> esperados[] = {
      {"1", "Asistente para la instalación de Evalora 2020 Cloud"},
      {"2", "Asistente para la instalación de la Base de datos de Evalora 2020 Local"},
      {"3", "Asistente para la instalación de Evalora 2020 Local"},
      {"4", "Asistente para la descarga de Evalora 2020 Cloud"},
      {"5", "Asistente para la descarga de Evalora 2020 Local"},
      {"6", "Asistente para la descarga del material didáctico de Evalora 2020 Cloud"},
      {"7", "Asistente para la descarga del material didáctico Evalora 2020 Local"},
      {"8", "Asistente para la descarga de los Lanzadores Evalora 2020"},
  };
  for (const auto& [tipo, titulo] : esperados) {
    VentanaDePrueba ventana;
    EstablecerTitulos(Estado(tipo), ventana, nullptr);
    EXPECT_EQ(ventana.titulo, titulo) << tipo;
    EXPECT_EQ(ventana.caption, std::string(titulo) + " (Compilación 6)") << tipo;
  }
}

TEST(Titulos, VersionDelEjecutable) {
  EstadoDeEjecucion estado;
  EstablecerVersion(estado, {2021, 6, 0, 9});
  EXPECT_EQ(estado.VersionMayor, "2021");
  EXPECT_EQ(estado.TipoDeAsistente, "6");
  EXPECT_EQ(*TituloDelAsistente(estado), "Asistente para la descarga del material didáctico de Evalora 2021 Cloud");
}

TEST(Titulos, TipoDesconocidoConservaElDeDiseno) {
  VentanaDePrueba ventana;
  int pedidos = 0;
  EstablecerTitulos(Estado("9"), ventana, [&] { ++pedidos; });
  EXPECT_EQ(ventana.titulo, "Asistente de Descarga");
  EXPECT_EQ(ventana.caption, "Asistente de Descarga (Compilación 6)");
  EXPECT_EQ(pedidos, 0);
}

TEST(Titulos, PesoDelInstaladorSoloParaTiposMenoresQue6) {
  for (int tipo = 1; tipo <= 8; ++tipo) {
    VentanaDePrueba ventana;
    std::string cuando;
    EstablecerTitulos(Estado(std::to_string(tipo)), ventana, [&] { cuando = ventana.titulo; });
    // Asked before the titles are written.
    if (tipo < 6) {
      EXPECT_EQ(cuando, kTituloDeDiseno) << tipo;
    } else {
      EXPECT_EQ(cuando, "") << tipo;
    }
  }
}

class FlujoTest : public ::testing::Test {
 protected:
  struct Resultado {
    std::string paso;
    int pesosPedidos = 0;
  };
  Resultado Iniciar(EstadoDeEjecucion& estado) {
    Resultado r;
    IniciarFlujo(
        estado, entorno, [&] { ++r.pesosPedidos; }, [&](const std::string& paso) { r.paso = paso; });
    return r;
  }
  EntornoLinux entorno{{"ProgramFiles=C:\\Program Files (x86)"}, "alumno"};
};

TEST_F(FlujoTest, TiposQueInstalan) {
  auto e1 = Estado("1");
  EXPECT_EQ(Iniciar(e1).paso, "Descarga");
  EXPECT_EQ(e1.Edicion, "Cloud");
  EXPECT_EQ(e1.CarpetaDeInstalacion, "C:\\Program Files (x86)\\Evalora 2020 Cloud");
  EXPECT_FALSE(e1.InstalarBaseDeDatos);
  auto e2 = Estado("2");
  EXPECT_EQ(Iniciar(e2).paso, "IndicaIdEV");
  EXPECT_EQ(e2.Edicion, "Local");
  EXPECT_EQ(e2.CarpetaDeInstalacion, "C:\\Program Files (x86)\\Evalora 2020 Local");
  EXPECT_TRUE(e2.InstalarBaseDeDatos);
  auto e3 = Estado("3");
  EXPECT_EQ(Iniciar(e3).paso, "Descarga");
  EXPECT_EQ(e3.Edicion, "Local");
  EXPECT_EQ(e3.CarpetaDeInstalacion, "C:\\Program Files (x86)\\Evalora 2020 Local");
}

TEST_F(FlujoTest, TiposQueDescarganDejanLaCarpetaVacia) {
  const std::tuple<const char*, const char*, const char*, int> esperados[] = {
      {"4", "Cloud", "SolicitaCarpeta", 0}, {"5", "Local", "SolicitaCarpeta", 0}, {"6", "Cloud", "SolicitaSuite", 1},
      {"7", "Local", "SolicitaSuite", 1},   {"8", "Local", "SolicitaCarpeta", 0},
  };
  for (const auto& [tipo, edicion, paso, pesos] : esperados) {
    auto e = Estado(tipo);
    e.CarpetaDeInstalacion = "C:\\Users\\alumno\\Desktop";
    const auto r = Iniciar(e);
    EXPECT_EQ(r.paso, paso) << tipo;
    EXPECT_EQ(r.pesosPedidos, pesos) << tipo;
    EXPECT_EQ(e.Edicion, edicion) << tipo;
    EXPECT_EQ(e.CarpetaDeInstalacion, "") << tipo;
  }
}

TEST_F(FlujoTest, TipoDesconocidoNoLlevaANingunaParte) {
  auto e = Estado("9");
  e.CarpetaDeInstalacion = "C:\\x";
  e.Edicion = "Cloud";
  const auto r = Iniciar(e);
  EXPECT_EQ(r.paso, "");
  EXPECT_EQ(r.pesosPedidos, 0);
  EXPECT_EQ(e.Edicion, "Cloud");
  EXPECT_EQ(e.CarpetaDeInstalacion, "");
}

TEST(IdValido, FormatoYSufijos) {
  EXPECT_TRUE(IdValido("  abcdef02ge  "));
  EXPECT_TRUE(IdValido("ABCDEF01TE"));
  EXPECT_TRUE(
      IdValido("123456"
               "03AC"));
  EXPECT_TRUE(
      IdValido("123456"
               "04at"));
  EXPECT_FALSE(IdValido("ABCDEFG01TE"));  // 11 characters
  EXPECT_FALSE(IdValido("ABCDE01TE"));    // 9
  EXPECT_FALSE(IdValido("ABCDEF05XX"));
  EXPECT_FALSE(IdValido("ABCDEF01T "));
  EXPECT_FALSE(IdValido(""));
  EXPECT_FALSE(IdValido("\tABCDEF01TE"));  // only blanks are trimmed
  // Characters, not bytes: six accented letters and the suffix make ten.
  EXPECT_TRUE(IdValido("ÁÉÍÓÚÑ01TE"));
  EXPECT_TRUE(
      IdValido("ñandú"
               "x01te"));
}

}  // namespace
}  // namespace evalora

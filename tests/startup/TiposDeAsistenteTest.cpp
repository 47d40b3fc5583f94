#include "startup/TiposDeAsistente.h"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>

#include "startup/IdValido.h"

namespace evalora {
namespace {

class EntornoDePrueba : public Entorno {
 public:
  std::string Valor(const std::string& nombre) const override {
    return nombre == "ProgramFiles" ? "C:\\Program Files (x86)" : "";
  }
};

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
    std::optional<Paso> paso;
    int pesosPedidos = 0;
  };
  Resultado Iniciar(EstadoDeEjecucion& estado) {
    Resultado r;
    r.paso = IniciarFlujo(estado, entorno, [&] { ++r.pesosPedidos; });
    return r;
  }
  EntornoDePrueba entorno;
};

TEST_F(FlujoTest, TiposQueInstalan) {
  auto e1 = Estado("1");
  EXPECT_EQ(Iniciar(e1).paso, Paso::kDescarga);
  EXPECT_EQ(e1.Edicion, "Cloud");
  EXPECT_EQ(e1.CarpetaDeInstalacion, "C:\\Program Files (x86)\\Evalora 2020 Cloud");
  EXPECT_FALSE(e1.InstalarBaseDeDatos);
  auto e2 = Estado("2");
  EXPECT_EQ(Iniciar(e2).paso, Paso::kIndicaIdEV);
  EXPECT_EQ(e2.Edicion, "Local");
  EXPECT_EQ(e2.CarpetaDeInstalacion, "C:\\Program Files (x86)\\Evalora 2020 Local");
  EXPECT_TRUE(e2.InstalarBaseDeDatos);
  auto e3 = Estado("3");
  EXPECT_EQ(Iniciar(e3).paso, Paso::kDescarga);
  EXPECT_EQ(e3.Edicion, "Local");
  EXPECT_EQ(e3.CarpetaDeInstalacion, "C:\\Program Files (x86)\\Evalora 2020 Local");
}

TEST_F(FlujoTest, TiposQueDescarganDejanLaCarpetaVacia) {
  const std::tuple<const char*, const char*, Paso, int> esperados[] = {
      {"4", "Cloud", Paso::kSolicitaCarpeta, 0}, {"5", "Local", Paso::kSolicitaCarpeta, 0},
      {"6", "Cloud", Paso::kSolicitaSuite, 1},   {"7", "Local", Paso::kSolicitaSuite, 1},
      {"8", "Local", Paso::kSolicitaCarpeta, 0},
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
  EXPECT_EQ(r.paso, std::nullopt);
  EXPECT_EQ(r.pesosPedidos, 0);
  EXPECT_EQ(e.Edicion, "Cloud");
  EXPECT_EQ(e.CarpetaDeInstalacion, "");
}

std::string Leer(const std::string& relativo) {
  std::ifstream f(std::string(EVALORA_FUENTES) + "/" + relativo);
  std::stringstream texto;
  texto << f.rdbuf();
  return texto.str();
}

// The words of a CMake list `set(NOMBRE ...)`: its quoted texts, or else its bare words.
std::vector<std::string> ListaDeCMake(const std::string& texto, const std::string& nombre) {
  const size_t desde = texto.find("set(" + nombre + "\n");
  if (desde == std::string::npos) return {};
  const size_t inicio = texto.find('\n', desde) + 1;
  const std::string cuerpo = texto.substr(inicio, texto.find(')', inicio) - inicio);
  std::vector<std::string> palabras;
  const std::regex palabra(cuerpo.find('"') != std::string::npos ? "\"([^\"]*)\"" : "([^\\s]+)");
  for (std::sregex_iterator i(cuerpo.begin(), cuerpo.end(), palabra), fin; i != fin; ++i) {
    palabras.push_back(std::regex_replace((*i)[1].str(), std::regex("\\$\\{EVALORA_VERSION_PRODUCTO\\}"), "{v}"));
  }
  return palabras;
}

// The build, the demo script and the Windows scenarios' list of programs name the kinds as the
// table does, in its order; a kind added, renamed or reordered in one place only is caught here.
TEST(TablaDeTipos, CMakeYLosGuionesLaSiguen) {
  const auto& tipos = TiposDeAsistente();
  const std::string cmake = Leer("apps/CMakeLists.txt");
  const auto ejecutables = ListaDeCMake(cmake, "EVALORA_EJECUTABLES");
  const auto descripciones = ListaDeCMake(cmake, "EVALORA_DESCRIPCIONES");
  const auto niveles = ListaDeCMake(cmake, "EVALORA_NIVELES");
  ASSERT_EQ(ejecutables.size(), tipos.size());
  ASSERT_EQ(descripciones.size(), tipos.size());
  ASSERT_EQ(niveles.size(), tipos.size());
  std::vector<std::string> patrones;
  const std::string demo = Leer("scripts/demo.sh");
  const std::string lista = demo.substr(demo.find("patrones=("), demo.find("\n)", demo.find("patrones=(")) - demo.find("patrones=("));
  const std::regex patron("'([^']*)'");
  for (std::sregex_iterator i(lista.begin(), lista.end(), patron), fin; i != fin; ++i) {
    patrones.push_back(std::regex_replace((*i)[1].str(), std::regex("\\*"), "{v}"));
  }
  ASSERT_EQ(patrones.size(), tipos.size());
  for (size_t i = 0; i < tipos.size(); ++i) {
    EXPECT_EQ(tipos[i].numero, static_cast<int>(i + 1));
    EXPECT_EQ(ejecutables[i], tipos[i].ejecutable) << i + 1;
    EXPECT_EQ(descripciones[i], tipos[i].titulo) << i + 1;
    EXPECT_EQ(niveles[i], tipos[i].instala ? "highestAvailable" : "asInvoker") << i + 1;
    EXPECT_EQ(patrones[i], tipos[i].ejecutable) << i + 1;
  }
  // Every wizard the tests' build names is one of the table's.
  const std::string pruebas = Leer("tests/CMakeLists.txt");
  const std::regex nombrado("(Asistente[A-Za-z]*)\\$\\{EVALORA_VERSION_PRODUCTO\\}([A-Za-z]*)");
  int nombrados = 0;
  for (std::sregex_iterator i(pruebas.begin(), pruebas.end(), nombrado), fin; i != fin; ++i, ++nombrados) {
    const std::string nombre = (*i)[1].str() + "{v}" + (*i)[2].str();
    EXPECT_TRUE(std::any_of(tipos.begin(), tipos.end(), [&](const FichaDeTipo& t) { return nombre == t.ejecutable; }))
        << nombre;
  }
  EXPECT_GT(nombrados, 0);
}

// What each kind decides, asked of the run's state; a kind outside 1 to 8 is none of them.
TEST(TablaDeTipos, PreguntasPorTipo) {
  const std::string instalan = "123", sistema = "13", suites = "67", lanzador = "8";
  for (int n = 0; n <= 9; ++n) {
    const EstadoDeEjecucion e = Estado(std::to_string(n));
    const char c = static_cast<char>('0' + n);
    const bool enTabla = n >= 1 && n <= 8;
    EXPECT_EQ(FichaDelTipo(e) != nullptr, enTabla) << n;
    EXPECT_EQ(Instala(e), enTabla && instalan.find(c) != std::string::npos) << n;
    EXPECT_EQ(InstalaElSistema(e), enTabla && sistema.find(c) != std::string::npos) << n;
    EXPECT_EQ(PideSuites(e), enTabla && suites.find(c) != std::string::npos) << n;
    EXPECT_EQ(PideLanzador(e), enTabla && lanzador.find(c) != std::string::npos) << n;
    EXPECT_EQ(EdicionInstalada(e), n == 3 ? "Local" : "Cloud") << n;
  }
  EstadoDeEjecucion e = Estado("6");
  e.Edicion = "Cloud";
  EXPECT_EQ(Rellenar(FichaDelTipo(e)->descargas, e), "\\Instalador de Recursos Evalora Cloud");
  EXPECT_EQ(Rellenar(FichaDelTipo(e)->bienvenida, e, "(1 MB)"),
            "Este asistente descargará el instalador de recursos didácticos Evalora 2020 para poder utilizarlo "
            "después en diferentes equipos. (1 MB)");
  EXPECT_EQ(NombreDelAsistenteCloud(e), "AsistenteDeInstalacionEvalora2020Cloud");
  EXPECT_EQ(NombreDelAsistenteLocal(e), "AsistenteDeInstalacionEvalora2020Local");
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

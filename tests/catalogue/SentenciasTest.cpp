#include "catalogue/Sentencias.h"

#include <gtest/gtest.h>

namespace evalora {
namespace {

EstadoDeEjecucion Estado(const std::string& tipo, const std::string& edicion = "") {
  EstadoDeEjecucion e;
  e.TipoDeAsistente = tipo;
  e.VersionMayor = "2020";
  e.Edicion = edicion;
  return e;
}

TEST(Sentencias, InformesYPesos) {
  auto e = Estado("1");
  EXPECT_EQ(SentenciaRegistraFalla("http://127.0.0.1/a b.zip"), "spRegistraFalla 'http://127.0.0.1/a b.zip'");
  EXPECT_EQ(SentenciaRegistraFalla("Error - no se pudo crear la carpeta."),
            "spRegistraFalla 'Error - no se pudo crear la carpeta.'");
  EXPECT_EQ(SentenciaRegistraCorreo("ana@escuela.mx", "5555", "Ana", {}, e),
            "spRegistraCorreo 'ana@escuela.mx','1',0,0,0,0,'5555','Ana','2020'");
  e.TipoDeAsistente = "6";
  EXPECT_EQ(SentenciaRegistraCorreo("c", "t", "n", {true, false, true, false}, e),
            "spRegistraCorreo 'c','6',1,0,1,0,'t','n','2020'");
  EXPECT_EQ(SentenciaObtenerPesoInstalador(Estado("4")), "spObtienePesoInstalador 4,'2020'");
  EXPECT_EQ(SentenciaObtenerPesosRecursos(Estado("6")), "spObtienePesosRecursos '2020'");
  EXPECT_EQ(SentenciaVersionVigente("6", "2020"),
            "SELECT Activa, Version FROM TBL_DMVersionDM WHERE SUBSTRING ( Version ,6 , 1 )=6 and versionEV='2020'");
  EXPECT_EQ(SentenciaValidaIDLanzador("ABCDEF04AT"), "Exec spValidaIDLanzador 'ABCDEF04AT'");
}

TEST(Sentencias, LasComillasSeDoblan) {
  auto e = Estado("3");
  EXPECT_EQ(SentenciaRegistraCorreo("o'brien@x.ie", "55'5", "Seán O'Brien", {}, e),
            "spRegistraCorreo 'o''brien@x.ie','3',0,0,0,0,'55''5','Seán O''Brien','2020'");
  EXPECT_EQ(SentenciaValidaIDLanzador("ABC'; DROP"), "Exec spValidaIDLanzador 'ABC''; DROP'");
  EXPECT_EQ(SentenciaRegistraFalla("''"), "spRegistraFalla ''''''");
  EXPECT_EQ(Citar("sin comillas"), "sin comillas");
}

TEST(Sentencias, ListaDeArchivosPorTipo) {
  EXPECT_EQ(SolicitudDeArchivos(Estado("1", "Cloud"), {}), "Exec spDescargaSistema 'Cloud',2, '2020','01TE'");
  EXPECT_EQ(SolicitudDeArchivos(Estado("2", "Local"), {}), "Exec spDescargaBDServidorLocal '2020'");
  EXPECT_EQ(SolicitudDeArchivos(Estado("3", "Local"), {}), "Exec spDescargaSistema 'Local',2,'2020','01TE'");
  EXPECT_EQ(SolicitudDeArchivos(Estado("4", "Cloud"), {}), "Exec spDescargaSistema 'Cloud',1,'2020','01TE'");
  EXPECT_EQ(SolicitudDeArchivos(Estado("5", "Local"), {}), "Exec spDescargaSistema 'Local',1,'2020','01TE'");
  SuitesElegidas solo2016;
  solo2016.office2016 = true;
  EXPECT_EQ(SolicitudDeArchivos(Estado("6", "Cloud"), solo2016),
            "Exec spDescargaRecursos 0,0,0,0,'Cloud','2020',1,0,'01TE',0");
  // The procedure's order of arguments, not the screen's.
  const SuitesElegidas todas{true, true, true, true, true, true, true};
  EXPECT_EQ(SolicitudDeArchivos(Estado("7", "Local"), todas),
            "Exec spDescargaRecursos 1,1,1,1,'Local','2020',1,1,'01TE',1");
  SuitesElegidas algunas;
  algunas.office2010 = algunas.adobeCC2014 = algunas.programacion = true;
  EXPECT_EQ(SolicitudDeArchivos(Estado("6", "Cloud"), algunas),
            "Exec spDescargaRecursos 1,0,0,1,'Cloud','2020',0,1,'01TE',0");
  EXPECT_EQ(SolicitudDeArchivos(Estado("8", "Local"), {}), "");
  EXPECT_EQ(SolicitudDeArchivos(Estado("9"), {}), "");
}

TEST(Sentencias, Variante02GE) {
  auto e = Estado("3", "Local");
  e.UsarVariante01TE = false;
  EXPECT_EQ(SolicitudDeArchivos(e, {}), "Exec spDescargaSistema 'Local',2,'2020','02GE'");
  e.TipoDeAsistente = "6";
  e.Edicion = "Cloud";
  EXPECT_EQ(SolicitudDeArchivos(e, {}), "Exec spDescargaRecursos 0,0,0,0,'Cloud','2020',0,0,'02GE',0");
}

TEST(FiltroDelLanzador, CasosDelListado) {
  EXPECT_EQ(TextoDelFiltro(FiltroDelLanzador("Word;Excel;")),
            "RutaServidor LIKE '%Word%' OR RutaServidor LIKE '%Excel%'");
  EXPECT_EQ(TextoDelFiltro(FiltroDelLanzador("A;;B;")), "RutaServidor LIKE '%A%' OR RutaServidor LIKE '%B%'");
  EXPECT_EQ(TextoDelFiltro(FiltroDelLanzador("A;B")), "RutaServidor LIKE '%A%'");  // B has no ";"
  // Empty names add nothing: never a dangling OR.
  EXPECT_EQ(TextoDelFiltro(FiltroDelLanzador("A;B;;")), "RutaServidor LIKE '%A%' OR RutaServidor LIKE '%B%'");
  EXPECT_EQ(TextoDelFiltro(FiltroDelLanzador("Word;Excel;;")), "RutaServidor LIKE '%Word%' OR RutaServidor LIKE '%Excel%'");
  EXPECT_EQ(PartesDelFiltro(FiltroDelLanzador("Word;;;")), std::vector<std::string>{"RutaServidor LIKE '%Word%'"});
  EXPECT_EQ(TextoDelFiltro(FiltroDelLanzador("")), "");
  EXPECT_EQ(TextoDelFiltro(FiltroDelLanzador(";;")), "");
  EXPECT_EQ(TextoDelFiltro(FiltroDelLanzador("Power'Point;")), "RutaServidor LIKE '%Power''Point%'");
}

TEST(FiltroDelLanzador, PartesDeHasta200SinCortarCondiciones) {
  std::string aplicaciones;
  for (int i = 0; i < 20; ++i) aplicaciones += "Aplicacion" + std::to_string(i) + ";";
  const auto filtro = FiltroDelLanzador(aplicaciones);
  ASSERT_EQ(filtro.condiciones.size(), 20u);
  const auto partes = PartesDelFiltro(filtro);
  ASSERT_GT(partes.size(), 1u);
  std::string unidas;
  for (const auto& parte : partes) {
    EXPECT_LE(parte.size(), 200u);
    EXPECT_EQ(parte.rfind("RutaServidor LIKE '%", 0), 0u) << parte;
    EXPECT_EQ(parte.substr(parte.size() - 2), "%'") << parte;
    unidas += (unidas.empty() ? "" : " OR ") + parte;
  }
  EXPECT_EQ(unidas, TextoDelFiltro(filtro));
  // What fits stays one text, equal to the whole filter; the empty filter is one empty text.
  EXPECT_EQ(PartesDelFiltro(FiltroDelLanzador("Word;Excel;")),
            std::vector<std::string>{TextoDelFiltro(FiltroDelLanzador("Word;Excel;"))});
  EXPECT_EQ(PartesDelFiltro(FiltroDelLanzador("")), std::vector<std::string>{""});
  // An empty last name leaves no " OR " at the end of the last part.
  const auto conVacio = PartesDelFiltro(FiltroDelLanzador(aplicaciones + ";"));
  EXPECT_EQ(conVacio, partes);
}

}  // namespace
}  // namespace evalora

// The catalogue client against the development catalogue on loopback, through the build's real
// driver (unixODBC and FreeTDS; odbc32 under Wine), on the build's test machine.
#include "catalogue/ClienteDelCatalogo.h"
#include "catalogue/VersionDelCatalogo.h"

#include <gtest/gtest.h>

#include <chrono>

#include "apoyo/MaquinaDePrueba.h"
#include "platform/fakes/Falsos.h"

namespace evalora {
namespace {

class ClienteDelCatalogoTest : public ::testing::Test {
 protected:
  void Iniciar(const std::string& sql = "", const std::string& falla = "") {
    maquina.IniciarCatalogo(sql, falla);
    conexion = std::make_unique<ConexionCatalogo>(odbc, DireccionDelCatalogo{"127.0.0.1", maquina.PuertoCatalogo()}, 2);
    cliente = std::make_unique<ClienteDelCatalogo>(
        estado, *conexion, ServiciosDelCatalogo{archivos, eventos, mensajes, terminacion}, "www.evalora.example");
  }
  void TearDown() override {
    cliente.reset();
    conexion.reset();
  }
  void Tipo(const std::string& tipo, const std::string& edicion) {
    estado.TipoDeAsistente = tipo;
    estado.VersionMayor = "2020";
    estado.Edicion = edicion;
  }
  std::vector<std::string> Recibido() { return maquina.RecibidoPorElCatalogo(); }
  // A path below the test's own folder.
  std::string En(const std::string& relativa) const { return maquina.Carpeta() + "\\" + relativa; }

  pruebas::MaquinaDePrueba maquina;
  SistemaDeArchivos& archivos = maquina.Archivos();
  Odbc& odbc = maquina.OdbcDeLaMaquina();
  falsos::BucleContado eventos;
  falsos::MensajesGrabados mensajes;
  falsos::TerminacionObservada terminacion;
  EstadoDeEjecucion estado;
  std::unique_ptr<ConexionCatalogo> conexion;
  std::unique_ptr<ClienteDelCatalogo> cliente;
};

TEST_F(ClienteDelCatalogoTest, CadaListaPideLoSuyo) {
  Iniciar();
  const std::tuple<const char*, const char*, const char*> casos[] = {
      {"1", "Cloud", "Exec spDescargaSistema 'Cloud',2, '2020','01TE'"},
      {"2", "Local", "Exec spDescargaBDServidorLocal '2020'"},
      {"3", "Local", "Exec spDescargaSistema 'Local',2,'2020','01TE'"},
      {"4", "Cloud", "Exec spDescargaSistema 'Cloud',1,'2020','01TE'"},
      {"5", "Local", "Exec spDescargaSistema 'Local',1,'2020','01TE'"},
  };
  for (const auto& [tipo, edicion, esperada] : casos) {
    Tipo(tipo, edicion);
    estado.CarpetaDeInstalacion = "C:\\Evalora";
    cliente->ObtenerListaDeArchivos({});
    EXPECT_EQ(Recibido().back(), esperada);
    EXPECT_FALSE(estado.ListaCatalogo.empty()) << tipo;
  }
  Tipo("6", "Cloud");
  SuitesElegidas solo2016;
  solo2016.office2016 = true;
  cliente->ObtenerListaDeArchivos(solo2016);
  EXPECT_EQ(Recibido().back(), "Exec spDescargaRecursos 0,0,0,0,'Cloud','2020',1,0,'01TE',0");
  ASSERT_EQ(estado.ListaCatalogo.size(), 2u);
  EXPECT_EQ(estado.ListaCatalogo[0].RutaServidor, "http://127.0.0.1:8080/2020/Cloud/01TE/Recursos/MS2016/Guia.pdf");
  EXPECT_EQ(estado.ListaCatalogo[0].RutaLocal,
            "C:\\Evalora\\Instalador de Recursos Evalora Cloud\\MS2016\\Guía del alumno.pdf");
  EXPECT_EQ(estado.ListaCatalogo[0].Peso, 2097152);
  // After an accepted 02GE ID.
  Tipo("3", "Local");
  estado.UsarVariante01TE = false;
  cliente->ObtenerListaDeArchivos({});
  EXPECT_EQ(Recibido().back(), "Exec spDescargaSistema 'Local',2,'2020','02GE'");
}

TEST_F(ClienteDelCatalogoTest, LanzadoresConSuFiltro) {
  Iniciar();
  Tipo("8", "Local");
  ASSERT_TRUE(cliente->ValidaIDLanzador("LANZA104AT"));
  EXPECT_EQ(estado.AplicacionesDelLanzador, "Word;Excel;");
  EXPECT_TRUE(estado.DescargarActividades);
  cliente->ObtenerListaDeArchivos({});
  EXPECT_EQ(
      Recibido().back(),
      "RPC spDescargaLanzadores: Lanzadores | 2020 | RutaServidor LIKE '%Word%' OR RutaServidor LIKE '%Excel%' | 1");
  EXPECT_EQ(estado.ListaCatalogo.size(), 4u);
  // Not a launcher, or unknown: nothing is left from the previous check.
  EXPECT_FALSE(cliente->ValidaIDLanzador("ALUMNO01TE"));
  EXPECT_EQ(estado.AplicacionesDelLanzador, "");
  EXPECT_FALSE(estado.DescargarActividades);
  EXPECT_FALSE(cliente->ValidaIDLanzador("NOEXISTE01"));
  EXPECT_EQ(Recibido().back(), "Exec spValidaIDLanzador 'NOEXISTE01'");
  EXPECT_FALSE(cliente->ValidaIDLanzador("O'BRIEN04AT"));
  EXPECT_EQ(Recibido().back(), "Exec spValidaIDLanzador 'O''BRIEN04AT'");
}

TEST_F(ClienteDelCatalogoTest, FiltroLargoEnVariasLlamadas) {
  std::string sql;
  std::string aplicaciones;
  for (int i = 0; i < 12; ++i) {
    const std::string app = "AplicacionDeEvaluacion" + std::to_string(i);
    aplicaciones += app + ";";
    sql +=
        "INSERT INTO Archivos (Producto, VersionEV, RutaServidor, RutaLocal, Peso) VALUES ('Lanzadores','2020',"
        "'${HTTP}/L/" +
        app + ".exe','" + app + ".exe','10');";
  }
  Iniciar(sql);
  Tipo("8", "Local");
  estado.AplicacionesDelLanzador = aplicaciones;
  cliente->ObtenerListaDeArchivos({});
  int llamadas = 0;
  for (const auto& l : Recibido()) {
    if (l.rfind("RPC spDescargaLanzadores", 0) == 0) {
      ++llamadas;
      const auto desde = l.find(" | 2020 | ") + 10;
      const std::string filtro = l.substr(desde, l.rfind(" | ") - desde);
      EXPECT_LE(filtro.size(), 200u) << filtro;
    }
  }
  EXPECT_GT(llamadas, 1);
  EXPECT_EQ(estado.ListaCatalogo.size(), 12u);  // each file once
}

TEST_F(ClienteDelCatalogoTest, UnCatalogoQueCallaNoRetieneMasQueLaEsperaDeLaSentencia) {
  // Statements here may take 2 s: a catalogue that answers the login and then nothing costs the
  // list no more than that in all (the driver's cancel included), and the list is not read.
  Iniciar("", "callar-tras-login");
  Tipo("4", "Cloud");
  estado.CarpetaDeInstalacion = En("Descargas");
  const auto inicio = std::chrono::steady_clock::now();
  EXPECT_FALSE(cliente->ObtenerListaDeArchivos({}));
  const auto segundos = std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio).count();
  EXPECT_LE(segundos, 2.5);
  EXPECT_TRUE(estado.ListaCatalogo.empty());
}

TEST_F(ClienteDelCatalogoTest, BanderasDeArchivosPresentes) {
  Iniciar();
  Tipo("4", "Cloud");
  estado.CarpetaDeInstalacion = En("Descargas");
  cliente->ObtenerListaDeArchivos({});
  EXPECT_FALSE(estado.TodosLosArchivosExisten);
  EXPECT_TRUE(estado.NingunArchivoExiste);
  EXPECT_TRUE(estado.AlgunArchivoExiste);
  maquina.Escribir(En("Descargas\\Instalador Evalora Cloud\\SetupEvalora2020Cloud.exe"), std::string(3145728, 'x'));
  maquina.Escribir(En("Descargas\\Instalador Evalora Cloud\\autorun.inf"), std::string(64, 'x'));
  maquina.Escribir(En("Descargas\\Instalador Evalora Cloud\\Léeme.txt"), std::string(2047, 'x'));  // one byte short
  cliente->ObtenerListaDeArchivos({});
  EXPECT_FALSE(estado.TodosLosArchivosExisten);
  EXPECT_FALSE(estado.NingunArchivoExiste);
  EXPECT_FALSE(estado.ListaCatalogo[0].Pendiente);
  EXPECT_TRUE(estado.ListaCatalogo[2].Pendiente);
  maquina.Escribir(En("Descargas\\Instalador Evalora Cloud\\Léeme.txt"), std::string(2048, 'x'));
  cliente->ObtenerListaDeArchivos({});
  EXPECT_TRUE(estado.TodosLosArchivosExisten);
  EXPECT_FALSE(estado.NingunArchivoExiste);
  EXPECT_EQ(eventos.veces, 9);  // once per row of the three builds
}

TEST_F(ClienteDelCatalogoTest, SinArchivosTerminaTrasElAviso) {
  Iniciar("DELETE FROM Archivos WHERE Producto = 'BDServidorLocal';");
  Tipo("2", "Local");
  EXPECT_THROW(cliente->ObtenerListaDeArchivos({}), falsos::ProgramaTerminado);
  ASSERT_EQ(mensajes.mostrados.size(), 1u);
  EXPECT_EQ(mensajes.mostrados[0].texto, "No se encontraron archivos para descargar.");
  EXPECT_EQ(mensajes.mostrados[0].estilo, 0);
  EXPECT_FALSE(mensajes.mostrados[0].titulo.has_value());  // the application's title
}

TEST_F(ClienteDelCatalogoTest, UnPesoQueNoEsNumeroDetieneLaLista) {
  Iniciar(
      "UPDATE Archivos SET Peso = '  64  ' WHERE RutaLocal LIKE '%autorun.inf';"
      "UPDATE Archivos SET Peso = 'mucho' WHERE RutaLocal LIKE '%Léeme.txt';");
  Tipo("5", "Local");
  estado.CarpetaDeInstalacion = "C:\\D";
  cliente->ObtenerListaDeArchivos({});
  ASSERT_EQ(estado.ListaCatalogo.size(), 3u);
  EXPECT_EQ(estado.ListaCatalogo[1].Peso, 64);          // blanks removed
  EXPECT_EQ(estado.ListaCatalogo[2].RutaServidor, "");  // the row that failed and after it: empty
  EXPECT_TRUE(mensajes.mostrados.empty());
}

TEST_F(ClienteDelCatalogoTest, MasDe32767Filas) {
  Iniciar(
      "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 33000) "
      "INSERT INTO Archivos (Producto, Edicion, Modo, Variante, VersionEV, RutaServidor, RutaLocal, Peso) "
      "SELECT 'Sistema','Cloud',1,'01TE','2019','http://x/' || i,'a' || i || '.bin','1' FROM n;");
  Tipo("4", "Cloud");
  estado.VersionMayor = "2019";
  cliente->ObtenerListaDeArchivos({});
  ASSERT_EQ(estado.ListaCatalogo.size(), 33000u);
  EXPECT_EQ(estado.ListaCatalogo.back().RutaServidor, "http://x/33000");
}

TEST_F(ClienteDelCatalogoTest, VersionVigente) {
  Iniciar(
      "DELETE FROM TBL_DMVersionDM;"
      "INSERT INTO TBL_DMVersionDM VALUES ('2020.1.3','2020',1), ('2020.2.2','2020',1), ('2020.3.4','2020',1),"
      "('2020.4.3   ','2020',1), ('2020.5.3','2020',0), ('2020.6.x','2020',1), ('2020.7.10','2020',1);");
  estado.VersionMayor = "2020";
  const std::string mantenimiento = kTextoMantenimiento;
  const std::string desactualizada = TextoVersionDesactualizada("www.evalora.example");
  const std::tuple<VersionDelEjecutable, bool, std::string> casos[] = {
      {{2020, 1, 0, 3}, true, ""},               // same
      {{2020, 2, 0, 3}, true, ""},               // newer
      {{2020, 3, 0, 3}, false, desactualizada},  // older
      {{2020, 4, 0, 3}, true, ""},               // blanks after the catalogue's version
      {{2020, 5, 0, 3}, false, mantenimiento},   // inactive
      {{2020, 6, 0, 3}, false, ""},              // unreadable "Version"
      {{2020, 7, 0, 9}, false, desactualizada},  // 202079 < 2020710
      {{2020, 8, 0, 3}, false, mantenimiento},   // no row
  };
  for (const auto& [version, vigente, aviso] : casos) {
    std::string texto = "previo";
    EXPECT_EQ(cliente->VersionVigente(version, texto), vigente) << version.Menor;
    EXPECT_EQ(texto, aviso) << version.Menor;
  }
  EXPECT_EQ(Recibido().front(),
            "SELECT Activa, Version FROM TBL_DMVersionDM WHERE SUBSTRING ( Version ,6 , 1 )=1 and versionEV='2020'");
}

TEST_F(ClienteDelCatalogoTest, PesosEInformes) {
  Iniciar();
  Tipo("4", "Cloud");
  cliente->ObtenerPesoInstalador();
  EXPECT_EQ(estado.PesoInstalador, 3147776);
  Tipo("6", "Cloud");
  estado.PesoInstalador = 99;
  cliente->ObtenerPesoInstalador();  // no row for kind 6: back to 0
  EXPECT_EQ(estado.PesoInstalador, 0);
  cliente->ObtenerPesosRecursos();
  EXPECT_EQ(estado.PesoMS2016, 3145728);
  EXPECT_EQ(estado.PesoProgramacion, 786432);
  estado.ImpresoraNoInstalable = true;
  cliente->RegistraCorreo("o'brien@x.ie", "55 55", "Seán O'Brien", false);
  cliente->RegistraFalla("http://127.0.0.1:8080/2020/a'b.zip");
  const auto r = Recibido();
  EXPECT_EQ(r[r.size() - 2], "spRegistraCorreo 'o''brien@x.ie','6',0,1,0,0,'55 55','Seán O''Brien','2020'");
  EXPECT_EQ(r.back(), "spRegistraFalla 'http://127.0.0.1:8080/2020/a''b.zip'");
  EXPECT_TRUE(mensajes.mostrados.empty());
}

TEST_F(ClienteDelCatalogoTest, CatalogoInalcanzableNoCambiaNada) {
  Iniciar("", "rechazar-login");
  Tipo("4", "Cloud");
  estado.PesoInstalador = 5;
  estado.ListaCatalogo.resize(2);
  cliente->ObtenerPesoInstalador();
  cliente->RegistraFalla("x");
  cliente->ObtenerListaDeArchivos({});
  std::string aviso = "previo";
  EXPECT_FALSE(cliente->VersionVigente({2020, 4, 0, 3}, aviso));
  EXPECT_EQ(aviso, "");
  EXPECT_EQ(estado.PesoInstalador, 5);
  EXPECT_EQ(estado.ListaCatalogo.size(), 2u);
  EXPECT_TRUE(estado.TodosLosArchivosExisten && estado.NingunArchivoExiste && estado.AlgunArchivoExiste);
  EXPECT_TRUE(mensajes.mostrados.empty());
  EXPECT_TRUE(Recibido().empty());
}

TEST_F(ClienteDelCatalogoTest, UnaColumnaIlegibleDejaLoLeidoHastaAhi) {
  Iniciar(
      "UPDATE PesosRecursos SET MS2016 = NULL;"
      "INSERT INTO Lanzadores VALUES ('SINAPPS04AT', 1, NULL, 1);");
  Tipo("6", "Cloud");
  estado.PesoMS2016 = 7;
  estado.PesoMS2019 = 7;
  cliente->ObtenerPesosRecursos();
  EXPECT_EQ(estado.PesoMS2010, 1572864);  // read before the error
  EXPECT_EQ(estado.PesoMS2013, 2359296);
  EXPECT_EQ(estado.PesoMS2016, 7);  // the unreadable one and those after it keep their values
  EXPECT_EQ(estado.PesoMS2019, 7);
  // A launcher whose applications cannot be read: the check says yes, the values stay reset.
  estado.AplicacionesDelLanzador = "previo;";
  estado.DescargarActividades = true;
  EXPECT_TRUE(cliente->ValidaIDLanzador("SINAPPS04AT"));
  EXPECT_EQ(estado.AplicacionesDelLanzador, "");
  EXPECT_FALSE(estado.DescargarActividades);
}

TEST_F(ClienteDelCatalogoTest, ConexionQueSeCierraTrasElLogin) {
  Iniciar("", "cerrar-tras-login");
  Tipo("4", "Cloud");
  estado.PesoInstalador = 5;
  cliente->ObtenerPesoInstalador();
  EXPECT_EQ(estado.PesoInstalador, 5);
  EXPECT_FALSE(cliente->ValidaIDLanzador("LANZA104AT"));
  std::string aviso = "previo";
  EXPECT_FALSE(cliente->VersionVigente({2020, 4, 0, 3}, aviso));
  EXPECT_EQ(aviso, "");
  EXPECT_TRUE(mensajes.mostrados.empty());
}

TEST_F(ClienteDelCatalogoTest, ServidorQueCallaTrasElLoginNoRetieneAlAsistente) {
  Iniciar("", "callar-tras-login");
  Tipo("4", "Cloud");
  estado.PesoInstalador = 5;
  const auto antes = std::chrono::steady_clock::now();
  cliente->ObtenerPesoInstalador();
  EXPECT_LT(std::chrono::steady_clock::now() - antes, std::chrono::seconds(8));
  EXPECT_EQ(estado.PesoInstalador, 5);
}

class EntornoFijo : public Entorno {
 public:
  explicit EntornoFijo(std::string catalogo) : catalogo_(std::move(catalogo)) {}
  std::string Valor(const std::string& nombre) const override { return nombre == "EVALORA_CATALOGO" ? catalogo_ : ""; }

 private:
  std::string catalogo_;
};

TEST(DireccionDelCatalogo, ElEntornoLaCambia) {
  EXPECT_EQ(DireccionDelCatalogoPara(EntornoFijo("")).host, "127.0.0.1");
  EXPECT_EQ(DireccionDelCatalogoPara(EntornoFijo("")).puerto, 1433);
  const auto d = DireccionDelCatalogoPara(EntornoFijo("10.1.2.3:14330"));
  EXPECT_EQ(d.host, "10.1.2.3");
  EXPECT_EQ(d.puerto, 14330);
  EXPECT_EQ(DireccionDelCatalogoPara(EntornoFijo("catalogo.example")).host, "catalogo.example");
}

// A server that accepts and never answers costs the login time-out and no more.
TEST_F(ClienteDelCatalogoTest, ServidorMudoCuestaSoloElTiempoDeEspera) {
  Iniciar("", "no-responder");
  Tipo("4", "Cloud");
  const auto antes = std::chrono::steady_clock::now();
  cliente->RegistraFalla("x");
  const auto duracion = std::chrono::steady_clock::now() - antes;
  EXPECT_LT(duracion, std::chrono::seconds(15));
  EXPECT_TRUE(mensajes.mostrados.empty());
}

}  // namespace
}  // namespace evalora

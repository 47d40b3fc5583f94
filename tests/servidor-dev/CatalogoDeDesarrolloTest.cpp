// The development catalogue answering the real client (Qt's ODBC driver over FreeTDS).
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>
#include <fstream>
#include <sstream>
#include <thread>

#include "ContenidoDemo.h"
#include "apoyo/CatalogoEnMarcha.h"
#include "apoyo/PrefijoTemporal.h"

namespace evalora::servidor {
namespace {

class CatalogoDeDesarrolloTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QSqlDatabase bd = QSqlDatabase::addDatabase("QODBC", "catalogo");
    bd.setDatabaseName(QString::fromStdString(enMarcha.CadenaDeConexion()));
    ASSERT_TRUE(bd.open()) << bd.lastError().text().toStdString();
  }
  void TearDown() override {
    QSqlDatabase::database("catalogo", false).close();
    QSqlDatabase::removeDatabase("catalogo");
  }
  // Rows of a statement, each as its column values joined by "|".
  std::vector<std::string> Filas(const QString& sql, bool* exito = nullptr) {
    QSqlQuery q(QSqlDatabase::database("catalogo", false));
    q.setForwardOnly(true);
    const bool ok = q.exec(sql);
    if (exito) *exito = ok;
    std::vector<std::string> filas;
    while (ok && q.next()) {
      std::string fila;
      for (int i = 0; i < q.record().count(); ++i) fila += (i ? "|" : "") + q.value(i).toString().toStdString();
      filas.push_back(fila);
    }
    return filas;
  }
  // Everything received, the driver's own questions included.
  std::vector<std::string> Registro() {
    std::ifstream archivo(carpeta.Raiz() / "registro.txt");
    std::vector<std::string> lineas;
    for (std::string l; std::getline(archivo, l);) lineas.push_back(l);
    return lineas;
  }

  int argc = 1;
  char nombre[8] = "prueba";
  char* argv[2] = {nombre, nullptr};
  QCoreApplication aplicacion{argc, argv};
  pruebas::PrefijoTemporal carpeta;
  pruebas::CatalogoEnMarcha enMarcha{carpeta.Raiz() / "registro.txt"};
  Catalogo& catalogo = enMarcha.Datos();
};

TEST_F(CatalogoDeDesarrolloTest, VersionesYPesos) {
  EXPECT_EQ(Filas("SELECT Activa, Version FROM TBL_DMVersionDM WHERE SUBSTRING ( Version ,6 , 1 )=6 and "
                  "versionEV='2020'"),
            std::vector<std::string>{"1|2020.6.3"});
  EXPECT_TRUE(Filas("SELECT Activa, Version FROM TBL_DMVersionDM WHERE SUBSTRING ( Version ,6 , 1 )=6 and "
                    "versionEV='2019'")
                  .empty());
  EXPECT_EQ(Filas("spObtienePesoInstalador 4,'2020'"), std::vector<std::string>{"3147776"});
  EXPECT_TRUE(Filas("spObtienePesoInstalador 6,'2020'").empty());
  EXPECT_EQ(Filas("spObtienePesosRecursos '2020'"),
            std::vector<std::string>{"1572864|2359296|3145728|3932160|4718592|5505024|786432"});
}

TEST_F(CatalogoDeDesarrolloTest, ListasDeArchivos) {
  const auto recursos = Filas("Exec spDescargaRecursos 0,0,0,0,'Cloud','2020',1,0,'01TE',0");
  ASSERT_EQ(recursos.size(), 2u);
  EXPECT_EQ(recursos[0],
            "http://127.0.0.1:8080/2020/Cloud/01TE/Recursos/MS2016/Guia.pdf|Instalador de Recursos Evalora "
            "Cloud\\MS2016\\Guía del alumno.pdf|2097152");
  EXPECT_EQ(Filas("Exec spDescargaRecursos 1,1,1,1,'Local','2020',1,1,'02GE',1").size(), 14u);
  EXPECT_EQ(Filas("Exec spDescargaSistema 'Cloud',2, '2020','01TE'").size(), 12u);
  EXPECT_EQ(Filas("Exec spDescargaSistema 'Local',1,'2020','02GE'").size(), 3u);
  EXPECT_EQ(Filas("Exec spDescargaBDServidorLocal '2020'").size(), 4u);
  EXPECT_TRUE(Filas("Exec spDescargaSistema 'Cloud',1,'2019','01TE'").empty());
}

TEST_F(CatalogoDeDesarrolloTest, Lanzadores) {
  EXPECT_EQ(Filas("Exec spValidaIDLanzador 'LANZA104AT'"), std::vector<std::string>{"1|Word;Excel;|1"});
  EXPECT_EQ(Filas("Exec spValidaIDLanzador 'ALUMNO01TE'"), std::vector<std::string>{"0||0"});
  EXPECT_TRUE(Filas("Exec spValidaIDLanzador 'NOEXISTE01'").empty());
  auto llamar = [&](const QString& filtro, bool actividades, bool* exito) {
    QSqlQuery q(QSqlDatabase::database("catalogo", false));
    q.setForwardOnly(true);
    q.prepare("{CALL spDescargaLanzadores(?,?,?,?)}");
    q.addBindValue(QString("Lanzadores"));
    q.addBindValue(QString("2020"));
    q.addBindValue(filtro);
    q.addBindValue(actividades);
    *exito = q.exec();
    int filas = 0;
    while (*exito && q.next()) ++filas;
    return filas;
  };
  bool exito = false;
  EXPECT_EQ(llamar("RutaServidor LIKE '%Word%' OR RutaServidor LIKE '%Excel%'", true, &exito), 4);
  EXPECT_TRUE(exito);
  EXPECT_EQ(llamar("RutaServidor LIKE '%Word%' OR RutaServidor LIKE '%Excel%'", false, &exito), 2);
  EXPECT_EQ(llamar("RutaServidor LIKE '%word%'", false, &exito), 1);  // without regard to case
  llamar("RutaServidor LIKE '%Word%' OR ", true, &exito);
  EXPECT_FALSE(exito);  // a dangling OR is an error
  EXPECT_EQ(Registro().back(), "RPC spDescargaLanzadores: Lanzadores | 2020 | RutaServidor LIKE '%Word%' OR  | 1");
}

TEST_F(CatalogoDeDesarrolloTest, InformesYRegistro) {
  bool exito = false;
  Filas("spRegistraFalla 'http://x/O''Brien.zip'", &exito);
  EXPECT_TRUE(exito);
  Filas("spRegistraCorreo 'o''brien@x.ie','3',0,1,0,1,'55','Seán O''Brien','2020'", &exito);
  EXPECT_TRUE(exito);
  const auto fallas = catalogo.Consultar("SELECT Texto FROM Fallas", {}, {{"Texto", tds::TipoDeColumna::kTexto}});
  ASSERT_EQ(fallas.filas.size(), 1u);
  EXPECT_EQ(std::get<std::string>(fallas.filas[0][0]), "http://x/O'Brien.zip");
  const auto contactos =
      catalogo.Consultar("SELECT Nombre, ImpresoraNoInstalable FROM Contactos", {},
                         {{"Nombre", tds::TipoDeColumna::kTexto}, {"Impresora", tds::TipoDeColumna::kEntero}});
  ASSERT_EQ(contactos.filas.size(), 1u);
  EXPECT_EQ(std::get<std::string>(contactos.filas[0][0]), "Seán O'Brien");
  EXPECT_EQ(std::get<int32_t>(contactos.filas[0][1]), 1);
  // What is not understood is an error, and nothing of it runs.
  Filas("Exec spValidaIDLanzador 'x'; DROP TABLE Lanzadores", &exito);
  EXPECT_FALSE(exito);
  Filas("spRegistraFalla 1", &exito);
  EXPECT_FALSE(exito);
  EXPECT_EQ(Filas("Exec spValidaIDLanzador 'LANZA104AT'").size(), 1u);
  const auto lineas = Registro();
  EXPECT_NE(std::find(lineas.begin(), lineas.end(), "spRegistraFalla 'http://x/O''Brien.zip'"), lineas.end());
  EXPECT_NE(std::find(lineas.begin(), lineas.end(), "Exec spValidaIDLanzador 'x'; DROP TABLE Lanzadores"),
            lineas.end());
}

TEST(ContenidoDeDesarrollo, NingunaFilaEscribeFueraDeSuCarpeta) {
  pruebas::PrefijoTemporal temporal;
  servidor::Catalogo catalogo;
  catalogo.SembrarDemo();
  std::string error;
  ASSERT_TRUE(catalogo.Ejecutar("INSERT INTO Archivos (Producto, RutaServidor, RutaLocal, Peso) VALUES "
                                "('Sistema', '${HTTP}/../fuera/intruso.bin', 'x.bin', '10'), "
                                "('Sistema', '${HTTP}/sub/../../fuera2.bin', 'y.bin', '10')",
                                &error))
      << error;
  const auto contenido = temporal.Raiz() / "contenido";
  ASSERT_TRUE(servidor::PrepararContenido(catalogo, contenido, &error)) << error;
  EXPECT_FALSE(std::filesystem::exists(temporal.Raiz() / "fuera"));
  EXPECT_FALSE(std::filesystem::exists(temporal.Raiz() / "fuera2.bin"));
}

}  // namespace
}  // namespace evalora::servidor

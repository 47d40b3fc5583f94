// The catalogue's connection over the ODBC API: which driver, what it is told, what it reads.
#include "catalogue/ConexionCatalogo.h"

#include <gtest/gtest.h>

#include "apoyo/MaquinaDePrueba.h"
#include "core/Unicode.h"

namespace evalora {
namespace {

TEST(DriverDelCatalogo, ElPedidoOElPrimeroQueSirveEnElOrdenDelAdministrador) {
  EXPECT_EQ(DriverDelCatalogo("", {"PostgreSQL Unicode", "FreeTDS", "SQL Server"}), "FreeTDS");
  EXPECT_EQ(DriverDelCatalogo("", {"SQL Server", "FreeTDS"}), "SQL Server");
  EXPECT_EQ(DriverDelCatalogo("", {"sql server"}), "sql server");
  EXPECT_EQ(DriverDelCatalogo("ODBC Driver 17 for SQL Server", {"FreeTDS"}), "ODBC Driver 17 for SQL Server");
  EXPECT_EQ(DriverDelCatalogo("", {"PostgreSQL Unicode", "MySQL"}), "");
  EXPECT_EQ(DriverDelCatalogo("", {}), "");
  // This machine's driver manager knows FreeTDS (the package that installs it registers it).
  const auto instalados = OdbcDelSistema().Drivers();
  EXPECT_NE(std::find(instalados.begin(), instalados.end(), "FreeTDS"), instalados.end());
}

TEST(TextoDeConexion, CadaDriverConSusPalabras) {
  const DireccionDelCatalogo direccion{"10.1.2.3", 1533};
  EXPECT_EQ(TextoDeConexion("SQL Server", direccion, 30),
            "DRIVER={SQL Server};SERVER=10.1.2.3,1533;DATABASE=downloadmanager;UID=downloadmanager;PWD=Qm58wLx2Zb;");
  EXPECT_EQ(TextoDeConexion("FreeTDS", direccion, 30),
            "DRIVER={FreeTDS};SERVER=10.1.2.3;PORT=1533;DATABASE=downloadmanager;UID=downloadmanager;PWD=Qm58wLx2Zb;"
            "TDS_Version=7.4;ClientCharset=UTF-8;Timeout=15;");
  // Never a time-out of 0, which FreeTDS reads as no limit at all.
  EXPECT_NE(TextoDeConexion("FreeTDS", direccion, 1).find(";Timeout=1;"), std::string::npos);
}

TEST(FilaDelCatalogo, ColumnasSinMayusculasYConversiones) {
  FilaDelCatalogo fila;
  fila.Agregar("Peso", " 1024 ");
  fila.Agregar("Activa", "1");
  fila.Agregar("Apagada", "0");
  fila.Agregar("Verdad", "True");
  fila.Agregar("Nula", std::nullopt);
  fila.Agregar("Texto", "Léeme");
  fila.Agregar("texto", "segunda");
  EXPECT_EQ(fila.Numero("PESO"), 1024.0);
  EXPECT_EQ(fila.Logico("activa"), true);
  EXPECT_EQ(fila.Logico("Apagada"), false);
  EXPECT_EQ(fila.Logico("Verdad"), true);
  EXPECT_EQ(fila.Logico("Texto"), false);
  EXPECT_FALSE(fila.Logico("Nula").has_value());
  EXPECT_FALSE(fila.Texto("Nula").has_value());
  EXPECT_FALSE(fila.Numero("Texto").has_value());
  EXPECT_FALSE(fila.Texto("NoExiste").has_value());
  EXPECT_EQ(fila.Texto("TEXTO"), "Léeme");
}

class ConexionCatalogoTest : public ::testing::Test {
 protected:
  void Iniciar(const std::string& sql = "") { maquina.IniciarCatalogo(sql); }
  DireccionDelCatalogo Direccion() { return {"127.0.0.1", maquina.PuertoCatalogo()}; }
  std::vector<std::string> Recibido() { return maquina.RecibidoPorElCatalogo(); }

  pruebas::MaquinaDePrueba maquina;
  Odbc& odbc = maquina.OdbcDeLaMaquina();
};

TEST_F(ConexionCatalogoTest, ElServidorRecibeSoloLasSentenciasDelAsistente) {
  Iniciar();
  ConexionCatalogo conexion(odbc, Direccion(), 5);
  ASSERT_TRUE(conexion.AbrirCatalogo());
  ASSERT_TRUE(conexion.Consultar("Exec spDescargaBDServidorLocal '2020'").has_value());
  ASSERT_TRUE(conexion.AbrirCatalogo());  // a second opening replaces the first connection
  EXPECT_TRUE(conexion.Ejecutar("Exec spRegistraFalla 'una falla'"));
  conexion.CerrarCatalogo();
  EXPECT_EQ(Recibido(),
            (std::vector<std::string>{"Exec spDescargaBDServidorLocal '2020'", "Exec spRegistraFalla 'una falla'"}));
  EXPECT_FALSE(conexion.Ejecutar("Exec spRegistraFalla 'cerrada'"));
  EXPECT_FALSE(conexion.Consultar("Exec spDescargaBDServidorLocal '2020'").has_value());
}

TEST_F(ConexionCatalogoTest, TextosLargosYConAcentosLleganEnterosEnAmbosSentidos) {
  // A value longer than one read of the driver (2,047 characters) comes in several parts; every
  // part is kept. The catalogue's column holds up to 4,000.
  std::string larga = "Carpeta ñandú\\";
  while (Utf8AUtf16(larga).size() < 3950) larga += "Subcarpeta con acentos áéíóú\\";
  Iniciar("DELETE FROM Archivos; INSERT INTO Archivos (Producto, VersionEV, RutaServidor, RutaLocal, Peso) VALUES "
          "('BDServidorLocal', '2020', '/2020/a.bin', '" + larga + "', ' 42 ');");
  ConexionCatalogo conexion(odbc, Direccion(), 5);
  ASSERT_TRUE(conexion.AbrirCatalogo());
  const auto filas = conexion.Consultar("Exec spDescargaBDServidorLocal '2020'");
  ASSERT_TRUE(filas.has_value());
  ASSERT_EQ(filas->size(), 1u);
  EXPECT_EQ((*filas)[0].Texto("RutaLocal"), larga);
  EXPECT_EQ((*filas)[0].Numero("Peso"), 42.0);
  EXPECT_TRUE(conexion.Ejecutar("Exec spRegistraFalla 'Mañana, 100 % ''citado'''"));
  EXPECT_EQ(Recibido().back(), "Exec spRegistraFalla 'Mañana, 100 % ''citado'''");
}

TEST_F(ConexionCatalogoTest, UnDriverQueNoExisteNoConecta) {
  Iniciar();
  ConexionCatalogo conexion(odbc, Direccion(), 5, "Driver que no existe");
  EXPECT_FALSE(conexion.AbrirCatalogo());
  EXPECT_FALSE(conexion.Ejecutar("Exec spRegistraFalla 'x'"));
  EXPECT_TRUE(Recibido().empty());
}

}  // namespace
}  // namespace evalora

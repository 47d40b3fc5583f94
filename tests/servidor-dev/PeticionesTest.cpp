#include "Peticiones.h"

#include <gtest/gtest.h>

namespace evalora::servidor {
namespace {

TEST(Peticiones, ConsultaDeVersion) {
  const auto p = LeerPeticion(
      "SELECT Activa, Version FROM TBL_DMVersionDM WHERE SUBSTRING ( Version ,6 , 1 )=6 and versionEV='2020'");
  ASSERT_TRUE(p);
  const auto& c = std::get<ConsultaDeVersion>(*p);
  EXPECT_EQ(c.tipo, "6");
  EXPECT_EQ(c.versionEV, "2020");
  EXPECT_FALSE(LeerPeticion("SELECT * FROM Lanzadores"));
  EXPECT_FALSE(LeerPeticion(
      "SELECT Activa, Version FROM TBL_DMVersionDM WHERE SUBSTRING ( Version ,6 , 1 )=6 and versionEV='2020' OR 1=1"));
}

TEST(Peticiones, LlamadasConSusArgumentos) {
  auto p = LeerPeticion("Exec spDescargaSistema 'Cloud',2, '2020','01TE'");
  ASSERT_TRUE(p);
  auto llamada = std::get<LlamadaAProcedimiento>(*p);
  EXPECT_EQ(llamada.procedimiento, "spDescargaSistema");
  ASSERT_EQ(llamada.argumentos.size(), 4u);
  EXPECT_TRUE(llamada.argumentos[0].esTexto);
  EXPECT_EQ(llamada.argumentos[0].valor, "Cloud");
  EXPECT_FALSE(llamada.argumentos[1].esTexto);
  EXPECT_EQ(llamada.argumentos[1].valor, "2");
  p = LeerPeticion("spRegistraCorreo 'o''brien@x.ie','1',0,0,0,0,'5','Seán O''Brien','2020'");
  ASSERT_TRUE(p);
  llamada = std::get<LlamadaAProcedimiento>(*p);
  EXPECT_EQ(llamada.argumentos[0].valor, "o'brien@x.ie");
  EXPECT_EQ(llamada.argumentos[7].valor, "Seán O'Brien");
  EXPECT_TRUE(std::holds_alternative<InformacionDeTipos>(*LeerPeticion("sp_datatype_info_100 11")));
  // Nothing else is taken, so nothing received ever runs as SQL.
  EXPECT_FALSE(LeerPeticion("Exec spValidaIDLanzador 'x'; DROP TABLE Lanzadores"));
  EXPECT_FALSE(LeerPeticion("Exec spValidaIDLanzador 'sin cierre"));
  EXPECT_FALSE(LeerPeticion(""));
}

TEST(Peticiones, FiltroDeAplicaciones) {
  EXPECT_EQ(*LeerFiltroDeAplicaciones("RutaServidor LIKE '%Word%' OR RutaServidor LIKE '%Excel%'"),
            (std::vector<std::string>{"Word", "Excel"}));
  EXPECT_EQ(*LeerFiltroDeAplicaciones("RutaServidor LIKE '%Power''Point%'"), (std::vector<std::string>{"Power'Point"}));
  EXPECT_TRUE(LeerFiltroDeAplicaciones("")->empty());
  EXPECT_FALSE(LeerFiltroDeAplicaciones("RutaServidor LIKE '%A%' OR "));  // a dangling OR
  EXPECT_FALSE(LeerFiltroDeAplicaciones("1=1"));
  EXPECT_FALSE(LeerFiltroDeAplicaciones("RutaServidor LIKE 'A%'"));
}

}  // namespace
}  // namespace evalora::servidor

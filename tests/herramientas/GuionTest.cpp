// How the scenario runner reads its lines.
#include "Guion.h"

#include <gtest/gtest.h>

namespace evalora::escenario {
namespace {

TEST(Guion, OrdenesTextosYComentarios) {
  Accion a;
  std::string error;
  ASSERT_TRUE(LeerLinea(R"(  aviso "Texto con # y blancos"  icono 64 titulo ""  # comentario)", a, error));
  EXPECT_EQ(a.orden, "aviso");
  ASSERT_EQ(a.argumentos.size(), 5u);
  EXPECT_EQ(a.argumentos[0].texto, "Texto con # y blancos");
  EXPECT_TRUE(a.argumentos[0].citada);
  EXPECT_EQ(a.argumentos[2].texto, "64");
  EXPECT_FALSE(a.argumentos[2].citada);
  EXPECT_EQ(a.argumentos[4].texto, "");
  EXPECT_TRUE(a.argumentos[4].citada);
  ASSERT_TRUE(LeerLinea("   # solo un comentario", a, error));
  EXPECT_TRUE(a.orden.empty());
}

TEST(Guion, BarrasInvertidas) {
  Accion a;
  std::string error;
  // CR LF and NUL are escapes; every other backslash is a Windows path's.
  ASSERT_TRUE(LeerLinea(R"(texto x "uno\r\ndos" "C:\" "C:\nueva\reciente" "a\0b")", a, error));
  EXPECT_EQ(a.argumentos[1].texto, "uno\r\ndos");
  EXPECT_EQ(a.argumentos[2].texto, "C:\\");
  EXPECT_EQ(a.argumentos[3].texto, "C:\\nueva\\reciente");
  EXPECT_EQ(a.argumentos[4].texto, std::string("a\0b", 3));
}

TEST(Guion, LineasQueNoSeLeen) {
  Accion a;
  std::string error;
  EXPECT_FALSE(LeerLinea(R"(texto x "sin cerrar)", a, error));
  EXPECT_EQ(error, "falta la comilla que cierra el texto");
  EXPECT_FALSE(LeerLinea(R"("texto" primero)", a, error));
}

}  // namespace
}  // namespace evalora::escenario

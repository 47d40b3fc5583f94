#include "platform/LineaDeOrdenes.h"

#include <gtest/gtest.h>

namespace evalora {
namespace {

using Lista = std::vector<std::string>;

TEST(PartirArgumentos, ReglasDeWindows) {
  EXPECT_EQ(PartirArgumentos("Seguridad \"C:\\Program Files\\Evalora 2020 Cloud\""),
            (Lista{"Seguridad", "C:\\Program Files\\Evalora 2020 Cloud"}));
  EXPECT_EQ(PartirArgumentos("  a\t\tb  "), (Lista{"a", "b"}));
  EXPECT_EQ(PartirArgumentos(R"(C:\a\b\ c)"), (Lista{"C:\\a\\b\\", "c"}));            // backslashes alone are literal
  EXPECT_EQ(PartirArgumentos(R"("C:\carpeta\\" x)"), (Lista{"C:\\carpeta\\", "x"}));  // 2n + quote: n, toggle
  EXPECT_EQ(PartirArgumentos(R"(a\"b)"), (Lista{"a\"b"}));                            // 2n+1 + quote: literal quote
  EXPECT_EQ(PartirArgumentos(R"(a\\\"b)"), (Lista{"a\\\"b"}));
  EXPECT_EQ(PartirArgumentos(R"("a""b" c)"), (Lista{"a\"b", "c"}));  // "" inside quotes
  EXPECT_EQ(PartirArgumentos(R"("" x)"), (Lista{"", "x"}));          // an empty argument
  EXPECT_EQ(PartirArgumentos(R"(a"b c"d)"), (Lista{"ab cd"}));
  EXPECT_EQ(PartirArgumentos(R"("sin cierre y mas)"), (Lista{"sin cierre y mas"}));
  EXPECT_EQ(PartirArgumentos(""), Lista{});
  EXPECT_EQ(PartirArgumentos("Utilerías ñ"), (Lista{"Utilerías", "ñ"}));
}

TEST(CitarArgumento, LoQueSeCitaSeParteEntero) {
  EXPECT_EQ(CitarArgumento("C:\\windows\\System32\\a.dll"), "C:\\windows\\System32\\a.dll");
  for (const std::string argumento : {"C:\\windows\\System32\\Mi Librería.dll", "", "C:\\con blanco\\",
                                      "comillas \"dentro\"", "a\\\"b", "\tt"}) {
    EXPECT_EQ(PartirArgumentos("/s " + CitarArgumento(argumento) + " fin"), (Lista{"/s", argumento, "fin"}))
        << argumento;
  }
}

TEST(PrimerArgumento, ElProgramaSeTomaEntero) {
  std::string resto;
  EXPECT_EQ(PrimerArgumento(R"("C:\Program Files\a\" b c)", &resto), "C:\\Program Files\\a\\");
  EXPECT_EQ(resto, "b c");
  EXPECT_EQ(PrimerArgumento("regsvr32 /s C:\\x.dll", &resto), "regsvr32");
  EXPECT_EQ(resto, "/s C:\\x.dll");
  EXPECT_EQ(PrimerArgumento("   ", &resto), "");
  EXPECT_EQ(PrimerArgumento("\"sin cierre", &resto), "sin cierre");
  EXPECT_EQ(resto, "");
}

}  // namespace
}  // namespace evalora

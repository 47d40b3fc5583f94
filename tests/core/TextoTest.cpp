#include "core/Texto.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <random>
#include <vector>

#include "core/Unicode.h"

namespace evalora {
namespace {

TEST(Recorte, QuitaSoloBlancos) {
  EXPECT_EQ(RecortarBlancos("  0123401TE  "), "0123401TE");
  EXPECT_EQ(RecortarBlancos("\t01TE\t"), "\t01TE\t");
  EXPECT_EQ(RecortarBlancos(std::string(" a\0 ", 4)), std::string("a\0", 2));
  EXPECT_EQ(RecortarBlancos("   "), "");
  EXPECT_EQ(RecortarBlancosIzquierda("  a  "), "a  ");
  EXPECT_EQ(RecortarBlancosDerecha("  a  "), "  a");
}

TEST(Mayusculas, TextoEspanolEnUtf8) {
  EXPECT_EQ(Mayusculas("utilerías año pingüino ção"), "UTILERÍAS AÑO PINGÜINO ÇÃO");
  EXPECT_EQ(Minusculas("UTILERÍAS AÑO PINGÜINO ÇÃO"), "utilerías año pingüino ção");
  EXPECT_EQ(Mayusculas("evlogin.exe"), "EVLOGIN.EXE");
  // Signs that look like letters stay as they are.
  EXPECT_EQ(Mayusculas("2×3 ÷ ß"), "2×3 ÷ ß");
  EXPECT_EQ(Minusculas("ÿŸ Łł Ωω Жж"), "ÿÿ łł ωω жж");
  EXPECT_TRUE(IgualesSinMayusculas("C:\\Program Files\\Utilerías", "c:\\PROGRAM FILES\\UTILERÍAS"));
  EXPECT_FALSE(IgualesSinMayusculas("Utilerias", "Utilerías"));
}

TEST(Mayusculas, UnBytePartidoNoRompeElTexto) {
  const std::string malo = std::string("a\xC3") + "b";
  EXPECT_EQ(Mayusculas(malo),
            "A\xEF\xBF\xBD"
            "B");
}

TEST(ANumero, LeeElTipoComoNumero) {
  EXPECT_EQ(ANumero("6"), 6.0);
  EXPECT_EQ(ANumero(" 3 "), 3.0);
  EXPECT_EQ(ANumero("-2.5"), -2.5);
  EXPECT_EQ(ANumero("1e3"), 1000.0);
  EXPECT_EQ(ANumero(".5"), 0.5);
  EXPECT_FALSE(ANumero(""));
  EXPECT_FALSE(ANumero("  "));
  EXPECT_FALSE(ANumero("6a"));
  EXPECT_FALSE(ANumero("1 2"));
  EXPECT_FALSE(ANumero("e3"));
  EXPECT_FALSE(ANumero("\t6"));
}

TEST(Redondeo, MitadesAlPar) {
  EXPECT_EQ(RedondearPar(1.5, 0), 2.0);
  EXPECT_EQ(RedondearPar(2.5, 0), 2.0);
  EXPECT_EQ(RedondearPar(-2.5, 0), -2.0);
  EXPECT_EQ(RedondearPar(3.5, 0), 4.0);
  EXPECT_EQ(RedondearPar(0.125, 2), 0.12);
  EXPECT_EQ(RedondearPar(0.375, 2), 0.38);
  EXPECT_EQ(RedondearPar(1.234, 2), 1.23);
  EXPECT_DOUBLE_EQ(RedondearPar(1.1444, 2), 1.14);
  EXPECT_EQ(RedondearPar(0.49999999999999994, 0), 0.0);  // just below a half
  EXPECT_EQ(RedondearPar(-1.5, 0), -2.0);
  // Whatever rounding mode the process is in.
  std::fesetround(FE_UPWARD);
  EXPECT_EQ(RedondearPar(2.5, 0), 2.0);
  EXPECT_EQ(RedondearPar(2.4, 0), 2.0);
  std::fesetround(FE_TONEAREST);
}

// Against the processor's own rounding to nearest (ties to even): halves, values around them,
// negatives, the edges of whole doubles, and what is not a number.
TEST(Redondeo, ComoElRedondeoAlParDelProcesador) {
  std::mt19937_64 azar(2020);
  std::vector<double> valores = {0.0,
                                 -0.0,
                                 0.5,
                                 -0.5,
                                 1e-300,
                                 -0.49999999999999994,
                                 0x1p52 - 0.5,
                                 -(0x1p52 - 0.5),
                                 0x1p52,
                                 0x1p53 + 2,
                                 1e300,
                                 -1e300,
                                 4503599627370495.5,
                                 9.5e18,
                                 -9.5e18};
  for (int i = 0; i < 20000; ++i) {
    const double entero = static_cast<double>(static_cast<int64_t>(azar() % 2000001) - 1000000);
    valores.push_back(entero + 0.5);
    valores.push_back(entero + std::uniform_real_distribution<double>(-1, 1)(azar));
    valores.push_back(std::ldexp(std::uniform_real_distribution<double>(-1, 1)(azar), static_cast<int>(azar() % 70)));
  }
  for (const double v : valores) {
    const double esperado = std::nearbyint(v);
    const double obtenido = RedondearPar(v, 0);
    EXPECT_EQ(obtenido, esperado) << std::hexfloat << v;
    EXPECT_EQ(std::signbit(obtenido), std::signbit(esperado)) << std::hexfloat << v;
  }
  EXPECT_TRUE(std::isnan(RedondearPar(std::nan(""), 0)));
  EXPECT_EQ(RedondearPar(INFINITY, 0), INFINITY);
  EXPECT_EQ(RedondearPar(-INFINITY, 2), -INFINITY);
}

TEST(FormatoAlmohadillas, SinCerosYCeroVacio) {
  EXPECT_EQ(FormatoAlmohadillas(0), "");
  EXPECT_EQ(FormatoAlmohadillas(0.4), "");
  EXPECT_EQ(FormatoAlmohadillas(7), "7");
  EXPECT_EQ(FormatoAlmohadillas(100), "100");
  EXPECT_EQ(FormatoAlmohadillas(2.5), "3");
  EXPECT_EQ(FormatoAlmohadillas(99.49), "99");
  EXPECT_EQ(FormatoAlmohadillas(-4), "-4");
}

TEST(Unicode, IdaYVuelta) {
  const std::string texto = "Utilerías ñ € 𝄞";
  EXPECT_EQ(Utf16AUtf8(Utf8AUtf16(texto)), texto);
  EXPECT_EQ(Utf8AUtf16("𝄞").size(), 2u);  // a surrogate pair
  EXPECT_EQ(BytesAUtf16(Utf16ABytes(u"aé")), u"aé");
  EXPECT_EQ(Utf16ABytes(u"a"), (std::vector<uint8_t>{'a', 0}));
  EXPECT_EQ(Utf16AUtf8(std::u16string(1, static_cast<char16_t>(0xD800))), "\xEF\xBF\xBD");
  // Overlong and surrogate encodings are not characters.
  EXPECT_EQ(Utf8ACodigos("\xC0\xAF"), (std::u32string{0xFFFD, 0xFFFD}));
  EXPECT_EQ(Utf8ACodigos("\xED\xA0\x80").front(), 0xFFFDu);
}

}  // namespace
}  // namespace evalora

namespace evalora {
namespace {

TEST(Caracteres, LongitudYSubcadenaNoCortanLetras) {
  EXPECT_EQ(LongitudEnCaracteres("ESCUEÑ01TE"), 10u);  // 11 bytes, 10 characters
  EXPECT_EQ(SubcadenaEnCaracteres("ESCUEÑ01TE", 6, 2), "01");
  EXPECT_EQ(SubcadenaEnCaracteres("ESCUEÑ01TE", 5, 1), "Ñ");
  EXPECT_EQ(SubcadenaEnCaracteres("C:\\", 0, 2), "C:");
  EXPECT_EQ(SubcadenaEnCaracteres("ABC", 6, 2), "");  // past the end
  EXPECT_TRUE(EsNumerico("01"));
  EXPECT_FALSE(EsNumerico("TE"));
  EXPECT_FALSE(EsNumerico(""));
}

}  // namespace
}  // namespace evalora

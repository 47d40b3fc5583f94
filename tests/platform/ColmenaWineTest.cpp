#include "platform/linux/ColmenaWine.h"

#include <gtest/gtest.h>

#include "core/Unicode.h"

namespace evalora::wine {
namespace {

std::string HexDe(const std::vector<uint8_t>& bytes) {
  std::string texto;
  char par[4];
  for (size_t i = 0; i < bytes.size(); ++i) {
    std::snprintf(par, sizeof par, "%02x", bytes[i]);
    texto += (i ? "," : "") + std::string(par);
  }
  return texto;
}

// A hive as Wine writes it, with the forms a real prefix holds.
std::string ColmenaDeEjemplo() {
  const std::string enlace = HexDe(Utf16ABytes(u"\\Registry\\Machine\\System\\ControlSet001"));
  return "WINE REGISTRY Version 2\n"
         ";; All keys relative to \\\\Machine\n"
         "\n"
         "#arch=win64\n"
         "\n"
         "[Software\\\\Microsoft\\\\NET Framework Setup\\\\NDP\\\\v2.0.50727] 1700000000\n"
         "#time=1da1b2c3d4e5f60\n"
         "\"Install\"=dword:00000001\n"
         "\n"
         "[Software\\\\Microsoft\\\\NET Framework Setup\\\\NDP\\\\V1.1.4322] 1700000000\n"
         "#time=1da1b2c3d4e5f60\n"
         "\n"
         "[Software\\\\Microsoft\\\\Windows NT\\\\CurrentVersion] 1700000000\n"
         "#time=1da1b2c3d4e5f60\n"
         "@=\"predeterminado\"\n"
         "\"Binario\"=hex:0a,ff,00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,\\\n"
         "  15,16,17,18\n"
         "\"CSDVersion\"=\"\"\n"
         "\"Escapes\"=\"tab\\tnl\\ncomilla\\\"barra\\\\x\\x00e9\\101\\0fin\"\n"
         "\"Expandible\"=str(2):\"%SystemRoot%\\\\system32\"\n"
         "\"MultiHex\"=hex(7):61,00,00,00,62,00,00,00,00,00\n"
         "\"MultiStr\"=str(7):\"a\\0b\\0\"\n"
         "\"ProductName\"=\"Windows Vista (TM) Business\"\n"
         "\"Qword\"=hex(b):1a,00,00,00,00,00,00,00\n"
         "\"Texto\"=str:\"con str\"\n"
         "\n"
         "[System\\\\ControlSet001\\\\Control\\\\Print\\\\Printers\\\\Evalora] 1700000000\n"
         "#class=\"Impresora\"\n"
         "\"Port\"=\"C:\\\\Evalora\\\\salida.txt\"\n"
         "\n"
         "[System\\\\CurrentControlSet] 1700000000\n"
         "#time=1da1b2c3d4e5f60\n"
         "#link\n"
         "\"SymbolicLinkValue\"=hex(6):" +
         enlace + "\n";
}

std::u16string TextoDe(const ValorDeColmena& v) {
  std::u16string t = BytesAUtf16(v.dato.bytes);
  return t;
}

class ColmenaDeEjemploTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto leida = ColmenaWine::Leer(ColmenaDeEjemplo(), &avisos);
    ASSERT_TRUE(leida);
    colmena = std::move(*leida);
  }
  const ValorDeColmena& Valor(const std::string& clave, const std::string& nombre) {
    const SeccionDeColmena* s = colmena.Seccion(clave);
    EXPECT_TRUE(s) << clave;
    const ValorDeColmena* v = s ? s->Valor(nombre) : nullptr;
    EXPECT_TRUE(v) << nombre;
    static const ValorDeColmena vacio;
    return v ? *v : vacio;
  }
  ColmenaWine colmena;
  std::vector<std::string> avisos;
};

constexpr const char* kVersion = "Software\\Microsoft\\Windows NT\\CurrentVersion";

TEST_F(ColmenaDeEjemploTest, LeeCadaFormaDeValor) {
  EXPECT_TRUE(avisos.empty());
  EXPECT_EQ(Valor(kVersion, "ProductName").dato.tipo, win::REG_SZ);
  EXPECT_EQ(TextoDeDato(Valor(kVersion, "ProductName").dato), "Windows Vista (TM) Business");
  EXPECT_EQ(Valor(kVersion, "CSDVersion").dato.bytes, (std::vector<uint8_t>{0, 0}));
  EXPECT_EQ(Valor(kVersion, "Texto").dato.tipo, win::REG_SZ);
  EXPECT_EQ(Valor(kVersion, "Expandible").dato.tipo, win::REG_EXPAND_SZ);
  EXPECT_EQ(TextoDeDato(Valor(kVersion, "Expandible").dato), "%SystemRoot%\\system32");
  EXPECT_EQ(Valor(kVersion, "Qword").dato.tipo, win::REG_QWORD);
  EXPECT_EQ(Valor(kVersion, "Qword").dato.bytes.size(), 8u);
  EXPECT_EQ(DwordDeDato(Valor("Software\\Microsoft\\NET Framework Setup\\NDP\\v2.0.50727", "install").dato), 1u);
}

TEST_F(ColmenaDeEjemploTest, ValorPredeterminadoYNombresSinMayusculas) {
  EXPECT_EQ(TextoDeDato(Valor(kVersion, "").dato), "predeterminado");
  EXPECT_EQ(TextoDeDato(Valor("software\\MICROSOFT\\windows nt\\currentversion", "productname").dato),
            "Windows Vista (TM) Business");
}

TEST_F(ColmenaDeEjemploTest, EscapesDeTexto) {
  std::u16string esperado = u"tab\tnl\ncomilla\"barra\\x\u00e9A";
  esperado.push_back(u'\0');
  esperado += u"fin";
  esperado.push_back(u'\0');
  EXPECT_EQ(TextoDe(Valor(kVersion, "Escapes")), esperado);
}

TEST_F(ColmenaDeEjemploTest, LineasDeContinuacionYMultiTexto) {
  const auto& binario = Valor(kVersion, "Binario").dato;
  EXPECT_EQ(binario.tipo, win::REG_BINARY);
  ASSERT_EQ(binario.bytes.size(), 27u);
  EXPECT_EQ(binario.bytes[1], 0xff);
  EXPECT_EQ(binario.bytes.back(), 0x18);
  // hex(7) and str(7) hold the same list.
  EXPECT_EQ(Valor(kVersion, "MultiHex").dato.tipo, win::REG_MULTI_SZ);
  EXPECT_EQ(Valor(kVersion, "MultiHex").dato.bytes, Valor(kVersion, "MultiStr").dato.bytes);
  EXPECT_EQ(TextosDeDato(Valor(kVersion, "MultiStr").dato), (std::vector<std::string>{"a", "b"}));
}

TEST_F(ColmenaDeEjemploTest, SubclavesEnOrdenSinMayusculas) {
  // NDP has no section of its own, yet it exists through its subkeys.
  EXPECT_TRUE(colmena.ExisteClave("Software\\Microsoft\\NET Framework Setup\\NDP"));
  EXPECT_EQ(colmena.Subclaves("Software\\Microsoft\\NET Framework Setup\\NDP"),
            (std::vector<std::string>{"V1.1.4322", "v2.0.50727"}));
  EXPECT_EQ(colmena.Subclaves("software\\microsoft"), (std::vector<std::string>{"NET Framework Setup", "Windows NT"}));
  EXPECT_EQ(colmena.Subclaves(""), (std::vector<std::string>{"Software", "System"}));
  EXPECT_FALSE(colmena.ExisteClave("Software\\Microsoft\\NET"));
  EXPECT_TRUE(colmena.ExisteClave(""));
}

TEST_F(ColmenaDeEjemploTest, SigueLosEnlaces) {
  EXPECT_EQ(colmena.ResolverEnlaces("System\\CurrentControlSet\\Control\\Print"),
            "System\\ControlSet001\\Control\\Print");
  EXPECT_EQ(colmena.ResolverEnlaces("Software\\Evalora"), "Software\\Evalora");
}

TEST_F(ColmenaDeEjemploTest, SinCambiosSeEscribeIgual) { EXPECT_EQ(colmena.Escribir(), ColmenaDeEjemplo()); }

TEST_F(ColmenaDeEjemploTest, UnCambioConservaLoDemas) {
  colmena.EstablecerValor("System\\ControlSet001\\Control\\Print\\Printers\\Evalora", "Port",
                          DatoDeTexto("C:\\Otra\\salida.txt"));
  colmena.EstablecerValor("Software\\Evalora 2020", "Versión", DatoDeTexto("2020.1"));
  const std::string escrito = colmena.Escribir();
  // Untouched keys stay exactly as they were, options included.
  const std::string original = ColmenaDeEjemplo();
  const auto desde = original.find("[Software\\\\Microsoft\\\\Windows NT");
  const auto hasta = original.find("[System\\\\ControlSet001");
  EXPECT_NE(escrito.find(original.substr(desde, hasta - desde)), std::string::npos);
  EXPECT_NE(escrito.find("#class=\"Impresora\""), std::string::npos);
  EXPECT_NE(escrito.find("\"Port\"=\"C:\\\\Otra\\\\salida.txt\""), std::string::npos);
  // The new key takes its place in the tree order: among Software's subkeys, before Microsoft.
  EXPECT_LT(escrito.find("[Software\\\\Evalora 2020]"), escrito.find("[Software\\\\Microsoft"));
  EXPECT_NE(escrito.find("[Software\\\\Evalora 2020]"), std::string::npos);
  // Written as Wine writes: pure ASCII.
  for (char c : escrito) EXPECT_LT(static_cast<unsigned char>(c), 128u);
  auto releida = ColmenaWine::Leer(escrito);
  ASSERT_TRUE(releida);
  EXPECT_EQ(TextoDeDato(releida->Seccion("Software\\Evalora 2020")->Valor("VERSIÓN")->dato), "2020.1");
  EXPECT_EQ(releida->Seccion(kVersion)->valores.size(), colmena.Seccion(kVersion)->valores.size());
}

TEST_F(ColmenaDeEjemploTest, BorrarValoresYArboles) {
  EXPECT_TRUE(colmena.BorrarValor(kVersion, "productname"));
  EXPECT_FALSE(colmena.BorrarValor(kVersion, "productname"));
  colmena.BorrarArbol("software\\microsoft\\net framework setup");
  EXPECT_FALSE(colmena.ExisteClave("Software\\Microsoft\\NET Framework Setup\\NDP\\v2.0.50727"));
  EXPECT_TRUE(colmena.ExisteClave(kVersion));
  auto releida = ColmenaWine::Leer(colmena.Escribir());
  ASSERT_TRUE(releida);
  EXPECT_EQ(releida->Seccion(kVersion)->Valor("ProductName"), nullptr);
  EXPECT_EQ(releida->Subclaves("Software\\Microsoft"), (std::vector<std::string>{"Windows NT"}));
}

TEST(ColmenaWine, CabeceraIncorrectaNoSeLee) {
  EXPECT_FALSE(ColmenaWine::Leer("REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software]\n"));
  EXPECT_FALSE(ColmenaWine::Leer(""));
}

TEST(ColmenaWine, LineasDesconocidasSeToleranYSeConservan) {
  const std::string texto =
      "WINE REGISTRY Version 2\n\n[Software\\\\A] 1\n\"Bien\"=dword:00000002\n\"Mal\"=dword:zz\nbasura\n"
      "\"Cortado\"=\"sin fin\n";
  std::vector<std::string> avisos;
  auto colmena = ColmenaWine::Leer(texto, &avisos);
  ASSERT_TRUE(colmena);
  EXPECT_EQ(avisos.size(), 3u);
  EXPECT_EQ(DwordDeDato(colmena->Seccion("Software\\A")->Valor("Bien")->dato), 2u);
  colmena->EstablecerValor("Software\\A", "Nuevo", DatoDeDword(3));
  const std::string escrito = colmena->Escribir();
  EXPECT_NE(escrito.find("\"Mal\"=dword:zz"), std::string::npos);
  EXPECT_NE(escrito.find("basura"), std::string::npos);
  EXPECT_NE(escrito.find("\"Nuevo\"=dword:00000003"), std::string::npos);
}

TEST(ColmenaWine, EscribeYLeeTodosLosTipos) {
  ColmenaWine colmena = ColmenaWine::Nueva("\\\\Machine");
  std::vector<uint8_t> largo(100);
  for (size_t i = 0; i < largo.size(); ++i) largo[i] = static_cast<uint8_t>(i * 7);
  const std::vector<std::pair<std::string, DatoDelRegistro>> valores = {
      {"", DatoDeTexto("predeterminado")},
      {"Comillas \"y\" barras \\", DatoDeTexto("a\"b\\c")},
      {"Acentos", DatoDeTexto("Utilerías ñ €")},
      {"Control", DatoDeTexto("\x01\x02"
                              "7\t\r\n\x1b")},
      {"Expandible", DatoDeTexto("%windir%\\Fonts", win::REG_EXPAND_SZ)},
      {"Lista", DatoDeMultiTexto({"uno", "dos", "tres"})},
      {"Numero", DatoDeDword(0xDEADBEEF)},
      {"Binario largo", {win::REG_BINARY, largo}},
      {"Sin terminar", {win::REG_SZ, {'a', 0, 'b', 0}}},
      {"Vacio", {win::REG_BINARY, {}}},
  };
  for (const auto& [nombre, dato] : valores) colmena.EstablecerValor("Software\\Tipos", nombre, dato);
  const std::string escrito = colmena.Escribir();
  EXPECT_EQ(escrito.rfind("WINE REGISTRY Version 2\n", 0), 0u);
  EXPECT_NE(escrito.find("#arch=win64"), std::string::npos);
  EXPECT_NE(escrito.find("\\\n  "), std::string::npos);  // long binary data continues on the next line
  EXPECT_NE(escrito.find("\"Lista\"=str(7):\"uno\\0dos\\0tres\\0\""), std::string::npos);
  EXPECT_NE(escrito.find("\"Expandible\"=str(2):"), std::string::npos);
  EXPECT_NE(escrito.find("\"Sin terminar\"=hex(1):61,00,62,00"), std::string::npos);
  auto releida = ColmenaWine::Leer(escrito);
  ASSERT_TRUE(releida);
  const SeccionDeColmena* seccion = releida->Seccion("Software\\Tipos");
  ASSERT_TRUE(seccion);
  for (const auto& [nombre, dato] : valores) {
    const ValorDeColmena* v = seccion->Valor(nombre);
    ASSERT_TRUE(v) << nombre;
    EXPECT_EQ(v->dato.tipo, dato.tipo) << nombre;
    EXPECT_EQ(v->dato.bytes, dato.bytes) << nombre;
  }
  // Values are kept in Wine's order: by name without case, the default first.
  EXPECT_EQ(seccion->valores.front().nombre, "");
  EXPECT_EQ(seccion->valores[1].nombre, "Acentos");
}

TEST(ColmenaWine, EscapesComoLosEscribeWine) {
  EXPECT_EQ(EscaparTexto(u"\u00e9a", "\"\""), "\\x00e9a");  // a hex digit follows: four digits
  EXPECT_EQ(EscaparTexto(u"\u00e9z", "\"\""), "\\xe9z");
  EXPECT_EQ(EscaparTexto(std::u16string(u"\x01"
                                        u"7"),
                         "\"\""),
            "\\0017");  // an octal digit follows
  EXPECT_EQ(EscaparTexto(std::u16string(u"\x01"
                                        u"x"),
                         "\"\""),
            "\\1x");
  EXPECT_EQ(EscaparTexto(u"[a]\\\"", "[]"), "\\[a\\]\\\\\"");
  size_t pos = 0;
  EXPECT_EQ(LeerTextoEscapado("ab\\]c]resto", pos, ']'), u"ab]c");
  EXPECT_EQ(pos, 6u);
  pos = 0;
  EXPECT_FALSE(LeerTextoEscapado("sin cierre", pos, '"'));
}

TEST(ColmenaWine, UnValorSinTerminarAlFinalNoSeTragaLoQueSigue) {
  auto colmena = ColmenaWine::Leer("WINE REGISTRY Version 2\n\n[Roto] 1\n\"x\"=hex:01,02,\\");
  ASSERT_TRUE(colmena);
  colmena->EstablecerValor("Zeta", "Nuevo", DatoDeDword(7));
  const std::string escrito = colmena->Escribir();
  EXPECT_NE(escrito.find("\"x\"=hex:01,02,\n"), std::string::npos) << escrito;
  const auto leida = ColmenaWine::Leer(escrito);
  ASSERT_TRUE(leida);
  ASSERT_TRUE(leida->Seccion("Zeta") && leida->Seccion("Zeta")->Valor("Nuevo"));
  ASSERT_TRUE(leida->Seccion("Roto")->Valor("x"));
  EXPECT_EQ(leida->Seccion("Roto")->Valor("x")->dato.bytes, (std::vector<uint8_t>{1, 2}));
  EXPECT_EQ(leida->Seccion("Roto")->valores.size(), 1u);
}

}  // namespace
}  // namespace evalora::wine

#include <gtest/gtest.h>

#include <unistd.h>

#include <fstream>
#include <sstream>

#include "apoyo/PrefijoTemporal.h"
#include "platform/linux/EntornoLinux.h"
#include "platform/FuenteSfnt.h"
#include "platform/linux/FuentesPrefijo.h"
#include "platform/linux/RegistroWine.h"
#include "platform/linux/SistemaDeArchivosPrefijo.h"

namespace evalora {
namespace {

constexpr const char* kDejaVu = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

std::string LeerArchivo(const std::string& ruta) {
  std::ifstream archivo(ruta, std::ios::binary);
  std::stringstream bytes;
  bytes << archivo.rdbuf();
  return bytes.str();
}

// A collection of two copies of one font: the header, then the font with its table offsets moved.
std::string Coleccion(const std::string& ttf) {
  const uint32_t cabecera = 12 + 2 * 4;
  auto u32 = [](uint32_t v) {
    return std::string{static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8),
                       static_cast<char>(v)};
  };
  std::string fuente = ttf;
  const size_t tablas = (static_cast<unsigned char>(fuente[4]) << 8) | static_cast<unsigned char>(fuente[5]);
  for (size_t i = 0; i < tablas; ++i) {
    const size_t r = 12 + i * 16 + 8;
    const uint32_t desde = (static_cast<uint32_t>(static_cast<unsigned char>(fuente[r])) << 24) |
                           (static_cast<unsigned char>(fuente[r + 1]) << 16) |
                           (static_cast<unsigned char>(fuente[r + 2]) << 8) | static_cast<unsigned char>(fuente[r + 3]);
    fuente.replace(r, 4, u32(desde + cabecera));
  }
  return "ttcf" + u32(0x00010000) + u32(2) + u32(cabecera) + u32(cabecera) + fuente;
}

TEST(FuenteSfnt, ReconoceFuentesYRechazaLoDemas) {
  const std::string ttf = LeerArchivo(kDejaVu);
  ASSERT_FALSE(ttf.empty()) << "fonts-dejavu-core is part of the bootstrap";
  const auto fuente = LeerFuenteSfnt(ttf);
  ASSERT_TRUE(fuente);
  EXPECT_EQ(fuente->nombres, (std::vector<std::string>{"DejaVu Sans"}));
  EXPECT_FALSE(fuente->contornosCff);
  EXPECT_EQ(fuente->familia, "DejaVu Sans");
  EXPECT_EQ(fuente->metricas.unidadesPorEm, 2048);
  EXPECT_GT(fuente->metricas.ascendente, 0);
  EXPECT_LT(fuente->metricas.descendente, 0);
  EXPECT_EQ(fuente->metricas.peso, 400);
  EXPECT_FALSE(fuente->metricas.cursiva);
  const auto negrita = LeerFuenteSfnt(LeerArchivo("/usr/share/fonts/truetype/dejavu/DejaVuSans-BoldOblique.ttf"));
  ASSERT_TRUE(negrita);
  EXPECT_EQ(negrita->nombres, (std::vector<std::string>{"DejaVu Sans Bold Oblique"}));
  EXPECT_EQ(negrita->familia, "DejaVu Sans");
  EXPECT_EQ(negrita->metricas.peso, 700);
  EXPECT_TRUE(negrita->metricas.cursiva);
  const auto coleccion = LeerFuenteSfnt(Coleccion(ttf));
  ASSERT_TRUE(coleccion);
  EXPECT_EQ(coleccion->nombres.size(), 2u);
  EXPECT_FALSE(LeerFuenteSfnt("Esto no es una fuente, es un texto cualquiera."));
  EXPECT_FALSE(LeerFuenteSfnt(ttf.substr(0, ttf.size() / 2)));  // tables cut off
  EXPECT_FALSE(LeerFuenteSfnt(ttf.substr(0, 40)));
  std::string sinFirma = ttf;
  sinFirma[0] = 'X';
  EXPECT_FALSE(LeerFuenteSfnt(sinFirma));
  EXPECT_FALSE(LeerFuenteSfnt(""));
}

class FuentesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    prefijo.Escribir("drive_c/windows/Fonts/DejaVuSans.ttf", LeerArchivo(kDejaVu));
    prefijo.Escribir("drive_c/Evalora/Utilerías/DLLs/Otra.TTF", LeerArchivo(kDejaVu));
    prefijo.Escribir("drive_c/windows/Fonts/falsa.ttf", "no es una fuente");
  }
  pruebas::PrefijoTemporal prefijo;
  SistemaDeArchivosPrefijo archivos{prefijo.Raiz()};
  RegistroWine registro{prefijo.Raiz()};
  EntornoLinux entorno{{}, "alumno"};
  FuentesPrefijo fuentes{archivos, registro, entorno};
};

TEST_F(FuentesTest, SoloFuentesVerdaderasEntranEnLaTabla) {
  EXPECT_EQ(fuentes.AgregarRecurso("C:\\windows\\Fonts\\DejaVuSans.ttf"), 1);
  EXPECT_EQ(fuentes.AgregarRecurso("C:\\windows\\Fonts\\falsa.ttf"), 0);
  EXPECT_EQ(fuentes.AgregarRecurso("C:\\windows\\Fonts\\no-existe.ttf"), 0);
  EXPECT_TRUE(fuentes.QuitarRecurso("C:\\WINDOWS\\FONTS\\dejavusans.ttf"));
  EXPECT_FALSE(fuentes.QuitarRecurso("C:\\windows\\Fonts\\DejaVuSans.ttf"));
  EXPECT_FALSE(fuentes.QuitarRecurso("C:\\windows\\Fonts\\falsa.ttf"));
}

TEST_F(FuentesTest, RegistradaSobreviveAlReinicio) {
  ASSERT_TRUE(fuentes.Registrar("C:\\windows\\Fonts\\DejaVuSans.ttf"));
  ASSERT_TRUE(fuentes.Registrar("C:\\Evalora\\Utilerías\\DLLs\\Otra.TTF"));
  EXPECT_FALSE(fuentes.Registrar("C:\\windows\\Fonts\\falsa.ttf"));
  DatoDelRegistro dato;
  const char* clave = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
  ASSERT_EQ(registro.ConsultarValor(win::HKEY_LOCAL_MACHINE, clave, "DejaVu Sans (TrueType)", dato), win::kExito);
  // The last registration of the same font names its file: the one outside the Fonts folder by its path.
  EXPECT_EQ(TextoDeDato(dato), "C:\\Evalora\\Utilerías\\DLLs\\Otra.TTF");
  ASSERT_TRUE(fuentes.Registrar("C:\\windows\\Fonts\\DejaVuSans.ttf"));
  registro.ConsultarValor(win::HKEY_LOCAL_MACHINE, clave, "DejaVu Sans (TrueType)", dato);
  EXPECT_EQ(TextoDeDato(dato), "DejaVuSans.ttf");
  // A later session (a new service) finds it installed.
  FuentesPrefijo despues(archivos, registro, entorno);
  EXPECT_TRUE(despues.QuitarRecurso("C:\\windows\\Fonts\\DejaVuSans.ttf"));
}

uint16_t U16(const std::string& b, size_t en) {
  return static_cast<uint16_t>(static_cast<unsigned char>(b[en]) | (static_cast<unsigned char>(b[en + 1]) << 8));
}

// A length-prefixed name of an NE names table.
std::string NombreNe(const std::string& b, size_t en) { return b.substr(en + 1, static_cast<unsigned char>(b[en])); }

TEST_F(FuentesTest, RecursoEscalableQueNombraLaFuente) {
  ASSERT_TRUE(
      fuentes.CrearRecursoEscalable("C:\\windows\\Fonts\\DejaVuSans.FOT", "DejaVuSans.ttf", "C:\\windows\\Fonts"));
  // Never over an existing one, never for what is not TrueType.
  EXPECT_FALSE(
      fuentes.CrearRecursoEscalable("C:\\windows\\Fonts\\DejaVuSans.FOT", "DejaVuSans.ttf", "C:\\windows\\Fonts"));
  EXPECT_FALSE(fuentes.CrearRecursoEscalable("C:\\windows\\Fonts\\falsa.FOT", "falsa.ttf", "C:\\windows\\Fonts\\"));
  EXPECT_FALSE(std::filesystem::exists(prefijo.DriveC() / "windows/Fonts/falsa.FOT"));
  EXPECT_FALSE(fuentes.CrearRecursoEscalable("C:\\no\\hay\\x.FOT", "DejaVuSans.ttf", "C:\\windows\\Fonts"));
  // A font named with its folder is found there.
  EXPECT_TRUE(
      fuentes.CrearRecursoEscalable("C:\\windows\\Fonts\\Otra.FOT", "C:\\Evalora\\Utilerías\\DLLs\\Otra.TTF", ""));

  const std::string fot = prefijo.Leer("drive_c/windows/Fonts/DejaVuSans.FOT");
  ASSERT_GE(fot.size(), 0x100u);
  EXPECT_EQ(fot.substr(0, 2), "MZ");
  const size_t ne = U16(fot, 0x3C);
  EXPECT_EQ(fot.substr(ne, 2), "NE");
  EXPECT_EQ(U16(fot, ne + 0x3E), 0x0300);
  EXPECT_EQ(NombreNe(fot, ne + U16(fot, ne + 0x26)), "DejaVuSans");
  EXPECT_EQ(NombreNe(fot, U16(fot, ne + 0x2C)), "FONTRES:DejaVu Sans");
  // The resource table: the font directory, then the font file's name as given.
  const size_t tabla = ne + U16(fot, ne + 0x24);
  const unsigned desplazamiento = U16(fot, tabla);
  EXPECT_EQ(U16(fot, tabla + 2), 0x8007);
  EXPECT_EQ(U16(fot, tabla + 2 + 20), 0x80CC);
  const size_t nombre = static_cast<size_t>(U16(fot, tabla + 2 + 20 + 8)) << desplazamiento;
  EXPECT_EQ(std::string(fot.c_str() + nombre), "DejaVuSans.ttf");
  const size_t directorio = static_cast<size_t>(U16(fot, tabla + 2 + 8)) << desplazamiento;
  EXPECT_EQ(U16(fot, directorio), 1);           // one font
  EXPECT_EQ(U16(fot, directorio + 4), 0x0200);  // its version
  EXPECT_NE(fot.find(std::string("DejaVu Sans\0", 12), directorio), std::string::npos);
}

TEST_F(FuentesTest, UnLectorIndependienteVeLosRecursos) {
  if (::access("/usr/bin/wrestool", X_OK) != 0) GTEST_SKIP() << "wrestool (icoutils) is not installed";
  ASSERT_TRUE(
      fuentes.CrearRecursoEscalable("C:\\windows\\Fonts\\DejaVuSans.FOT", "DejaVuSans.ttf", "C:\\windows\\Fonts"));
  const std::string fot = (prefijo.DriveC() / "windows/Fonts/DejaVuSans.FOT").string();
  auto ejecutar = [](const std::string& orden) {
    std::string salida;
    FILE* tubo = ::popen((orden + " 2>&1").c_str(), "r");
    char bloque[512];
    size_t n;
    while ((n = std::fread(bloque, 1, sizeof bloque, tubo)) > 0) salida.append(bloque, n);
    ::pclose(tubo);
    return salida;
  };
  const std::string lista = ejecutar("wrestool -l '" + fot + "'");
  EXPECT_NE(lista.find("--type=7 --name=1 [type=fontdir"), std::string::npos) << lista;
  EXPECT_NE(lista.find("--type=204 --name=1"), std::string::npos) << lista;
  const std::string nombre = ejecutar("wrestool -x --raw -t 204 -n 1 '" + fot + "'");
  EXPECT_EQ(nombre.rfind(std::string("DejaVuSans.ttf\0", 15), 0), 0u);
}

}  // namespace
}  // namespace evalora

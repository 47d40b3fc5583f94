#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "apoyo/PrefijoTemporal.h"
#include "platform/linux/EntornoLinux.h"
#include "platform/linux/FuenteSfnt.h"
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

}  // namespace
}  // namespace evalora

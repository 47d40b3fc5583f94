#include "platform/linux/IndiceDeNombres.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>

#include "apoyo/PrefijoTemporal.h"
#include "platform/linux/SistemaDeArchivosPrefijo.h"

namespace evalora {
namespace {

using pruebas::PrefijoTemporal;
namespace fs = std::filesystem;

void Crear(const fs::path& ruta) { std::ofstream(ruta) << "x"; }

// What others do to a folder after it was indexed is seen at the next question, as a fresh read
// of the folder would see it, whatever the order of creations, deletions and renames.
TEST(IndiceDeNombresTest, RespondeComoLeerLaCarpetaMientrasOtrosLaCambian) {
  PrefijoTemporal prefijo;
  const std::vector<fs::path> carpetas = {prefijo.DriveC() / "uno", prefijo.DriveC() / "dos"};
  for (const auto& c : carpetas) fs::create_directories(c);
  const std::vector<std::string> nombres = {"a.txt", "A.txt", "A.TXT", "b", "B", "Ñandú", "ñANDÚ", "c.dat"};
  IndiceDeNombres indice;
  std::mt19937 azar(16);
  auto alguno = [&](const auto& v) { return v[std::uniform_int_distribution<size_t>(0, v.size() - 1)(azar)]; };
  for (int paso = 0; paso < 400; ++paso) {
    const fs::path carpeta = alguno(carpetas);
    const fs::path ruta = carpeta / alguno(nombres);
    std::error_code error;
    switch (paso % 4) {
      case 0:
        Crear(ruta);
        break;
      case 1:
        fs::remove(ruta, error);
        break;
      case 2:
        fs::rename(ruta, alguno(carpetas) / alguno(nombres), error);
        break;
      default:
        fs::create_directory(ruta, error);
        break;
    }
    for (const auto& c : carpetas) {
      for (const auto& n : nombres) {
        ASSERT_EQ(indice.Buscar(c.string(), n), BuscarLeyendoLaCarpeta(c.string(), n))
            << "paso " << paso << ": " << c << " / " << n;
      }
    }
  }
}

TEST(IndiceDeNombresTest, CarpetasQueSeVanVuelvenOSonMuchas) {
  PrefijoTemporal prefijo;
  const fs::path datos = prefijo.DriveC() / "Datos";
  fs::create_directories(datos);
  Crear(datos / "Informe.txt");
  IndiceDeNombres indice;
  EXPECT_EQ(indice.Buscar(datos.string(), "INFORME.TXT"), "Informe.txt");
  // The folder moves away and another takes its name: the new one is read.
  fs::rename(datos, prefijo.DriveC() / "Viejos");
  fs::create_directories(datos);
  Crear(datos / "Otro.txt");
  EXPECT_FALSE(indice.Buscar(datos.string(), "informe.txt"));
  EXPECT_EQ(indice.Buscar(datos.string(), "otro.TXT"), "Otro.txt");
  // The moved one is still known by its new path.
  EXPECT_EQ(indice.Buscar((prefijo.DriveC() / "Viejos").string(), "informe.TXT"), "Informe.txt");
  // Removed and made again.
  fs::remove_all(datos);
  EXPECT_FALSE(indice.Buscar(datos.string(), "otro.txt"));
  fs::create_directories(datos);
  Crear(datos / "Nuevo.txt");
  EXPECT_EQ(indice.Buscar(datos.string(), "NUEVO.txt"), "Nuevo.txt");
  // More folders than are kept: each one still answers for what it holds now.
  std::vector<fs::path> muchas;
  for (int i = 0; i < 80; ++i) {
    muchas.push_back(prefijo.DriveC() / ("c" + std::to_string(i)));
    fs::create_directories(muchas.back());
    Crear(muchas.back() / "Dentro.txt");
    EXPECT_EQ(indice.Buscar(muchas.back().string(), "dentro.txt"), "Dentro.txt");
  }
  // Newest first: those still kept, then those read again.
  for (auto it = muchas.rbegin(); it != muchas.rend(); ++it) {
    const fs::path& c = *it;
    fs::rename(c / "Dentro.txt", c / "Fuera.txt");
    EXPECT_FALSE(indice.Buscar(c.string(), "dentro.txt")) << c;
    EXPECT_EQ(indice.Buscar(c.string(), "FUERA.TXT"), "Fuera.txt") << c;
  }
}

// The service's paths: what it creates, renames and deletes in a folder of thousands of names is
// found in any case at once.
TEST(IndiceDeNombresTest, ElPrefijoEncuentraLoQueCreaEnUnaCarpetaGrande) {
  PrefijoTemporal prefijo;
  SistemaDeArchivosPrefijo archivos(prefijo.Raiz());
  ASSERT_TRUE(archivos.CrearCarpeta("C:\\Lista"));
  for (int i = 0; i < 2000; ++i) {
    const std::string nombre = "C:\\LISTA\\Archivo" + std::to_string(i) + ".Bin";
    ASSERT_FALSE(archivos.ExisteArchivo(nombre));
    const auto temporal = archivos.CrearArchivoTemporal("C:\\lista");
    ASSERT_TRUE(temporal);
    ASSERT_TRUE(archivos.Renombrar(*temporal, nombre, true));
    ASSERT_TRUE(archivos.ExisteArchivo("c:\\lista\\ARCHIVO" + std::to_string(i) + ".BIN"));
  }
  EXPECT_EQ(archivos.ListarArchivos("C:\\Lista").size(), 2000u);
  EXPECT_TRUE(fs::exists(prefijo.DriveC() / "Lista" / "Archivo1999.Bin"));
  ASSERT_TRUE(archivos.BorrarArchivo("C:\\lista\\archivo7.bin", false));
  EXPECT_FALSE(archivos.ExisteArchivo("C:\\Lista\\Archivo7.Bin"));
}

}  // namespace
}  // namespace evalora

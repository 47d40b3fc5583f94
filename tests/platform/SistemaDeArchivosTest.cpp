#include "platform/linux/SistemaDeArchivosPrefijo.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/xattr.h>

#include <set>

#include "apoyo/PrefijoTemporal.h"
#include "platform/CodigosWin.h"

namespace evalora {
namespace {

using pruebas::PrefijoTemporal;
namespace fs = std::filesystem;

class SistemaDeArchivosTest : public ::testing::Test {
 protected:
  PrefijoTemporal prefijo;
  SistemaDeArchivosPrefijo archivos{prefijo.Raiz()};
};

TEST_F(SistemaDeArchivosTest, RutasSinMayusculasYConBarraNormal) {
  prefijo.Escribir("drive_c/Program Files/Evalora 2020 Cloud/Utilerías/DLLs/a.dll", "x");
  const auto ruta = archivos.RutaAnfitrion("c:\\PROGRAM FILES\\evalora 2020 cloud\\UTILERÍAS\\dlls\\A.DLL");
  ASSERT_TRUE(ruta);
  EXPECT_TRUE(fs::equivalent(*ruta, prefijo.DriveC() / "Program Files/Evalora 2020 Cloud/Utilerías/DLLs/a.dll"));
  EXPECT_TRUE(archivos.ExisteArchivo("C:/Program Files/Evalora 2020 Cloud/Utilerías/DLLs/a.dll"));
  EXPECT_TRUE(archivos.ExisteArchivo("C:\\Program Files\\\\Evalora 2020 Cloud\\.\\Utilerías\\x\\..\\DLLs\\a.dll"));
  // What does not exist yet keeps the name as written, below the part that does.
  EXPECT_EQ(archivos.RutaAnfitrion("C:\\program files\\Nueva\\Otra")->filename(), "Otra");
  EXPECT_EQ(archivos.RutaAnfitrion("C:\\program files\\Nueva")->parent_path().filename(), "Program Files");
  // ".." never climbs above the drive.
  EXPECT_TRUE(fs::equivalent(*archivos.RutaAnfitrion("C:\\..\\..\\Program Files"), prefijo.DriveC() / "Program Files"));
  EXPECT_TRUE(fs::equivalent(*archivos.RutaAnfitrion("C:"), prefijo.DriveC()));
}

TEST_F(SistemaDeArchivosTest, RutasQueNoSeResuelven) {
  EXPECT_FALSE(archivos.RutaAnfitrion("\\\\servidor\\compartida\\a.txt"));
  EXPECT_FALSE(archivos.RutaAnfitrion("//servidor/compartida"));
  EXPECT_FALSE(archivos.RutaAnfitrion("Q:\\algo"));  // no such drive in dosdevices
  EXPECT_FALSE(archivos.RutaAnfitrion("relativa\\a.txt"));
  EXPECT_FALSE(archivos.RutaAnfitrion("\\sin unidad"));
  EXPECT_FALSE(archivos.RutaAnfitrion(""));
  EXPECT_FALSE(archivos.ExisteCarpeta("\\\\servidor\\compartida"));
  // z: is the Linux root.
  EXPECT_TRUE(archivos.ExisteCarpeta("Z:\\tmp"));
}

// A drive letter follows its dosdevices link wherever it points now.
TEST_F(SistemaDeArchivosTest, UnidadQueCambiaDeCarpeta) {
  prefijo.Escribir("uno/a.txt", "1");
  prefijo.Escribir("dos/b.txt", "2");
  const fs::path enlace = prefijo.Raiz() / "dosdevices" / "d:";
  fs::create_directory_symlink("../uno", enlace);
  EXPECT_TRUE(archivos.ExisteArchivo("D:\\A.TXT"));
  fs::remove(enlace);
  EXPECT_FALSE(archivos.ExisteArchivo("D:\\a.txt"));
  fs::create_directory_symlink(prefijo.Raiz() / "dos", enlace);
  EXPECT_FALSE(archivos.ExisteArchivo("D:\\a.txt"));
  EXPECT_TRUE(archivos.ExisteArchivo("d:\\B.txt"));
  fs::remove(enlace);
  fs::create_directory(enlace);  // a folder of its own, not a link
  EXPECT_FALSE(archivos.ExisteArchivo("D:\\b.txt"));
  prefijo.Escribir("dosdevices/d:/c.txt", "3");
  EXPECT_TRUE(archivos.ExisteArchivo("D:\\C.TXT"));
  // The whole dosdevices folder made anew, as a new prefix in the same place.
  fs::remove_all(prefijo.Raiz() / "dosdevices");
  fs::create_directories(prefijo.Raiz() / "dosdevices");
  fs::create_directory_symlink("../uno", prefijo.Raiz() / "dosdevices" / "c:");
  EXPECT_TRUE(archivos.ExisteArchivo("C:\\a.txt"));
  EXPECT_FALSE(archivos.ExisteArchivo("D:\\c.txt"));
}

TEST_F(SistemaDeArchivosTest, ArchivosYCarpetasNoSeConfunden) {
  prefijo.Escribir("drive_c/dir/file.txt", "12345");
  EXPECT_TRUE(archivos.ExisteCarpeta("C:\\dir"));
  EXPECT_FALSE(archivos.ExisteArchivo("C:\\dir"));
  EXPECT_TRUE(archivos.ExisteArchivo("C:\\dir\\file.txt"));
  EXPECT_FALSE(archivos.ExisteCarpeta("C:\\dir\\file.txt"));
  EXPECT_EQ(archivos.Tamano("C:\\DIR\\FILE.TXT"), 5);
  EXPECT_FALSE(archivos.Tamano("C:\\dir"));
  EXPECT_FALSE(archivos.Tamano("C:\\dir\\nada.txt"));
}

TEST_F(SistemaDeArchivosTest, CrearCarpetaUnNivel) {
  EXPECT_TRUE(archivos.CrearCarpeta("C:\\Evalora"));
  EXPECT_FALSE(archivos.CrearCarpeta("C:\\evalora"));  // exists, in another case
  EXPECT_EQ(archivos.UltimoError(), win::kYaExiste);
  EXPECT_FALSE(archivos.CrearCarpeta("C:\\Falta\\Hija"));  // the parent is missing
  EXPECT_EQ(archivos.UltimoError(), win::kRutaNoEncontrada);
  EXPECT_FALSE(archivos.EstablecerAtributos("C:\\Falta", 0));
  EXPECT_EQ(archivos.UltimoError(), win::kRutaNoEncontrada);
  EXPECT_FALSE(archivos.CrearCarpeta("\\\\servidor\\recurso\\x"));
  EXPECT_EQ(archivos.UltimoError(), win::kRutaNoEncontrada);
  EXPECT_EQ(ErrorWindowsDeErrno(EACCES), win::kAccesoDenegado);
  EXPECT_EQ(ErrorWindowsDeErrno(ENOSPC), win::kDiscoLleno);
  EXPECT_TRUE(archivos.CrearCarpeta("C:\\EVALORA\\Utilerías"));
  EXPECT_TRUE(fs::is_directory(prefijo.DriveC() / "Evalora" / "Utilerías"));
}

TEST_F(SistemaDeArchivosTest, CopiarConYSinSobrescribir) {
  prefijo.Escribir("drive_c/a.txt", "nuevo");
  prefijo.Escribir("drive_c/b.txt", "viejo");
  EXPECT_FALSE(archivos.CopiarArchivo("C:\\a.txt", "C:\\b.txt", false));
  EXPECT_EQ(prefijo.Leer("drive_c/b.txt"), "viejo");
  EXPECT_TRUE(archivos.CopiarArchivo("C:\\a.txt", "C:\\B.TXT", true));
  EXPECT_EQ(prefijo.Leer("drive_c/b.txt"), "nuevo");
  EXPECT_TRUE(archivos.CopiarArchivo("C:\\a.txt", "C:\\c.txt", false));
  EXPECT_EQ(prefijo.Leer("drive_c/c.txt"), "nuevo");
  EXPECT_FALSE(archivos.CopiarArchivo("C:\\falta.txt", "C:\\d.txt", true));
  EXPECT_FALSE(archivos.CopiarArchivo("C:\\a.txt", "C:\\NoHay\\d.txt", true));
  // A read-only target is never overwritten.
  ASSERT_TRUE(archivos.EstablecerAtributos("C:\\c.txt", win::kAtributoSoloLectura));
  prefijo.Escribir("drive_c/a.txt", "otro");
  EXPECT_FALSE(archivos.CopiarArchivo("C:\\a.txt", "C:\\c.txt", true));
  EXPECT_EQ(prefijo.Leer("drive_c/c.txt"), "nuevo");
}

TEST_F(SistemaDeArchivosTest, BorrarConYSinForzar) {
  prefijo.Escribir("drive_c/x/y/solo.txt", "x");
  prefijo.Escribir("drive_c/x/libre.txt", "x");
  ASSERT_TRUE(archivos.EstablecerAtributos("C:\\x\\y\\solo.txt", win::kAtributoSoloLectura));
  EXPECT_FALSE(archivos.BorrarArchivo("C:\\x\\y\\solo.txt", false));
  EXPECT_TRUE(archivos.ExisteArchivo("C:\\x\\y\\solo.txt"));
  EXPECT_FALSE(archivos.BorrarCarpeta("C:\\x", false));
  EXPECT_TRUE(archivos.ExisteArchivo("C:\\x\\libre.txt"));
  EXPECT_TRUE(archivos.BorrarArchivo("C:\\X\\LIBRE.TXT", false));
  EXPECT_FALSE(archivos.BorrarArchivo("C:\\x\\y", true));  // a folder is not a file
  ASSERT_TRUE(archivos.EstablecerAtributos("C:\\x\\y\\solo.txt", win::kAtributoNormal));
  ASSERT_TRUE(archivos.EstablecerAtributos("C:\\x", win::kAtributoSoloLectura));  // the folder itself
  EXPECT_FALSE(archivos.BorrarCarpeta("C:\\x", false));
  EXPECT_TRUE(archivos.BorrarCarpeta("C:\\x", true));
  EXPECT_FALSE(fs::exists(prefijo.DriveC() / "x"));
  EXPECT_FALSE(archivos.BorrarCarpeta("C:\\x", true));
}

TEST_F(SistemaDeArchivosTest, RenombrarYReemplazar) {
  prefijo.Escribir("drive_c/d/EVL1A.tmp", "completo");
  prefijo.Escribir("drive_c/d/final.bin", "viejo");
  EXPECT_FALSE(archivos.Renombrar("C:\\d\\EVL1A.tmp", "C:\\d\\FINAL.bin", false));
  EXPECT_EQ(prefijo.Leer("drive_c/d/final.bin"), "viejo");
  EXPECT_TRUE(archivos.Renombrar("C:\\d\\EVL1A.tmp", "C:\\d\\FINAL.bin", true));
  EXPECT_EQ(prefijo.Leer("drive_c/d/final.bin"), "completo");
  EXPECT_FALSE(fs::exists(prefijo.DriveC() / "d/EVL1A.tmp"));
  EXPECT_TRUE(archivos.Renombrar("C:\\d\\final.bin", "C:\\d\\otro.bin", false));
  // Only the case changes.
  EXPECT_TRUE(archivos.Renombrar("C:\\d\\otro.bin", "C:\\d\\OTRO.bin", false));
  EXPECT_TRUE(fs::exists(prefijo.DriveC() / "d/OTRO.bin"));
  EXPECT_FALSE(fs::exists(prefijo.DriveC() / "d/otro.bin"));
  EXPECT_FALSE(archivos.Renombrar("C:\\d\\nada", "C:\\d\\algo", true));
}

TEST_F(SistemaDeArchivosTest, ListadosEnOrdenEstable) {
  for (const char* nombre : {"b.txt", "A.txt", "c.TXT", "Ñu.txt"}) prefijo.Escribir(fs::path("drive_c/l") / nombre, "");
  fs::create_directories(prefijo.DriveC() / "l/Zeta");
  fs::create_directories(prefijo.DriveC() / "l/alfa");
  EXPECT_EQ(archivos.ListarArchivos("C:\\L"), (std::vector<std::string>{"A.txt", "b.txt", "c.TXT", "Ñu.txt"}));
  EXPECT_EQ(archivos.ListarSubcarpetas("C:\\l"), (std::vector<std::string>{"alfa", "Zeta"}));
  EXPECT_TRUE(archivos.ListarArchivos("C:\\no existe").empty());
}

TEST_F(SistemaDeArchivosTest, AtributosComoLosGuardaWine) {
  prefijo.Escribir("drive_c/autorun.inf", "x");
  const std::string ruta = "C:\\autorun.inf";
  EXPECT_EQ(archivos.LeerAtributos(ruta), win::kAtributoArchivo);
  EXPECT_EQ(archivos.LeerAtributos("C:\\"), win::kAtributoCarpeta);
  ASSERT_TRUE(archivos.EstablecerAtributos(ruta, win::kAtributoOculto | win::kAtributoSoloLectura));
  EXPECT_EQ(archivos.LeerAtributos(ruta), win::kAtributoArchivo | win::kAtributoOculto | win::kAtributoSoloLectura);
  // Hidden lives in user.DOSATTRIB as Samba's text; read-only as the missing write permission.
  const auto anfitrion = prefijo.DriveC() / "autorun.inf";
  char texto[16] = {};
  ASSERT_GT(::getxattr(anfitrion.c_str(), "user.DOSATTRIB", texto, sizeof texto - 1), 0);
  EXPECT_STREQ(texto, "0x2");
  struct stat st {};
  ::stat(anfitrion.c_str(), &st);
  EXPECT_EQ(st.st_mode & 0222, 0u);
  // Normal clears both.
  ASSERT_TRUE(archivos.EstablecerAtributos(ruta, win::kAtributoNormal));
  EXPECT_EQ(archivos.LeerAtributos(ruta), win::kAtributoArchivo);
  ::stat(anfitrion.c_str(), &st);
  EXPECT_NE(st.st_mode & S_IWUSR, 0u);
  // Samba's value with other flags: only hidden and system are taken from it.
  ::setxattr(anfitrion.c_str(), "user.DOSATTRIB", "0x26", 4, 0);
  EXPECT_EQ(archivos.LeerAtributos(ruta), win::kAtributoArchivo | win::kAtributoOculto | win::kAtributoSistema);
  EXPECT_FALSE(archivos.EstablecerAtributos("C:\\no.txt", win::kAtributoNormal));
}

TEST_F(SistemaDeArchivosTest, TemporalesExclusivos) {
  fs::create_directories(prefijo.DriveC() / "Descargas");
  std::set<std::string> nombres;
  for (int i = 0; i < 50; ++i) {
    const auto temporal = archivos.CrearArchivoTemporal("C:\\Descargas");
    ASSERT_TRUE(temporal);
    const std::string nombre = temporal->substr(temporal->rfind('\\') + 1);
    EXPECT_EQ(temporal->rfind("C:\\Descargas\\EVL", 0), 0u);
    EXPECT_EQ(nombre.substr(nombre.size() - 4), ".tmp");
    EXPECT_EQ(nombre.substr(3, nombre.size() - 7).find_first_not_of("0123456789ABCDEF"), std::string::npos);
    EXPECT_TRUE(nombres.insert(nombre).second) << "created twice: " << nombre;
    EXPECT_EQ(archivos.Tamano(*temporal), 0);
  }
  EXPECT_EQ(archivos.ListarArchivos("C:\\Descargas").size(), 50u);
  EXPECT_EQ(archivos.CrearArchivoTemporal("C:\\Descargas\\")->find("\\\\"), std::string::npos);
  EXPECT_FALSE(archivos.CrearArchivoTemporal("C:\\NoExiste"));
}

}  // namespace
}  // namespace evalora

// Files and folders in the Windows build.
#include "platform/windows/SistemaDeArchivosWin.h"

#include <gtest/gtest.h>

#include "ApoyoWin.h"
#include "platform/CodigosWin.h"

namespace evalora {
namespace {

TEST(RutaDe32Bits, System32LlevaASysWow64SalvoLasCarpetasCompartidas) {
  const std::string w = "C:\\windows";
  EXPECT_EQ(RutaDe32Bits("C:\\windows\\System32\\MSCOMCTL.OCX", w, true), "C:\\windows\\SysWOW64\\MSCOMCTL.OCX");
  EXPECT_EQ(RutaDe32Bits("c:\\WINDOWS\\system32", w, true), "C:\\windows\\SysWOW64");
  EXPECT_EQ(RutaDe32Bits("C:\\windows\\System32\\spool\\drivers", w, true), "C:\\windows\\System32\\spool\\drivers");
  EXPECT_EQ(RutaDe32Bits("C:\\windows\\System32\\drivers\\etc\\hosts", w, true),
            "C:\\windows\\System32\\drivers\\etc\\hosts");
  EXPECT_EQ(RutaDe32Bits("C:\\windows\\System32\\drivers\\x.sys", w, true), "C:\\windows\\SysWOW64\\drivers\\x.sys");
  EXPECT_EQ(RutaDe32Bits("C:\\windows\\System32x\\a", w, true), "C:\\windows\\System32x\\a");
  EXPECT_EQ(RutaDe32Bits("C:\\windows\\System32\\a.dll", w, false), "C:\\windows\\System32\\a.dll");
  EXPECT_EQ(RutaDe32Bits("D:\\datos\\System32\\a.dll", w, true), "D:\\datos\\System32\\a.dll");
}

class SistemaDeArchivosWinTest : public ::testing::Test {
 protected:
  std::string En(const std::string& relativa) const { return carpeta.Ruta() + "\\" + relativa; }
  pruebas::CarpetaTemporalWin carpeta;
  SistemaDeArchivosWin archivos;
};

TEST_F(SistemaDeArchivosWinTest, CarpetasYSusErrores) {
  EXPECT_TRUE(archivos.CrearCarpeta(En("Utilerías")));
  EXPECT_TRUE(archivos.ExisteCarpeta(En("UTILERÍAS")));  // without regard to case
  EXPECT_FALSE(archivos.ExisteArchivo(En("Utilerías")));
  EXPECT_FALSE(archivos.CrearCarpeta(En("Utilerías")));
  EXPECT_EQ(archivos.UltimoError(), win::kYaExiste);
  EXPECT_FALSE(archivos.CrearCarpeta(En("no\\existe")));
  EXPECT_EQ(archivos.UltimoError(), win::kRutaNoEncontrada);
  EXPECT_TRUE(archivos.RutaAnfitrion(En("x")).has_value());
  EXPECT_FALSE(archivos.RutaAnfitrion("relativa\\x").has_value());
}

TEST_F(SistemaDeArchivosWinTest, ArchivosCopiadosRenombradosYBorrados) {
  carpeta.Escribir("a.txt", "uno");
  carpeta.Escribir("b.txt", "dos dos");
  EXPECT_EQ(archivos.Tamano(En("b.txt")), 7);
  EXPECT_FALSE(archivos.Tamano(carpeta.Ruta()).has_value());
  EXPECT_FALSE(archivos.CopiarArchivo(En("a.txt"), En("b.txt"), false));
  EXPECT_TRUE(archivos.CopiarArchivo(En("a.txt"), En("c.txt"), false));
  EXPECT_EQ(carpeta.Leer("c.txt"), "uno");
  // A read-only file: copied over never, deleted only when forced.
  ASSERT_TRUE(archivos.EstablecerAtributos(En("c.txt"), win::kAtributoSoloLectura));
  EXPECT_EQ(archivos.LeerAtributos(En("c.txt")).value_or(0) & win::kAtributoSoloLectura, win::kAtributoSoloLectura);
  EXPECT_FALSE(archivos.CopiarArchivo(En("b.txt"), En("c.txt"), true));
  EXPECT_FALSE(archivos.BorrarArchivo(En("c.txt"), false));
  EXPECT_TRUE(archivos.BorrarArchivo(En("c.txt"), true));
  EXPECT_FALSE(archivos.ExisteArchivo(En("c.txt")));
  // Renaming onto an existing file only when told to replace it.
  EXPECT_FALSE(archivos.Renombrar(En("a.txt"), En("b.txt"), false));
  EXPECT_TRUE(archivos.Renombrar(En("a.txt"), En("b.txt"), true));
  EXPECT_EQ(carpeta.Leer("b.txt"), "uno");
  EXPECT_FALSE(archivos.ExisteArchivo(En("a.txt")));
}

TEST_F(SistemaDeArchivosWinTest, ListasSinMayusculasYBorradoDeUnArbol) {
  archivos.CrearCarpeta(En("arbol"));
  archivos.CrearCarpeta(En("arbol\\Zeta"));
  archivos.CrearCarpeta(En("arbol\\alfa"));
  carpeta.Escribir("arbol\\b.bin", "b");
  carpeta.Escribir("arbol\\A.bin", "a");
  carpeta.Escribir("arbol\\alfa\\solo.txt", "s");
  EXPECT_EQ(archivos.ListarArchivos(En("arbol")), (std::vector<std::string>{"A.bin", "b.bin"}));
  EXPECT_EQ(archivos.ListarSubcarpetas(En("arbol")), (std::vector<std::string>{"alfa", "Zeta"}));
  EXPECT_TRUE(archivos.ListarArchivos(En("no-existe")).empty());
  archivos.EstablecerAtributos(En("arbol\\alfa\\solo.txt"), win::kAtributoSoloLectura);
  EXPECT_FALSE(archivos.BorrarCarpeta(En("arbol"), false));
  EXPECT_TRUE(archivos.BorrarCarpeta(En("arbol"), true));
  EXPECT_FALSE(archivos.ExisteCarpeta(En("arbol")));
}

TEST_F(SistemaDeArchivosWinTest, TemporalesExclusivosYEscritura) {
  const auto primero = archivos.CrearArchivoTemporal(carpeta.Ruta());
  const auto segundo = archivos.CrearArchivoTemporal(carpeta.Ruta() + "\\");
  ASSERT_TRUE(primero && segundo);
  EXPECT_NE(*primero, *segundo);
  const std::string nombre = primero->substr(primero->find_last_of('\\') + 1);
  EXPECT_EQ(nombre.rfind("EVL", 0), 0u) << nombre;
  EXPECT_TRUE(nombre.substr(nombre.size() - 4) == ".TMP" || nombre.substr(nombre.size() - 4) == ".tmp") << nombre;
  EXPECT_EQ(primero->rfind(carpeta.Ruta() + "\\", 0), 0u);
  EXPECT_TRUE(archivos.ExisteArchivo(*primero));
  EXPECT_FALSE(archivos.CrearArchivoTemporal(En("no-existe")).has_value());

  auto escritura = archivos.AbrirParaEscribir(*primero);
  ASSERT_NE(escritura, nullptr);
  const std::string grande(3 << 20, 'z');
  EXPECT_TRUE(escritura->Escribir(grande.data(), grande.size()));
  EXPECT_TRUE(escritura->Cerrar());
  EXPECT_EQ(archivos.Tamano(*primero), static_cast<int64_t>(grande.size()));
  EXPECT_EQ(archivos.AbrirParaEscribir(En("no-existe.bin")), nullptr);
}

}  // namespace
}  // namespace evalora

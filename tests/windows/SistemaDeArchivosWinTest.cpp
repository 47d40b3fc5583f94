// Files and folders in the Windows build.
#include "platform/windows/SistemaDeArchivosWin.h"

#include <gtest/gtest.h>

#include "ApoyoWin.h"
#include "platform/CodigosWin.h"
#include "platform/fakes/Falsos.h"
#include "platform/windows/TextoWin.h"

#include <windows.h>

#include <algorithm>

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

namespace evalora {
namespace {

TEST(FormaExtendida, LasRutasAbsolutasVanAWindowsSinElLimiteDeMaxPath) {
  EXPECT_EQ(FormaExtendida(L"C:\\Descargas\\Evalora\\a.bin"), L"\\\\?\\C:\\Descargas\\Evalora\\a.bin");
  EXPECT_EQ(FormaExtendida(L"C:\\"), L"\\\\?\\C:\\");
  EXPECT_EQ(FormaExtendida(L"C:\\a\\.\\b\\..\\c/d\\\\e"), L"\\\\?\\C:\\a\\c\\d\\e");
  EXPECT_EQ(FormaExtendida(L"C:\\a\\..\\..\\b"), L"\\\\?\\C:\\b");  // never above the drive's root
  EXPECT_EQ(FormaExtendida(L"C:\\Evalora. \\x.txt."), L"\\\\?\\C:\\Evalora\\x.txt");  // as Windows trims them
  EXPECT_EQ(FormaExtendida(L"C:\\a\\*"), L"\\\\?\\C:\\a\\*");
  EXPECT_EQ(FormaExtendida(L"\\\\servidor\\recurso\\Evalora\\a.bin"), L"\\\\?\\UNC\\servidor\\recurso\\Evalora\\a.bin");
  EXPECT_EQ(FormaExtendida(L"\\\\servidor\\recurso\\..\\a"), L"\\\\?\\UNC\\servidor\\recurso\\a");
  EXPECT_EQ(FormaExtendida(L"\\\\?\\C:\\ya"), L"\\\\?\\C:\\ya");
  EXPECT_EQ(FormaExtendida(L"\\\\.\\COM1"), L"\\\\.\\COM1");
  EXPECT_EQ(FormaExtendida(L"relativa\\a"), L"relativa\\a");
  EXPECT_EQ(FormaExtendida(L"\\sin\\unidad"), L"\\sin\\unidad");
}

class RetencionWinTest : public ::testing::Test {
 protected:
  std::string En(const std::string& relativa) const { return carpeta.Ruta() + "\\" + relativa; }
  std::string Nuevo(const std::string& nombre) {
    carpeta.Escribir(nombre, "contenido de " + nombre);
    return En(nombre);
  }
  pruebas::CarpetaTemporalWin carpeta;
  pruebas::RelojConRetencion reloj;
  SistemaDeArchivosWin archivos{reloj};
};

// Each operation the download and the installation make on a new file outlasts a hold of 300 ms.
TEST_F(RetencionWinTest, CadaOperacionEsperaAQueElOtroSuelteElArchivo) {
  const std::string temporal = Nuevo("EVL1.tmp");
  reloj.Retener(temporal, 300);
  EXPECT_TRUE(archivos.Renombrar(temporal, En("final.bin"), true));
  EXPECT_GE(reloj.Esperado(), 300u);
  EXPECT_EQ(carpeta.Leer("final.bin"), "contenido de EVL1.tmp");

  reloj.Retener(En("final.bin"), 300);
  EXPECT_TRUE(archivos.CopiarArchivo(En("final.bin"), En("copia.bin"), false));
  EXPECT_EQ(carpeta.Leer("copia.bin"), "contenido de EVL1.tmp");

  reloj.Retener(En("copia.bin"), 300);
  auto escritura = archivos.AbrirParaEscribir(En("copia.bin"));
  ASSERT_NE(escritura, nullptr);
  EXPECT_TRUE(escritura->Escribir("nuevo", 5));
  EXPECT_TRUE(escritura->Cerrar());
  EXPECT_EQ(carpeta.Leer("copia.bin"), "nuevo");

  reloj.Retener(En("copia.bin"), 300);
  EXPECT_FALSE(archivos.ArchivoLibre(En("copia.bin")));
  EXPECT_TRUE(archivos.BorrarArchivo(En("copia.bin"), false));
  EXPECT_FALSE(archivos.ExisteArchivo(En("copia.bin")));
  EXPECT_LE(reloj.Esperado(), 2000u);
}

// A download that goes on from its partial body while an antivirus still reads it: the opening
// waits for it, keeps the part held, drops what lay beyond, and the bytes reach the disk itself.
TEST_F(RetencionWinTest, ElCuerpoParcialRetenidoSeContinuaAlSoltarse) {
  const std::string parcial = Nuevo("a.bin.EVLparcial");  // "contenido de a.bin.EVLparcial"
  reloj.Retener(parcial, 300);
  auto escritura = archivos.AbrirParaContinuar(parcial, 9);
  ASSERT_NE(escritura, nullptr);
  EXPECT_GE(reloj.Esperado(), 300u);
  EXPECT_TRUE(escritura->Escribir(" nuevo", 6));
  EXPECT_TRUE(escritura->Asegurar());
  EXPECT_TRUE(escritura->Cerrar());
  EXPECT_EQ(carpeta.Leer("a.bin.EVLparcial"), "contenido nuevo");
  EXPECT_EQ(archivos.LeerArchivo(parcial, 100), "contenido nuevo");
  EXPECT_FALSE(archivos.LeerArchivo(parcial, 10).has_value());  // longer than asked for
  // Fewer bytes than the part to keep: no continuation; a new one from 0 is created.
  EXPECT_EQ(archivos.AbrirParaContinuar(parcial, 100), nullptr);
  EXPECT_EQ(archivos.AbrirParaContinuar(En("otro.EVLparcial"), 5), nullptr);
  EXPECT_NE(archivos.AbrirParaContinuar(En("otro.EVLparcial"), 0), nullptr);
  EXPECT_TRUE(archivos.ExisteArchivo(En("otro.EVLparcial")));
}

TEST_F(RetencionWinTest, UnaRetencionQueNoAcabaCuestaDosSegundosYOtroErrorNada) {
  const std::string archivo = Nuevo("retenido.bin");
  reloj.Retener(archivo, 0);
  EXPECT_FALSE(archivos.BorrarArchivo(archivo, false));
  EXPECT_EQ(archivos.UltimoError(), static_cast<long>(ERROR_SHARING_VIOLATION));
  EXPECT_EQ(reloj.Esperado(), 2000u);
  EXPECT_TRUE(archivos.ExisteArchivo(archivo));
  EXPECT_FALSE(archivos.ArchivoLibre(archivo));
  reloj.Soltar();
  EXPECT_TRUE(archivos.ArchivoLibre(archivo));

  // A file that is not there is not waited for.
  reloj.Retener(archivo, 0);
  reloj.Soltar();
  EXPECT_FALSE(archivos.Renombrar(En("no-esta.bin"), En("otro.bin"), true));
  EXPECT_FALSE(archivos.CopiarArchivo(En("no-esta.bin"), En("otro.bin"), true));
  EXPECT_EQ(reloj.Esperado(), 0u);
  EXPECT_FALSE(archivos.ArchivoLibre(En("no-esta.bin")));
  EXPECT_FALSE(archivos.ArchivoLibre(carpeta.Ruta()));  // a folder is no file
}

// A folder of 250 characters, as a user may pick it, and the catalogue's folders below it: every
// path beyond MAX_PATH works as any other.
TEST_F(SistemaDeArchivosWinTest, UnaCarpetaMasHondaQueMaxPath) {
  std::string honda = carpeta.Ruta();
  while (honda.size() < 250) honda += "\\" + std::string(std::min<size_t>(40, 249 - honda.size()), 'h');
  ASSERT_EQ(honda.size(), 250u);
  std::string camino;
  for (size_t desde = carpeta.Ruta().size() + 1; desde <= honda.size(); desde = honda.find('\\', desde) + 1) {
    const size_t fin = honda.find('\\', desde);
    camino = honda.substr(0, fin);
    ASSERT_TRUE(archivos.CrearCarpeta(camino)) << camino.size() << " " << archivos.UltimoError();
    if (fin == std::string::npos) break;
  }
  const std::string debajo = honda + "\\Instalador de Recursos Evalora Cloud";
  ASSERT_TRUE(archivos.CrearCarpeta(debajo));
  const auto temporal = archivos.CrearArchivoTemporal(debajo);
  ASSERT_TRUE(temporal.has_value());
  EXPECT_EQ(temporal->rfind(debajo + "\\EVL", 0), 0u) << *temporal;
  EXPECT_EQ(temporal->substr(temporal->size() - 4), ".tmp");
  auto escritura = archivos.AbrirParaEscribir(*temporal);
  ASSERT_NE(escritura, nullptr);
  EXPECT_TRUE(escritura->Escribir("abc", 3));
  EXPECT_TRUE(escritura->Cerrar());
  const std::string final = debajo + "\\Material didáctico de Evalora para Word.zip";
  ASSERT_GT(final.size(), 300u);
  EXPECT_TRUE(archivos.Renombrar(*temporal, final, true));
  EXPECT_EQ(archivos.Tamano(final), 3);
  EXPECT_EQ(archivos.ListarArchivos(debajo), std::vector<std::string>{"Material didáctico de Evalora para Word.zip"});
  EXPECT_TRUE(archivos.CopiarArchivo(final, final + ".copia", false));
  EXPECT_TRUE(archivos.ArchivoLibre(final + ".copia"));
  EXPECT_TRUE(archivos.EstablecerAtributos(final, win::kAtributoSoloLectura));
  EXPECT_TRUE(archivos.BorrarCarpeta(carpeta.Ruta() + "\\" + honda.substr(carpeta.Ruta().size() + 1, 40), true));
  EXPECT_FALSE(archivos.ExisteCarpeta(debajo));
}

}  // namespace
}  // namespace evalora

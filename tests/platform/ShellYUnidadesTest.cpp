#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>

#include "apoyo/PrefijoTemporal.h"
#include "core/Unicode.h"
#include "platform/fakes/Falsos.h"
#include "platform/linux/AccesoDirectoLnk.h"
#include "platform/linux/EntornoLinux.h"
#include "platform/linux/Prefijo.h"
#include "platform/linux/RegistroWine.h"
#include "platform/linux/ShellPrefijo.h"
#include "platform/linux/SistemaDeArchivosPrefijo.h"
#include "platform/linux/UnidadesPrefijo.h"

namespace evalora {
namespace {

namespace fs = std::filesystem;
using pruebas::PrefijoTemporal;

class ShellTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Stand-ins for xdg-open and wine that note how they were called.
    for (const char* programa : {"xdg-open", "wine"}) {
      const fs::path guion = herramientas.Raiz() / "bin" / programa;
      herramientas.Escribir(guion.lexically_relative(herramientas.Raiz()),
                            "#!/bin/sh\nprintf '%s|' \"$(basename \"$0\")\" \"$@\" \"$WINEPREFIX\" >> '" +
                                (herramientas.Raiz() / "llamadas").string() + "'\necho >> '" +
                                (herramientas.Raiz() / "llamadas").string() + "'\n");
      ::chmod(guion.c_str(), 0755);
    }
  }
  // Waits (bounded) until the detached child has written its line.
  std::string Llamadas(size_t lineas) {
    const fs::path archivo = herramientas.Raiz() / "llamadas";
    std::string texto;
    for (int i = 0; i < 3000; ++i) {
      texto = herramientas.Leer("llamadas");
      if (static_cast<size_t>(std::count(texto.begin(), texto.end(), '\n')) >= lineas) break;
      ::usleep(1000);  // a real child process is running; this only waits for it
    }
    return texto;
  }
  PrefijoTemporal prefijo;
  PrefijoTemporal herramientas;
  SistemaDeArchivosPrefijo archivos{prefijo.Raiz()};
  falsos::UsuarioFijo usuario{"alumno"};
  EntornoLinux entorno{{"PATH=" + (herramientas.Raiz() / "bin").string()}, "alumno"};
  EntornoLinux sinProgramas{{"PATH=/nonexistent"}, "alumno"};
  ShellPrefijo shell{prefijo.Raiz(), archivos, entorno, usuario};
};

TEST_F(ShellTest, CarpetasEspecialesDelPrefijo) {
  EXPECT_EQ(shell.CarpetaEspecial(kCsidlCarpetaDelEscritorio), "C:\\users\\alumno\\Desktop");
  EXPECT_TRUE(fs::is_directory(prefijo.DriveC() / "users/alumno/Desktop"));
  EXPECT_EQ(shell.CarpetaEspecial(kCsidlProgramas),
            "C:\\users\\alumno\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs");
  EXPECT_EQ(shell.CarpetaEspecial(kCsidlProgramasComunes), "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs");
  EXPECT_EQ(shell.CarpetaEspecial(kCsidlEscritorioComun), "C:\\users\\Public\\Desktop");
  EXPECT_EQ(shell.CarpetaEspecial(kCsidlFuentes), "C:\\windows\\Fonts");
  EXPECT_EQ(shell.CarpetaEspecial(kCsidlArchivosDePrograma), "C:\\Program Files");
  EXPECT_EQ(shell.CarpetaEspecial(0x3F), "");
  // An existing folder in another case is the same folder.
  fs::create_directories(prefijo.DriveC() / "Users/Alumno/DESKTOP");
  fs::remove_all(prefijo.DriveC() / "users");
  EXPECT_EQ(shell.CarpetaEspecial(kCsidlEscritorio), "C:\\users\\alumno\\Desktop");
  EXPECT_FALSE(fs::exists(prefijo.DriveC() / "users"));
}

TEST_F(ShellTest, AbreCarpetasDocumentosYDirecciones) {
  fs::create_directories(prefijo.DriveC() / "Descargas");
  prefijo.Escribir("drive_c/Descargas/guia.pdf", "%PDF-1.4");
  ASSERT_TRUE(shell.Abrir("C:\\descargas", "", Verbo::kAbrir));
  ASSERT_TRUE(shell.Abrir("C:\\Descargas\\GUIA.PDF", "", Verbo::kAbrir));
  ASSERT_TRUE(shell.Abrir("http://ayuda.evalora.example/instalacion?x=1", "", Verbo::kAbrir));
  const std::string llamadas = Llamadas(3);
  EXPECT_NE(llamadas.find("xdg-open|" + (prefijo.DriveC() / "Descargas").string() + "|"), std::string::npos)
      << llamadas;
  EXPECT_NE(llamadas.find("xdg-open|" + (prefijo.DriveC() / "Descargas/guia.pdf").string() + "|"), std::string::npos);
  EXPECT_NE(llamadas.find("xdg-open|http://ayuda.evalora.example/instalacion?x=1|"), std::string::npos);
  EXPECT_FALSE(shell.Abrir("C:\\Descargas\\no-existe.pdf", "", Verbo::kAbrir));
}

TEST_F(ShellTest, ProgramasDeWindowsPorWineConSusArgumentos) {
  prefijo.Escribir("drive_c/Evalora/Utilerías/SecurityFolder.exe", "MZ\x90\x00");
  ASSERT_TRUE(shell.Abrir("C:\\Evalora\\Utilerías\\SecurityFolder.exe", "Seguridad \"C:\\Program Files\\Evalora\"",
                          Verbo::kAbrir));
  ASSERT_TRUE(shell.Abrir("regsvr32", "/s C:\\windows\\system32\\evalora.dll", Verbo::kPredeterminado));
  const std::string llamadas = Llamadas(2);
  EXPECT_NE(llamadas.find("wine|C:\\Evalora\\Utilerías\\SecurityFolder.exe|Seguridad|C:\\Program Files\\Evalora|" +
                          prefijo.Raiz().string() + "|"),
            std::string::npos)
      << llamadas;
  EXPECT_NE(llamadas.find("wine|regsvr32|/s|C:\\windows\\system32\\evalora.dll|"), std::string::npos);
  // Without Wine a Windows program does not run at all, and nothing else opens.
  ShellPrefijo sinWine(prefijo.Raiz(), archivos, sinProgramas, usuario);
  EXPECT_FALSE(sinWine.Abrir("C:\\Evalora\\Utilerías\\SecurityFolder.exe", "", Verbo::kPredeterminado));
  EXPECT_FALSE(sinWine.Abrir("regsvr32", "/s x.dll", Verbo::kPredeterminado));
  EXPECT_FALSE(sinWine.Abrir("C:\\Evalora", "", Verbo::kPredeterminado));
}

TEST_F(ShellTest, ProgramasNativosDirectamente) {
  const fs::path marca = herramientas.Raiz() / "marca";
  prefijo.Escribir("drive_c/Evalora/EVLogIn.exe", "#!/bin/sh\nprintf '%s|' \"$@\" > '" + marca.string() +
                                                      ".tmp'; mv '" + marca.string() + ".tmp' '" + marca.string() +
                                                      "'\n");
  ::chmod((prefijo.DriveC() / "Evalora/EVLogIn.exe").c_str(), 0755);
  ASSERT_TRUE(shell.Abrir("C:\\evalora\\evlogin.exe", "/usuario \"Ana María\"", Verbo::kPredeterminado));
  std::string texto;
  for (int i = 0; i < 3000 && !fs::exists(marca); ++i) ::usleep(1000);
  EXPECT_EQ(herramientas.Leer("marca"), "/usuario|Ana María|");
}

// The registration tool's runs are awaited (here a slow native stand-in under its name); any
// other program is not.
TEST_F(ShellTest, LosRegistrosOcultosSeEsperanHastaQueTerminan) {
  const fs::path marca = herramientas.Raiz() / "registrado";
  prefijo.Escribir("drive_c/Herramientas/regsvr32", "#!/bin/sh\nsleep 1\nprintf '%s' \"$2\" > '" + marca.string() + "'\n");
  ::chmod((prefijo.DriveC() / "Herramientas/regsvr32").c_str(), 0755);
  EXPECT_TRUE(shell.TerminaronLosOcultos(0));
  ASSERT_TRUE(shell.Abrir("C:\\Herramientas\\regsvr32", "/s C:\\Evalora\\Lenta.ocx", Verbo::kPredeterminado));
  EXPECT_FALSE(shell.TerminaronLosOcultos(0));
  int miradas = 0;
  while (!shell.TerminaronLosOcultos(100) && miradas < 100) ++miradas;
  EXPECT_LT(miradas, 100);
  EXPECT_EQ(herramientas.Leer("registrado"), "C:\\Evalora\\Lenta.ocx");
  prefijo.Escribir("drive_c/Evalora/EVLogIn.exe", "#!/bin/sh\nsleep 1\n");
  ::chmod((prefijo.DriveC() / "Evalora/EVLogIn.exe").c_str(), 0755);
  ASSERT_TRUE(shell.Abrir("C:\\Evalora\\EVLogIn.exe", "", Verbo::kPredeterminado));
  EXPECT_TRUE(shell.TerminaronLosOcultos(0));
}

TEST_F(ShellTest, AccesosDirectos) {
  fs::create_directories(prefijo.DriveC() / "users/Public/Desktop");
  AccesoDirecto acceso{
      "C:\\Program Files\\Evalora 2020 Cloud\\EVLogIn.exe", "", "C:\\Program Files\\Evalora 2020 Cloud",
      "C:\\Program Files\\Evalora 2020 Cloud\\evicon.ico",  0,  "Evalora 2020 Cloud"};
  ASSERT_TRUE(shell.GuardarAccesoDirecto("C:\\users\\Public\\Desktop\\Evalora 2020 Cloud.lnk", acceso));
  EXPECT_EQ(prefijo.Leer("drive_c/users/Public/Desktop/Evalora 2020 Cloud.lnk").substr(0, 4),
            std::string("L\0\0\0", 4));
  EXPECT_FALSE(shell.GuardarAccesoDirecto("C:\\no\\existe\\a.lnk", acceso));
}

// Reads back what a .lnk says, by the format's own offsets.
struct LnkLeido {
  uint32_t banderas = 0;
  std::string rutaBase;
  std::vector<std::string> cadenas;
};

uint32_t LeerU32(const std::vector<uint8_t>& b, size_t en) {
  return b[en] | (b[en + 1] << 8) | (b[en + 2] << 16) | (static_cast<uint32_t>(b[en + 3]) << 24);
}

LnkLeido LeerLnk(const std::vector<uint8_t>& b) {
  LnkLeido l;
  l.banderas = LeerU32(b, 0x14);
  const size_t info = 0x4C;
  const uint32_t tamanoInfo = LeerU32(b, info);
  const uint32_t cabecera = LeerU32(b, info + 4);
  if (cabecera >= 0x24) {
    std::u16string u;
    for (size_t p = info + LeerU32(b, info + 0x1C); b[p] || b[p + 1]; p += 2)
      u.push_back(static_cast<char16_t>(b[p] | (b[p + 1] << 8)));
    l.rutaBase = Utf16AUtf8(u);
  } else {
    for (size_t p = info + LeerU32(b, info + 0x10); b[p]; ++p) l.rutaBase.push_back(static_cast<char>(b[p]));
  }
  size_t p = info + tamanoInfo;
  for (uint32_t bandera : {0x4u, 0x8u, 0x10u, 0x20u, 0x40u}) {
    if (!(l.banderas & bandera)) continue;
    const size_t n = b[p] | (b[p + 1] << 8);
    std::u16string u;
    for (size_t i = 0; i < n; ++i) u.push_back(static_cast<char16_t>(b[p + 2 + 2 * i] | (b[p + 3 + 2 * i] << 8)));
    l.cadenas.push_back(Utf16AUtf8(u));
    p += 2 + 2 * n;
  }
  EXPECT_EQ(LeerU32(b, p), 0u);  // terminal block
  EXPECT_EQ(p + 4, b.size());
  return l;
}

TEST(AccesoDirectoLnk, EstructuraDelFormato) {
  const auto bytes =
      ConstruirLnk({"C:\\Archivos de programa\\Evalora\\EVLogIn.exe", "/x", "C:\\Archivos de programa\\Evalora",
                    "C:\\Archivos de programa\\Evalora\\evicon.ico", 0, ""});
  ASSERT_GE(bytes.size(), 0x4Cu);
  EXPECT_EQ(LeerU32(bytes, 0), 0x4Cu);
  EXPECT_EQ(LeerU32(bytes, 0x3C), 1u);  // normal window
  const LnkLeido l = LeerLnk(bytes);
  EXPECT_EQ(l.banderas, 0x2u | 0x10u | 0x20u | 0x40u | 0x80u);
  EXPECT_EQ(l.rutaBase, "C:\\Archivos de programa\\Evalora\\EVLogIn.exe");
  EXPECT_EQ(l.cadenas, (std::vector<std::string>{"C:\\Archivos de programa\\Evalora", "/x",
                                                 "C:\\Archivos de programa\\Evalora\\evicon.ico"}));
  // Latin-1 paths are ANSI; others carry their Unicode form too.
  const auto latino = ConstruirLnk({"C:\\Utilerías\\a.exe", "", "", "", 0, ""});
  EXPECT_EQ(LeerU32(latino, 0x4C + 4), 0x1Cu);
  EXPECT_EQ(LeerLnk(latino).rutaBase,
            "C:\\Utiler\xED"
            "as\\a.exe");
  const auto otro = ConstruirLnk({"C:\\Ωμέγα\\a.exe", "", "", "", 0, "Ωμέγα"});
  EXPECT_EQ(LeerU32(otro, 0x4C + 4), 0x24u);
  const LnkLeido leido = LeerLnk(otro);
  EXPECT_EQ(leido.rutaBase, "C:\\Ωμέγα\\a.exe");
  EXPECT_EQ(leido.cadenas, (std::vector<std::string>{"Ωμέγα"}));
}

TEST(AccesoDirectoLnk, LoLeeUnLectorIndependiente) {
  if (::access("/usr/bin/lnkinfo", X_OK) != 0) GTEST_SKIP() << "lnkinfo (liblnk-utils) is not installed";
  PrefijoTemporal carpeta;
  const auto bytes =
      ConstruirLnk({"C:\\Program Files\\Evalora 2020 Cloud\\EVLogIn.exe", "", "C:\\Program Files\\Evalora 2020 Cloud",
                    "C:\\Program Files\\Evalora 2020 Cloud\\evicon.ico", 0, ""});
  carpeta.Escribir("a.lnk", std::string(bytes.begin(), bytes.end()));
  const std::string orden = "/usr/bin/lnkinfo '" + (carpeta.Raiz() / "a.lnk").string() + "' 2>&1";
  FILE* tubo = ::popen(orden.c_str(), "r");
  std::string salida;
  char bloque[512];
  size_t n;
  while ((n = std::fread(bloque, 1, sizeof bloque, tubo)) > 0) salida.append(bloque, n);
  EXPECT_EQ(::pclose(tubo), 0) << salida;
  EXPECT_NE(salida.find("Local path\t\t\t: C:\\Program Files\\Evalora 2020 Cloud\\EVLogIn.exe"), std::string::npos)
      << salida;
  EXPECT_NE(salida.find("Working directory\t\t: C:\\Program Files\\Evalora 2020 Cloud"), std::string::npos) << salida;
  EXPECT_NE(salida.find("Icon location\t\t\t: C:\\Program Files\\Evalora 2020 Cloud\\evicon.ico"), std::string::npos)
      << salida;
}

class UnidadesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    base = fs::canonical(carpeta.Raiz());
    for (const char* d : {"cd", "usb", "red", "ram", "con espacio", "fija"}) fs::create_directories(base / d);
    const fs::path dos = prefijo.Raiz() / "dosdevices";
    fs::create_directory_symlink(base / "cd", dos / "d:");
    fs::create_directory_symlink(base / "usb", dos / "e:");
    fs::create_directory_symlink(base / "red", dos / "f:");
    fs::create_directory_symlink(base / "no-existe", dos / "g:");  // not ready
    fs::create_directory_symlink(base / "ram", dos / "h:");
    fs::create_directory_symlink(base / "con espacio", dos / "i:");
    fs::create_directory_symlink(base / "fija", dos / "j:");
    fs::create_symlink("/dev/sr0", dos / "d::");  // a raw device, not a drive
    carpeta.Escribir("mounts",
                     "/dev/vda / ext4 rw 0 0\n"
                     "/dev/sr0 " +
                         (base / "cd").string() +
                         " iso9660 ro 0 0\n"
                         "/dev/sdb1 " +
                         (base / "usb").string() +
                         " vfat rw 0 0\n"
                         "servidor:/aulas " +
                         (base / "red").string() +
                         " nfs4 rw 0 0\n"
                         "tmpfs " +
                         (base / "ram").string() +
                         " tmpfs rw 0 0\n"
                         "/dev/nvme0n1p2 " +
                         (base / "con\\040espacio").string() + " ext4 rw 0 0\n");
    carpeta.Escribir("block/sdb/removable", "1\n");
    carpeta.Escribir("block/vda/removable", "0\n");
    carpeta.Escribir("block/nvme0n1/removable", "1\n");
  }
  PrefijoTemporal prefijo;
  PrefijoTemporal carpeta;
  fs::path base;
  RegistroWine registro{prefijo.Raiz()};
};

TEST_F(UnidadesTest, TiposPorMontajeYPorWine) {
  // Wine's own list wins where it names the letter.
  ASSERT_EQ(registro.EstablecerValor(win::HKEY_LOCAL_MACHINE, "Software\\Wine\\Drives", "j:", DatoDeTexto("network")),
            win::kExito);
  UnidadesPrefijo unidades(prefijo.Raiz(), registro, carpeta.Raiz() / "mounts", carpeta.Raiz() / "block");
  std::vector<std::pair<std::string, int>> vistas;
  for (const auto& u : unidades.Listar()) vistas.emplace_back(u.letra, u.tipo);
  EXPECT_EQ(vistas, (std::vector<std::pair<std::string, int>>{{"C:", kUnidadFija},
                                                              {"D:", kUnidadCdRom},
                                                              {"E:", kUnidadExtraible},
                                                              {"F:", kUnidadDeRed},
                                                              {"H:", kUnidadRam},
                                                              {"I:", kUnidadExtraible},
                                                              {"J:", kUnidadDeRed},
                                                              {"Z:", kUnidadFija}}));
}

}  // namespace
}  // namespace evalora

namespace evalora {
namespace {

TEST(PrefijoTest, RutaWindowsPorLasUnidadesDelPrefijo) {
  pruebas::PrefijoTemporal temporal;
  const Prefijo prefijo(temporal.Raiz());
  ASSERT_TRUE(prefijo.Preparar());
  EXPECT_TRUE(std::filesystem::is_directory(temporal.Raiz() / "drive_c" / "Program Files"));
  const auto c = temporal.Raiz() / "drive_c";
  std::filesystem::create_directories(c / "Escuela" / "Datos");
  EXPECT_EQ(prefijo.RutaWindows(c), "C:\\");
  EXPECT_EQ(prefijo.RutaWindows(c / "Escuela" / "Datos"), "C:\\Escuela\\Datos");
  // Drive C lies inside Z: (the root); the closer drive names the folder.
  EXPECT_EQ(prefijo.RutaWindows(c / "Escuela" / ".." / "Escuela"), "C:\\Escuela");
  EXPECT_EQ(prefijo.RutaWindows("/"), "Z:\\");
  EXPECT_EQ(prefijo.RutaWindows("/tmp"), "Z:\\tmp");
  // Without a drive for the root, a folder outside drive_c has no Windows path.
  std::filesystem::remove(temporal.Raiz() / "dosdevices" / "z:");
  EXPECT_EQ(prefijo.RutaWindows("/tmp"), std::nullopt);
}

}  // namespace
}  // namespace evalora

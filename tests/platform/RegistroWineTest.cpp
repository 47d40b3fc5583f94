#include "platform/linux/RegistroWine.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>

#include "apoyo/PrefijoTemporal.h"
#include "core/Unicode.h"

namespace evalora {
namespace {

using pruebas::PrefijoTemporal;

constexpr const char* kSistema =
    "WINE REGISTRY Version 2\n"
    ";; All keys relative to \\\\Machine\n"
    "\n"
    "#arch=win64\n"
    "\n"
    "[Software\\\\Classes\\\\.txt] 1700000000\n"
    "@=\"txtfile\"\n"
    "\n"
    "[Software\\\\Microsoft\\\\NET Framework Setup\\\\NDP\\\\v2.0.50727] 1700000000\n"
    "\"Install\"=dword:00000001\n"
    "\n"
    "[Software\\\\Microsoft\\\\NET Framework Setup\\\\NDP\\\\v3.5] 1700000000\n"
    "\n"
    "[Software\\\\Microsoft\\\\Windows NT\\\\CurrentVersion] 1700000000\n"
    "\"ProductName\"=\"Windows 10 Pro\"\n"
    "\n"
    "[System\\\\CurrentControlSet\\\\Hardware Profiles\\\\Current\\\\Software] 1700000000\n"
    "\"Perfil\"=\"actual\"\n";

class RegistroWineTest : public ::testing::Test {
 protected:
  void SetUp() override { prefijo.Escribir("system.reg", kSistema); }
  PrefijoTemporal prefijo;
  RegistroWine registro{prefijo.Raiz()};
};

TEST_F(RegistroWineTest, RaicesYLaClaseRaiz) {
  DatoDelRegistro dato;
  ASSERT_EQ(registro.ConsultarValor(win::HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion",
                                    "ProductName", dato),
            win::kExito);
  EXPECT_EQ(TextoDeDato(dato), "Windows 10 Pro");
  // HKEY_CLASSES_ROOT is HKLM\Software\Classes.
  ASSERT_EQ(registro.ConsultarValor(win::HKEY_CLASSES_ROOT, ".TXT", "", dato), win::kExito);
  EXPECT_EQ(TextoDeDato(dato), "txtfile");
  // HKEY_CURRENT_CONFIG is the current hardware profile, through CurrentControlSet.
  ASSERT_EQ(registro.ConsultarValor(win::HKEY_CURRENT_CONFIG, "Software", "Perfil", dato), win::kExito);
  EXPECT_EQ(TextoDeDato(dato), "actual");
  // HKCU is user.reg, which this prefix does not have yet.
  EXPECT_EQ(registro.AbrirClave(win::HKEY_CURRENT_USER, "Software"), win::kArchivoNoEncontrado);
  EXPECT_EQ(registro.AbrirClave(win::HKEY_CURRENT_USER, ""), win::kExito);
  // Roots with no meaning in a prefix fail; they never pretend.
  EXPECT_EQ(registro.AbrirClave(win::HKEY_PERFORMANCE_DATA, ""), win::kIdentificadorNoValido);
  EXPECT_EQ(registro.AbrirClave(win::HKEY_DYN_DATA, ""), win::kIdentificadorNoValido);
  EXPECT_FALSE(registro.MotivoDelUltimoError().empty());
  EXPECT_EQ(registro.AbrirClave(0x12345678, ""), win::kIdentificadorNoValido);
}

TEST_F(RegistroWineTest, EnumeraHastaNoHayMasElementos) {
  const char* ndp = "SOFTWARE\\Microsoft\\NET Framework Setup\\NDP";
  std::string nombre;
  ASSERT_EQ(registro.EnumerarSubclave(win::HKEY_LOCAL_MACHINE, ndp, 0, nombre), win::kExito);
  EXPECT_EQ(nombre, "v2.0.50727");
  ASSERT_EQ(registro.EnumerarSubclave(win::HKEY_LOCAL_MACHINE, ndp, 1, nombre), win::kExito);
  EXPECT_EQ(nombre, "v3.5");
  EXPECT_EQ(registro.EnumerarSubclave(win::HKEY_LOCAL_MACHINE, ndp, 2, nombre), win::kNoHayMasElementos);
  EXPECT_EQ(registro.EnumerarSubclave(win::HKEY_LOCAL_MACHINE, "Software\\Nada", 0, nombre), win::kArchivoNoEncontrado);
  DatoDelRegistro dato;
  ASSERT_EQ(registro.EnumerarValor(win::HKEY_LOCAL_MACHINE, std::string(ndp) + "\\v2.0.50727", 0, nombre, dato),
            win::kExito);
  EXPECT_EQ(nombre, "Install");
  EXPECT_EQ(registro.EnumerarValor(win::HKEY_LOCAL_MACHINE, std::string(ndp) + "\\v2.0.50727", 1, nombre, dato),
            win::kNoHayMasElementos);
  InfoDeClave info;
  ASSERT_EQ(registro.ConsultarInfo(win::HKEY_LOCAL_MACHINE, ndp, info), win::kExito);
  EXPECT_EQ(info.subclaves, 2u);
  EXPECT_EQ(info.valores, 0u);
  ASSERT_EQ(registro.EnumerarSubclave(win::HKEY_USERS, "", 0, nombre), win::kExito);
  EXPECT_EQ(nombre, ".Default");
}

TEST_F(RegistroWineTest, EscrituraConservaLoDemasYSeLeeAlMomento) {
  ASSERT_EQ(registro.EstablecerValor(win::HKEY_LOCAL_MACHINE, "Software\\Evalora", "Versión", DatoDeTexto("2020")),
            win::kExito);
  const std::string escrito = prefijo.Leer("system.reg");
  // Every key it did not change is still there, to the byte.
  const std::string original = kSistema;
  const auto desde = original.find("[Software\\\\Microsoft\\\\Windows NT");
  EXPECT_NE(escrito.find(original.substr(desde, original.find("[System") - desde)), std::string::npos);
  EXPECT_NE(escrito.find("[Software\\\\Classes\\\\.txt] 1700000000\n@=\"txtfile\"\n"), std::string::npos);
  // A second service over the same prefix sees the change.
  RegistroWine otro(prefijo.Raiz());
  DatoDelRegistro dato;
  ASSERT_EQ(otro.ConsultarValor(win::HKEY_LOCAL_MACHINE, "SOFTWARE\\EVALORA", "versión", dato), win::kExito);
  EXPECT_EQ(TextoDeDato(dato), "2020");
  // And this one sees a change made from outside.
  prefijo.Escribir("system.reg", std::string(kSistema) + "\n[Software\\\\Fuera] 1\n\"Dato\"=dword:00000007\n");
  ASSERT_EQ(registro.ConsultarValor(win::HKEY_LOCAL_MACHINE, "Software\\Fuera", "Dato", dato), win::kExito);
  EXPECT_EQ(DwordDeDato(dato), 7u);
}

TEST_F(RegistroWineTest, CurrentControlSetSigueElEnlaceSoloDondeLoHay) {
  // Wine 8 keeps CurrentControlSet as a key of its own: the key is used as it is.
  const char* impresora = "System\\CurrentControlSet\\Control\\Print\\Printers\\Evalora";
  ASSERT_EQ(registro.EstablecerValor(win::HKEY_LOCAL_MACHINE, impresora, "Port", DatoDeTexto("FILE:")), win::kExito);
  EXPECT_NE(prefijo.Leer("system.reg").find("[System\\\\CurrentControlSet\\\\Control\\\\Print\\\\Printers\\\\Evalora]"),
            std::string::npos);
  EXPECT_EQ(prefijo.Leer("system.reg").find("ControlSet001"), std::string::npos);
  // A Wine that links it to ControlSet001 has the link in the hive: the link leads.
  const std::string enlace =
      "\n[System\\\\CurrentControlSet] 1700000000\n#link\n\"SymbolicLinkValue\"=hex(6):5c,00,52,00,65,00,67,00,69,00,"
      "73,00,74,00,72,00,79,00,5c,00,4d,00,61,00,63,00,68,00,69,00,6e,00,65,00,5c,00,53,00,79,00,73,00,74,00,65,00,"
      "6d,00,5c,00,43,00,6f,00,6e,00,74,00,72,00,6f,00,6c,00,53,00,65,00,74,00,30,00,30,00,31,00\n";
  prefijo.Escribir("system.reg", std::string(kSistema) + enlace);
  ASSERT_EQ(registro.EstablecerValor(win::HKEY_LOCAL_MACHINE, impresora, "Port", DatoDeTexto("LPT1:")), win::kExito);
  DatoDelRegistro dato;
  ASSERT_EQ(registro.ConsultarValor(win::HKEY_LOCAL_MACHINE, "System\\ControlSet001\\Control\\Print\\Printers\\Evalora",
                                    "Port", dato),
            win::kExito);
  EXPECT_EQ(TextoDeDato(dato), "LPT1:");
}

TEST_F(RegistroWineTest, CreaLosArchivosQueFaltan) {
  ASSERT_EQ(registro.EstablecerValor(win::HKEY_CURRENT_USER, "Software\\Evalora", "", DatoDeDword(1)), win::kExito);
  const std::string usuario = prefijo.Leer("user.reg");
  EXPECT_EQ(usuario.rfind("WINE REGISTRY Version 2\n;; All keys relative to \\\\User\\\\", 0), 0u);
  EXPECT_NE(usuario.find("@=dword:00000001"), std::string::npos);
  ASSERT_EQ(registro.CrearClave(win::HKEY_USERS, ".DEFAULT\\Control Panel"), win::kExito);
  EXPECT_NE(prefijo.Leer("userdef.reg").find("[Control Panel]"), std::string::npos);
  EXPECT_EQ(registro.CrearClave(win::HKEY_USERS, "S-1-5-21-1"), win::kArchivoNoEncontrado);
}

TEST_F(RegistroWineTest, BorrarClavesYValores) {
  const char* ndp = "Software\\Microsoft\\NET Framework Setup\\NDP";
  EXPECT_EQ(registro.BorrarClave(win::HKEY_LOCAL_MACHINE, ndp), win::kAccesoDenegado);  // it has subkeys
  EXPECT_EQ(registro.BorrarClave(win::HKEY_LOCAL_MACHINE, std::string(ndp) + "\\v3.5"), win::kExito);
  EXPECT_EQ(registro.BorrarClave(win::HKEY_LOCAL_MACHINE, std::string(ndp) + "\\v3.5"), win::kArchivoNoEncontrado);
  EXPECT_EQ(registro.BorrarValor(win::HKEY_LOCAL_MACHINE, std::string(ndp) + "\\v2.0.50727", "INSTALL"), win::kExito);
  EXPECT_EQ(registro.BorrarValor(win::HKEY_LOCAL_MACHINE, std::string(ndp) + "\\v2.0.50727", "Install"),
            win::kArchivoNoEncontrado);
  EXPECT_EQ(registro.BorrarClave(win::HKEY_LOCAL_MACHINE, ""), win::kAccesoDenegado);
  // Roots are never deleted, not even HKEY_CLASSES_ROOT, which is a key of system.reg.
  EXPECT_EQ(registro.BorrarClave(win::HKEY_CLASSES_ROOT, "\\"), win::kAccesoDenegado);
  EXPECT_EQ(BorrarArbol(registro, win::HKEY_LOCAL_MACHINE, ""), win::kAccesoDenegado);
  EXPECT_EQ(registro.AbrirClave(win::HKEY_CLASSES_ROOT, ".txt"), win::kExito);
  // A tree goes deepest first, and its parent stays.
  EXPECT_EQ(BorrarArbol(registro, win::HKEY_LOCAL_MACHINE, ndp), win::kExito);
  EXPECT_EQ(registro.AbrirClave(win::HKEY_LOCAL_MACHINE, ndp), win::kArchivoNoEncontrado);
  EXPECT_EQ(registro.AbrirClave(win::HKEY_LOCAL_MACHINE, "Software\\Microsoft\\NET Framework Setup"), win::kExito);
}

TEST_F(RegistroWineTest, UnArchivoVacioEsUnRegistroVacio) {
  prefijo.Escribir("user.reg", "");
  EXPECT_EQ(registro.AbrirClave(win::HKEY_CURRENT_USER, "Software"), win::kArchivoNoEncontrado);
  ASSERT_EQ(registro.CrearClave(win::HKEY_CURRENT_USER, "Software\\Evalora"), win::kExito);
  EXPECT_EQ(prefijo.Leer("user.reg").rfind("WINE REGISTRY Version 2\n", 0), 0u);
}

TEST_F(RegistroWineTest, UnArchivoQueNoEsDeRegistroNoSeToca) {
  prefijo.Escribir("system.reg", "REGEDIT4\n[HKEY_LOCAL_MACHINE\\Software]\n");
  EXPECT_EQ(registro.AbrirClave(win::HKEY_LOCAL_MACHINE, "Software"), win::kRegistroDanado);
  EXPECT_EQ(registro.EstablecerValor(win::HKEY_LOCAL_MACHINE, "Software", "x", DatoDeDword(1)), win::kRegistroDanado);
  EXPECT_NE(registro.MotivoDelUltimoError().find("no es un archivo de registro"), std::string::npos);
  EXPECT_EQ(prefijo.Leer("system.reg"), "REGEDIT4\n[HKEY_LOCAL_MACHINE\\Software]\n");
}

// Holds Wine's server lock for the prefix from another process, as a running wineserver does:
// in /tmp/.wine-<uid> (Wine's layout) or in the folder that the prefix's file "wineserver" names
// (Debian's layout).
class ServidorWineSimulado {
 public:
  ServidorWineSimulado(const std::filesystem::path& prefijo, bool comoDebian) {
    struct stat st {};
    ::stat(prefijo.c_str(), &st);
    char servidor[64];
    std::snprintf(servidor, sizeof servidor, "server-%llx-%llx", static_cast<unsigned long long>(st.st_dev),
                  static_cast<unsigned long long>(st.st_ino));
    if (comoDebian) {
      std::string plantilla = "/tmp/wine-XXXXXX";
      raiz_ = ::mkdtemp(plantilla.data());
      std::ofstream(prefijo / "wineserver") << raiz_.filename().string();
    } else {
      raiz_ = "/tmp/.wine-" + std::to_string(::getuid());
    }
    carpeta_ = raiz_ / servidor;
    std::filesystem::create_directories(carpeta_);
    int tubo[2];
    EXPECT_EQ(::pipe(tubo), 0);
    const std::string candadoDeWine = (carpeta_ / "lock").string();
    hijo_ = ::fork();
    if (hijo_ == 0) {
      const int fd = ::open(candadoDeWine.c_str(), O_CREAT | O_TRUNC | O_WRONLY, 0600);
      struct flock candado {};
      candado.l_type = F_WRLCK;
      candado.l_whence = SEEK_SET;
      candado.l_len = 1;
      const char listo = ::fcntl(fd, F_SETLK, &candado) == 0 ? 'y' : 'n';
      ::close(tubo[0]);
      (void)!::write(tubo[1], &listo, 1);
      for (;;) ::pause();  // holds the lock until the test ends it
    }
    ::close(tubo[1]);
    tubo_ = tubo[0];
    char listo = 0;
    EXPECT_EQ(::read(tubo_, &listo, 1), 1);
    EXPECT_EQ(listo, 'y');
  }
  ~ServidorWineSimulado() {
    ::kill(hijo_, SIGTERM);
    ::waitpid(hijo_, nullptr, 0);
    ::close(tubo_);
    std::filesystem::remove_all(raiz_.filename().string().rfind("wine-", 0) == 0 ? raiz_ : carpeta_);
  }

 private:
  std::filesystem::path raiz_;
  std::filesystem::path carpeta_;
  pid_t hijo_ = -1;
  int tubo_ = -1;
};

TEST_F(RegistroWineTest, SinWineNoEscribeMientrasSuServidorEstaActivo) {
  RegistroWine sinWine(prefijo.Raiz(), std::nullopt);
  for (const bool comoDebian : {false, true}) {
    {
      ServidorWineSimulado servidor(prefijo.Raiz(), comoDebian);
      EXPECT_TRUE(sinWine.ServidorWineActivo()) << comoDebian;
      EXPECT_EQ(sinWine.EstablecerValor(win::HKEY_LOCAL_MACHINE, "Software\\Evalora", "x", DatoDeDword(1)),
                win::kArchivoEnUso);
      EXPECT_NE(sinWine.MotivoDelUltimoError().find("wineserver -k"), std::string::npos);
      EXPECT_EQ(prefijo.Leer("system.reg"), kSistema);
      // Reading goes on.
      EXPECT_EQ(sinWine.AbrirClave(win::HKEY_LOCAL_MACHINE, "Software\\Microsoft"), win::kExito);
    }
    // The lock file stays after the server ended; only a held lock counts.
    EXPECT_FALSE(sinWine.ServidorWineActivo()) << comoDebian;
  }
  EXPECT_EQ(sinWine.EstablecerValor(win::HKEY_LOCAL_MACHINE, "Software\\Evalora", "x", DatoDeDword(1)), win::kExito);
}

TEST_F(RegistroWineTest, EscrituraAtomicaConservaPermisos) {
  ::chmod((prefijo.Raiz() / "system.reg").c_str(), 0600);
  ASSERT_EQ(registro.CrearClave(win::HKEY_LOCAL_MACHINE, "Software\\Evalora\\Nueva"), win::kExito);
  struct stat st {};
  ASSERT_EQ(::stat((prefijo.Raiz() / "system.reg").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  for (const auto& entrada : std::filesystem::directory_iterator(prefijo.Raiz())) {
    EXPECT_EQ(entrada.path().filename().string().find("system.reg."), std::string::npos) << "temporary file left";
  }
  EXPECT_EQ(registro.CrearClave(win::HKEY_LOCAL_MACHINE, "software\\EVALORA\\nueva"), win::kExito);
}

}  // namespace
}  // namespace evalora

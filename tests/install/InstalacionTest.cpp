// The installation's pieces over a temporary prefix: the waits on virtual time, the permission
// tool's command line, the libraries' rules, the font class's errors, the printers, the Windows
// version check, the shortcuts and the VirtualStore.
#include <gtest/gtest.h>

#include <fstream>

#include "apoyo/MaquinaDePrueba.h"
#include "install/AccesosDirectos.h"
#include "install/CarpetasDelSistema.h"
#include "install/Espera.h"
#include "install/Librerias.h"
#include "install/Outlook.h"
#include "install/PrnAdmin.h"
#include "install/SecurityFolder.h"
#include "install/gdiInstallFont.h"
#include "platform/LineaDeOrdenes.h"

namespace evalora {
namespace {

class InstalacionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    estado.TipoDeAsistente = "1";
    estado.VersionMayor = "2020";
    estado.CarpetaDeInstalacion = "C:\\Program Files\\Evalora 2020 Cloud";
  }
  // Paths as the Linux build's tests wrote them below the prefix ("drive_c/Fuentes/a.ttf").
  static std::string EnC(std::string relativa) {
    if (relativa.rfind("drive_c/", 0) == 0) relativa.erase(0, 8);
    for (char& c : relativa) c = c == '/' ? '\\' : c;
    return "C:\\" + relativa;
  }
  void Escribir(const std::string& ruta, const std::string& bytes) { maquina.Escribir(EnC(ruta), bytes); }
  std::string Leer(const std::string& ruta) { return maquina.Leer(EnC(ruta)); }
  bool Existe(const std::string& windows) { return p.archivos.ExisteArchivo(windows); }
  // The user's own folders, as the platform names the user.
  std::string DelUsuario(const std::string& resto) { return "drive_c/users/" + p.usuario.Nombre() + "/" + resto; }

  pruebas::MaquinaDePrueba maquina;
  falsos::FalsosDeUnaCorrida& plataforma = maquina.Falsos();
  Plataforma p = maquina.Servicios();
  EstadoDeEjecucion estado;
};

TEST_F(InstalacionTest, EsperasEnTiempoVirtual) {
  // Esperar(1) lasts from one to two seconds: more than one second boundary must pass.
  plataforma.reloj.Avanzar(999 - plataforma.reloj.Milisegundos() % 1000);  // just before a boundary
  uint32_t inicio = plataforma.reloj.Milisegundos();
  Esperar(1, p.reloj, p.eventos);
  EXPECT_GE(plataforma.reloj.Milisegundos() - inicio, 1000u);
  EXPECT_LT(plataforma.reloj.Milisegundos() - inicio, 1100u);
  inicio = plataforma.reloj.Milisegundos();
  Esperar(1, p.reloj, p.eventos);
  EXPECT_GE(plataforma.reloj.Milisegundos() - inicio, 1000u);
  EXPECT_LE(plataforma.reloj.Milisegundos() - inicio, 2020u);  // and a step of the wait at most
  // A marker already there ends the wait after the first second; none gives up past the limit.
  Escribir("drive_c/Marcas/LogEV.txt", "x");
  inicio = plataforma.reloj.Milisegundos();
  EXPECT_TRUE(EsperarArchivoLog("C:\\Marcas", 60, p.archivos, p.reloj, p.eventos));
  EXPECT_LE(plataforma.reloj.Milisegundos() - inicio, 2020u);
  inicio = plataforma.reloj.Milisegundos();
  EXPECT_FALSE(EsperarArchivoLog("C:\\Vacia", 60, p.archivos, p.reloj, p.eventos));
  EXPECT_GT(SegundosPasados(inicio, plataforma.reloj.Milisegundos()), 60u);
  EXPECT_LE(SegundosPasados(inicio, plataforma.reloj.Milisegundos()), 62u);
}

TEST_F(InstalacionTest, LineaDeOrdenesDeLaHerramienta) {
  EXPECT_EQ(ArgumentosDeSecurityFolder({"ImpresoraPredeterminada", "", "C:\\\\Evalora\\\\Utilerías\\LogEV.txt"}),
            "\"ImpresoraPredeterminada\" \"\" \"C:\\Evalora\\Utilerías\\LogEV.txt\"");
  EXPECT_EQ(ArgumentosDeSecurityFolder({"Seguridad", "\\\\\\servidor"}), "\"Seguridad\" \"\\\\servidor\"");
  // Started through the shell with that text; its marker awaited in the folder given.
  Escribir("drive_c/Utilerias/LogEV.txt", "");
  EXPECT_TRUE(EjecutarSecurityFolder("C:\\Utilerias\\SecurityFolder.exe",
                                     {"RegistroPolicies", "Software\\Policies", "C:\\Utilerias\\LogEV.txt"},
                                     "C:\\Utilerias", 60, p));
  EXPECT_EQ(
      maquina.Shell().abiertos.back(),
      "C:\\Utilerias\\SecurityFolder.exe \"RegistroPolicies\" \"Software\\Policies\" \"C:\\Utilerias\\LogEV.txt\"");
}

TEST_F(InstalacionTest, LibreriasSinSobrescribirYLaReglaDeFlash) {
  const std::string dlls = "drive_c/Program Files/Evalora 2020 Cloud/Utilerías/DLLs/";
  Escribir(dlls + "Nueva.dll", "nueva");
  Escribir(dlls + "Vieja.dll", "nueva");
  Escribir(dlls + "Control.OCX", "ocx");
  Escribir(dlls + "Flash9o.ocx", "flash");
  Escribir(dlls + "Notas.txt", "txt");
  Escribir(dlls + "NoEsFuente.ttf", "esto no es una fuente");
  Escribir("drive_c/windows/system32/Vieja.dll", "vieja");
  Escribir("drive_c/windows/Macromed/Flash/Flash10a.ocx", "instalado");
  InstalarLibrerias(estado, p);
  EXPECT_EQ(Leer("drive_c/windows/system32/Vieja.dll"), "vieja");  // never replaced…
  const auto& abiertos = maquina.Shell().abiertos;
  auto registrado = [&](const std::string& n) {
    return std::count(abiertos.begin(), abiertos.end(), "regsvr32 /s C:\\windows\\System32\\" + n);
  };
  EXPECT_EQ(registrado("Vieja.dll"), 0);  // …nor registered again
  EXPECT_EQ(registrado("Nueva.dll"), 1);
  EXPECT_EQ(registrado("Control.OCX"), 1);
  EXPECT_EQ(registrado("Flash9o.ocx"), 0);  // a Flash control is there already
  EXPECT_EQ(Leer("drive_c/windows/system32/Notas.txt"), "txt");
  // A file that is no TrueType font is copied but never enters the font table or the registry.
  EXPECT_TRUE(Existe("C:\\windows\\Fonts\\NoEsFuente.ttf"));
  EXPECT_FALSE(Existe("C:\\windows\\Fonts\\NoEsFuente.FOT"));
  // Without a Flash control, Flash9o.ocx is registered even when its file is there already.
  maquina.Borrar("C:\\windows\\Macromed");
  InstalarLibrerias(estado, p);
  EXPECT_EQ(registrado("Flash9o.ocx"), 1);
  // The rule is for that name as written: in lower case it is an ordinary control, registered
  // beside an installed Flash control.
  Escribir("drive_c/windows/Macromed/Flash/Flash10a.ocx", "instalado");
  maquina.Borrar(EnC(dlls + "Flash9o.ocx"));
  maquina.Borrar("C:\\windows\\system32\\Flash9o.ocx");
  Escribir(dlls + "flash9o.ocx", "minusculas");
  InstalarLibrerias(estado, p);
  EXPECT_EQ(registrado("flash9o.ocx"), 1);
}

TEST_F(InstalacionTest, ErroresDeLaClaseDeFuentes) {
  gdiInstallFont fuente(p);
  EXPECT_EQ(fuente.DirectorioFuentesSistema(), "C:\\windows\\Fonts");
  fuente.Instalar();
  EXPECT_EQ(fuente.Error()->numero, 0x80040003u);
  fuente.archivoTTF("  falta.ttf ");
  fuente.Instalar();
  EXPECT_EQ(fuente.Error()->numero, 0x80040004u);
  fuente.PathTTF("C:\\Fuentes");
  EXPECT_EQ(fuente.PathTTF(), "C:\\Fuentes\\");
  fuente.Instalar();
  EXPECT_EQ(fuente.Error()->texto, "No se ha podido encontrar el archivo C:\\Fuentes\\falta.ttf.");
  Escribir("drive_c/Fuentes/falsa.ttf", "no es una fuente");
  fuente.archivoTTF("falsa.ttf");
  fuente.Instalar();
  EXPECT_EQ(fuente.Error()->numero, 0x80040006u);
  EXPECT_EQ(fuente.Error()->texto, "Error ejecutando AddFontResource.");
  fuente.Desinstalar();
  EXPECT_EQ(fuente.Error()->numero, 0x80040008u);
  EXPECT_EQ(maquina.Fuentes().avisos, 0);  // the running programs hear of no change that failed
}

TEST_F(InstalacionTest, LasFuentesNuevasSeAvisanALosProgramas) {
  const std::string dlls = "drive_c/Program Files/Evalora 2020 Cloud/Utilerías/DLLs/";
  Escribir(dlls + "Evalora.ttf", maquina.LeerDelAnfitrion("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"));
  Escribir(dlls + "Falsa.ttf", "no es una fuente");
  InstalarLibrerias(estado, p);
  EXPECT_TRUE(Existe("C:\\windows\\Fonts\\Evalora.ttf"));
  EXPECT_EQ(maquina.Fuentes().avisos, 1);  // the font that entered the table, not the false one
  InstalarLibrerias(estado, p);             // already in the Fonts folder: not installed again
  EXPECT_EQ(maquina.Fuentes().avisos, 1);
}

TEST_F(InstalacionTest, LaFuenteQueSaleSeAvisaALosProgramas) {
  const std::string dlls = "drive_c/Program Files/Evalora 2020 Cloud/Utilerías/DLLs/";
  Escribir(dlls + "Evalora.ttf", maquina.LeerDelAnfitrion("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"));
  InstalarLibrerias(estado, p);
  ASSERT_EQ(maquina.Fuentes().avisos, 1);
  gdiInstallFont fuente(p);
  fuente.archivoTTF("Evalora.ttf");
  fuente.Desinstalar();
  EXPECT_FALSE(fuente.Error().has_value());
  EXPECT_EQ(maquina.Fuentes().avisos, 2);  // and the one that left it
}

TEST_F(InstalacionTest, ImpresoraYPuertos) {
  Impresoras& i = p.impresoras;
  ASSERT_TRUE(i.AgregarPuerto("C:\\Viejo\\Salida.txt"));
  ASSERT_TRUE(AgregarImpresoraAlSistema(i, "Evalora", "C:\\Viejo\\Salida.txt", "MS Publisher Color Printer", ""));
  EXPECT_EQ(ImpresoraDelPuerto(i, "C:\\Viejo\\Salida.txt"), "Evalora");
  // Deleting the printer takes its port along, when no other printer uses it.
  EliminarImpresora(i, "Evalora");
  EXPECT_FALSE(ExisteImpresora(i, "Evalora"));
  EXPECT_FALSE(ExistePuerto(i, "C:\\Viejo\\Salida.txt"));
  ASSERT_TRUE(AgregarImpresoraAlSistema(i, "A", "LPT1:", "MS Publisher Color Printer", ""));
  ASSERT_TRUE(AgregarImpresoraAlSistema(i, "B", "LPT1:", "MS Publisher Color Printer", ""));  // the port reused
  EliminarImpresora(i, "A");
  EXPECT_TRUE(ExistePuerto(i, "LPT1:"));  // B still prints there
}

TEST_F(InstalacionTest, WindowsVistaSinServicePack) {
  auto poner = [&](const char* valor, const std::string& texto) {
    p.registro.CrearClave(win::HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion");
    p.registro.EstablecerValor(win::HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", valor,
                               DatoDeTexto(texto));
  };
  poner("ProductName", "Windows 7 Professional");
  poner("CSDVersion", "");
  EXPECT_FALSE(EsVistaSinServicePack(p));
  poner("ProductName", "  Windows Vista (TM) Business ");
  EXPECT_TRUE(EsVistaSinServicePack(p));
  poner("CSDVersion", "service pack 2");
  EXPECT_FALSE(EsVistaSinServicePack(p));
  poner("CSDVersion", "Service Pack 1, v.668");
  EXPECT_FALSE(EsVistaSinServicePack(p));
}

TEST_F(InstalacionTest, AccesosDirectosYVirtualStore) {
  // Without the icon no shortcut is made, and the stage succeeds.
  Escribir("drive_c/Program Files/Evalora 2020 Cloud/EVLogIn.exe", "x");
  EXPECT_TRUE(CrearAccesosDirectos(estado.CarpetaDeInstalacion, estado, p));
  EXPECT_FALSE(Existe(p.shell.CarpetaEspecial(kCsidlEscritorio) + "\\Evalora 2020 Cloud.lnk"));
  Escribir("drive_c/Program Files/Evalora 2020 Cloud/evicon.ico", "x");
  // A shell folder where none can be written (a file in its place): skipped; the stage succeeds.
  maquina.Borrar(EnC(DelUsuario("Desktop")));
  Escribir(DelUsuario("Desktop"), "un archivo");
  EXPECT_TRUE(CrearAccesosDirectos(estado.CarpetaDeInstalacion, estado, p));
  EXPECT_TRUE(Existe(p.shell.CarpetaEspecial(kCsidlMenuInicioComun) + "\\Evalora 2020 Cloud.lnk"));
  // A store folder without files stays (deleting "*.*" finds nothing), and so does the second.
  const std::string almacen = DelUsuario("AppData/Local/VirtualStore/");
  maquina.CrearCarpetas(EnC(almacen + "Program Files (x86)/Evalora 2020 Cloud"));
  Escribir(almacen + "Program Files/Evalora 2020 Cloud/a.ini", "a");
  LimpiarVirtualStore(estado, p);
  EXPECT_TRUE(Existe(EnC(almacen + "Program Files/Evalora 2020 Cloud/a.ini")));
  maquina.Borrar(EnC(almacen + "Program Files (x86)/Evalora 2020 Cloud"));
  LimpiarVirtualStore(estado, p);
  EXPECT_FALSE(p.archivos.ExisteCarpeta(EnC(almacen + "Program Files/Evalora 2020 Cloud")));
}

TEST_F(InstalacionTest, CarpetasConElErrorQueDaLaPlataforma) {
  // No installation folder: the first step fails on a path that is not there.
  CrearCarpetasDelSistema(estado, p);
  ASSERT_EQ(plataforma.mensajes.mostrados.size(), 1u);
  EXPECT_EQ(plataforma.mensajes.mostrados[0].texto, "76 No se encontró la ruta de acceso");
  EXPECT_EQ(plataforma.mensajes.mostrados[0].estilo, kMensajeSinIcono);
  // A file where a folder must be made: the runtime's "already exists", and nothing after it.
  const std::string raiz = "drive_c/Program Files/Evalora 2020 Cloud/";
  for (const char* traida : {"Base de datos", "Fonts", "Imagenes", "Utilerías/Dlls"}) {
    maquina.CrearCarpetas(EnC(raiz + traida));
  }
  Escribir(raiz + "Excel", "un archivo");
  CrearCarpetasDelSistema(estado, p);
  ASSERT_EQ(plataforma.mensajes.mostrados.size(), 2u);
  EXPECT_EQ(plataforma.mensajes.mostrados[1].texto, "58 El archivo ya existe");
  EXPECT_TRUE(p.archivos.ExisteCarpeta(estado.CarpetaDeInstalacion + "\\Access"));
  EXPECT_FALSE(p.archivos.ExisteCarpeta(estado.CarpetaDeInstalacion + "\\Word"));
  // The other errors of the platform in the runtime's words.
  EXPECT_EQ(ErrorDeCarpeta(win::kAccesoDenegado), "70 Permiso denegado");
  EXPECT_EQ(ErrorDeCarpeta(win::kDiscoLleno), "61 Disco lleno");
  EXPECT_EQ(ErrorDeCarpeta(win::kErrorDeEscritura), "75 Error de acceso a la ruta o el archivo");
}

TEST_F(InstalacionTest, UnaLibreriaConBlancosEsUnSoloArgumento) {
  Escribir("drive_c/Program Files/Evalora 2020 Cloud/Utilerías/DLLs/Mi Librería.dll", "dll");
  InstalarLibrerias(estado, p);
  ASSERT_EQ(maquina.Shell().abiertos.size(), 1u);
  std::string resto;
  EXPECT_EQ(PrimerArgumento(maquina.Shell().abiertos[0], &resto), "regsvr32");
  EXPECT_EQ(PartirArgumentos(resto), (std::vector<std::string>{"/s", "C:\\windows\\System32\\Mi Librería.dll"}));
}

// The registrations the libraries stage started end before the result step: the wait lasts as
// long as they run, with the window's turns between its looks, and gives up after a minute.
TEST_F(InstalacionTest, ElPasoFinalEsperaALosRegistros) {
  uint32_t inicio = plataforma.reloj.Milisegundos();
  int miradas = 0;
  maquina.Shell().alEsperarOcultos = [&](uint32_t esperaMs) {
    ++miradas;
    plataforma.reloj.Avanzar(esperaMs);  // as the system's wait takes that time
    return plataforma.reloj.Milisegundos() - inicio >= 2000;
  };
  EXPECT_TRUE(EsperarRegistros(p));
  EXPECT_GE(plataforma.reloj.Milisegundos() - inicio, 2000u);
  EXPECT_LT(plataforma.reloj.Milisegundos() - inicio, 2100u);
  EXPECT_GT(miradas, 100);

  inicio = plataforma.reloj.Milisegundos();
  maquina.Shell().alEsperarOcultos = [&](uint32_t esperaMs) {
    plataforma.reloj.Avanzar(esperaMs);
    return false;
  };
  EXPECT_FALSE(EsperarRegistros(p));
  EXPECT_GE(plataforma.reloj.Milisegundos() - inicio, kEsperaDeRegistrosMs);
  EXPECT_LT(plataforma.reloj.Milisegundos() - inicio, kEsperaDeRegistrosMs + 100);

  // Nothing started: no wait at all.
  maquina.Shell().alEsperarOcultos = nullptr;
  inicio = plataforma.reloj.Milisegundos();
  EXPECT_TRUE(EsperarRegistros(p));
  EXPECT_LT(plataforma.reloj.Milisegundos() - inicio, 20u);
}

}  // namespace
}  // namespace evalora

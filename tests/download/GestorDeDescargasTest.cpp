// The download manager with the build's own transfer and file system, the development server's
// HTTP half and catalogue on the build's test machine; virtual time for its waits.
#include "download/GestorDeDescargas.h"

#include <gtest/gtest.h>

#include <algorithm>


#include "apoyo/MaquinaDePrueba.h"
#include "catalogue/ClienteDelCatalogo.h"
#include "platform/CodigosWin.h"
#include "platform/fakes/Falsos.h"

namespace evalora {
namespace {

class BarrasGrabadas : public BarrasDeDescarga {
 public:
  void Preparar() override { ++preparadas; }
  void DibujarArchivo(int32_t p) override { archivo.push_back(p); }
  void DibujarGeneral(int32_t p) override { general.push_back(p); }
  void Ocultar() override { ++ocultadas; }
  int preparadas = 0, ocultadas = 0;
  std::vector<int32_t> archivo, general;
};

class GestorDeDescargasTest : public ::testing::Test {
 protected:
  void SetUp() override {
    maquina.Poner("2020/mega.bin", std::string(1 << 20, 'm'));
    maquina.Poner("2020/autorun.inf", "[autorun]\r\n");
    maquina.Poner("2020/chico.txt", "hola");
    eventos.alCeder = [this] { reloj.Avanzar(1); };
    estado.TipoDeAsistente = "4";
    estado.CarpetaDeInstalacion = EnC("Descargas");
  }
  // A path below the test's own folder, written as the Linux build's tests wrote it below drive C:
  // ("drive_c/D/a.tmp" or "D/a.tmp"): the same place in both builds' machines.
  std::string EnC(std::string relativa) const {
    if (relativa.rfind("drive_c/", 0) == 0) relativa.erase(0, 8);
    for (char& c : relativa) c = c == '/' ? '\\' : c;
    return maquina.Carpeta() + "\\" + relativa;
  }
  bool Existe(const std::string& ruta) { return archivos.ExisteArchivo(ruta) || archivos.ExisteCarpeta(ruta); }
  void Listar(const std::string& ruta, const std::string& local, int64_t peso, bool pendiente = true) {
    estado.ListaCatalogo.push_back(
        {maquina.Url(ruta), estado.CarpetaDeInstalacion + "\\" + local, peso, pendiente, false});
  }
  Paso Descargar() {
    GestorDeDescargas gestor(
        estado, ServiciosDeDescarga{archivos, reloj, eventos, procesos, red}, barras,
        [this](const std::string& t) { fallas.push_back(t); });
    const Paso paso = gestor.Descargar();
    eventosDeProgreso = gestor.ContadorDeRefresco;
    return paso;
  }
  // The ".tmp" files in a folder and every folder below it.
  std::vector<std::string> Temporales(const std::string& carpeta) {
    std::vector<std::string> t;
    for (const auto& n : archivos.ListarArchivos(carpeta)) {
      if (n.size() > 4 && n.substr(n.size() - 4) == ".tmp") t.push_back(carpeta + "\\" + n);
    }
    for (const auto& sub : archivos.ListarSubcarpetas(carpeta)) {
      const auto debajo = Temporales(carpeta + "\\" + sub);
      t.insert(t.end(), debajo.begin(), debajo.end());
    }
    return t;
  }

  pruebas::MaquinaDePrueba maquina;
  SistemaDeArchivos& archivos = maquina.Archivos();
  Red& red = maquina.RedDeLaMaquina();
  Odbc& odbc = maquina.OdbcDeLaMaquina();
  falsos::RelojVirtual reloj;
  falsos::BucleContado eventos;
  falsos::ProcesosFijos procesos;
  BarrasGrabadas barras;
  EstadoDeEjecucion estado;
  std::vector<std::string> fallas;
  int eventosDeProgreso = 0;
};

TEST_F(GestorDeDescargasTest, TodaLaListaEnSuSitio) {
  Listar("/2020/mega.bin", "Instalador Evalora Cloud\\Datos\\mega.bin", 1 << 20);
  Listar("/2020/chico.txt", "Léeme.txt", 4);
  EXPECT_EQ(Descargar(), Paso::kDescargaCorrecta);
  EXPECT_EQ(maquina.Leer(EnC("drive_c/Descargas/Instalador Evalora Cloud/Datos/mega.bin")).size(), 1u << 20);
  EXPECT_EQ(maquina.Leer(EnC("drive_c/Descargas/Léeme.txt")), "hola");
  EXPECT_TRUE(fallas.empty());
  EXPECT_EQ(barras.preparadas, 1);
  EXPECT_EQ(barras.ocultadas, 1);
  // 2048 events of 512 bytes: the file bar is redrawn at events 1, 402, 803, 1204, 1605 and 2006.
  EXPECT_EQ(barras.archivo.size(), 6u);
  EXPECT_EQ(barras.general.back(), 90);  // the whole list is 90
  estado.TipoDeAsistente = "1";
  estado.DescargarTodo = true;
  EXPECT_EQ(Descargar(), Paso::kIniciaInstalacion);
}

TEST_F(GestorDeDescargasTest, UnArchivoQueSiempreFalla) {
  Listar("/2020/chico.txt", "chico.txt", 4);
  Listar("/2020/no-existe.bin", "falta.bin", 10);
  EXPECT_EQ(Descargar(), Paso::kDescargaIncorrecta);
  // One report per pass: the first and five retries.
  ASSERT_EQ(fallas.size(), 6u);
  for (const auto& f : fallas) EXPECT_EQ(f, maquina.Url("/2020/no-existe.bin"));
  EXPECT_EQ(maquina.Pedidos().size(), 1u + 18u);  // three attempts in each of the six passes
  EXPECT_FALSE(archivos.ExisteArchivo(EnC("Descargas\\falta.bin")));
  EXPECT_TRUE(Temporales(maquina.Carpeta()).empty());
  EXPECT_GE(reloj.TotalDormido(), 5u * 2000u);  // two seconds before each retry pass
}

TEST_F(GestorDeDescargasTest, AutorunOcultoSoloSiLlegaEnLaPrimeraPasada) {
  Listar("/2020/autorun.inf", "autorun.inf", 11);
  EXPECT_EQ(Descargar(), Paso::kDescargaCorrecta);
  EXPECT_EQ(archivos.LeerAtributos(EnC("Descargas\\autorun.inf")).value() & win::kAtributoOculto, win::kAtributoOculto);
  // The same file arriving only in a retry pass stays visible.
  estado.ListaCatalogo.clear();
  estado.CarpetaDeInstalacion = EnC("Otra");
  Listar("/_fallas/fallar-primeras=3/2020/autorun.inf", "autorun.inf", 11);
  EXPECT_EQ(Descargar(), Paso::kDescargaCorrecta);
  EXPECT_EQ(archivos.LeerAtributos(EnC("Otra\\autorun.inf")).value() & win::kAtributoOculto, 0u);
  EXPECT_EQ(fallas.size(), 1u);
}

TEST_F(GestorDeDescargasTest, DescargarTodoSoloReemplazaConUnaCopiaEntera) {
  maquina.Escribir(EnC("drive_c/Descargas/mega.bin"), std::string(1 << 20, 'v'));
  Listar("/_fallas/sin-rangos,cortar=1000/2020/mega.bin", "mega.bin", 1 << 20, false);
  estado.DescargarTodo = true;
  EXPECT_EQ(Descargar(), Paso::kDescargaIncorrecta);
  EXPECT_TRUE(maquina.Leer(EnC("drive_c/Descargas/mega.bin")) == std::string(1 << 20, 'v'));
  EXPECT_TRUE(Temporales(maquina.Carpeta()).empty());
}

TEST_F(GestorDeDescargasTest, SoloLoPendienteSinDescargarTodo) {
  Listar("/2020/chico.txt", "a.txt", 4, false);
  Listar("/2020/chico.txt", "b.txt", 4, true);
  EXPECT_EQ(Descargar(), Paso::kDescargaCorrecta);
  EXPECT_FALSE(archivos.ExisteArchivo(EnC("Descargas\\a.txt")));
  EXPECT_TRUE(archivos.ExisteArchivo(EnC("Descargas\\b.txt")));
}

TEST_F(GestorDeDescargasTest, UnaRutaQueSaleDeLaCarpetaNuncaSeEscribe) {
  maquina.Escribir(EnC("drive_c/importante.txt"), "no tocar");
  Listar("/2020/chico.txt", "..\\importante.txt", 4);
  Listar("/2020/chico.txt", "sub\\..\\..\\importante.txt", 4);
  Listar("/2020/chico.txt", "D:\\x.txt", 4);
  Listar("/2020/chico.txt", "\\\\servidor\\x.txt", 4);
  EXPECT_EQ(Descargar(), Paso::kDescargaIncorrecta);
  EXPECT_EQ(maquina.Leer(EnC("drive_c/importante.txt")), "no tocar");
  EXPECT_EQ(fallas.size(), 4u * 6u);
  EXPECT_TRUE(maquina.Pedidos().empty());
}

TEST_F(GestorDeDescargasTest, AntivirusQueQuitaArchivos) {
  Listar("/2020/chico.txt", "chico.txt", 4);
  procesos.nombres = {"AvastUI.exe"};
  // The antivirus takes the file away as soon as it arrives.
  GestorDeDescargas gestor(
      estado, ServiciosDeDescarga{archivos, reloj, eventos, procesos, red}, barras,
      [this](const std::string& t) { fallas.push_back(t); });
  EXPECT_EQ(gestor.Descargar(), Paso::kDescargaCorrecta);  // the file is still there
  archivos.BorrarArchivo(EnC("Descargas\\chico.txt"), true);
  EXPECT_FALSE(gestor.ArchivosCompletos());
  EXPECT_TRUE(AvastEnEjecucion(procesos));
  procesos.nombres = {"avast.exe"};
  EXPECT_FALSE(AvastEnEjecucion(procesos));
}

TEST_F(GestorDeDescargasTest, BorrarTemporalesSoloEnLasCarpetasDeInstaladores) {
  for (const char* t :
       {"drive_c/D/EVL1.tmp", "drive_c/D/Instalador Evalora Cloud/EVL2.tmp",
        "drive_c/D/Instalador Evalora Cloud/sub/EVL3.TMP", "drive_c/D/instalador de recursos evalora local/EVL4.tmp",
        "drive_c/D/Otra/EVL5.tmp", "drive_c/D/Instalador Evalora Cloud/guardar.txt"}) {
    maquina.Escribir(EnC(t), "x");
  }
  GestorDeDescargas gestor(
      estado, ServiciosDeDescarga{archivos, reloj, eventos, procesos, red}, barras, [](const std::string&) {});
  gestor.BorrarTemporales(EnC("D"), true);
  EXPECT_TRUE(Existe(EnC("D/EVL1.tmp")));
  EXPECT_FALSE(Existe(EnC("D/Instalador Evalora Cloud/EVL2.tmp")));
  EXPECT_FALSE(Existe(EnC("D/Instalador Evalora Cloud/sub/EVL3.TMP")));
  EXPECT_FALSE(Existe(EnC("D/instalador de recursos evalora local/EVL4.tmp")));
  EXPECT_TRUE(Existe(EnC("D/Otra/EVL5.tmp")));
  EXPECT_TRUE(Existe(EnC("D/Instalador Evalora Cloud/guardar.txt")));
  gestor.BorrarTemporales(EnC("D\\cualquiera.bin"), false);  // the file's folder only
  EXPECT_FALSE(Existe(EnC("D/EVL1.tmp")));
  EXPECT_TRUE(Existe(EnC("D/Otra/EVL5.tmp")));
}

TEST_F(GestorDeDescargasTest, CadaCarpetaQueFaltaCuestaUnSegundo) {
  eventos.alCeder = nullptr;
  GestorDeDescargas gestor(
      estado, ServiciosDeDescarga{archivos, reloj, eventos, procesos, red}, barras, [](const std::string&) {});
  EXPECT_TRUE(gestor.CrearCarpetasDelArchivo(EnC("Descargas"), EnC("Descargas\\Uno\\Dos\\a.bin")));
  EXPECT_TRUE(archivos.ExisteCarpeta(EnC("Descargas/Uno/Dos")));
  EXPECT_EQ(reloj.TotalDormido(), 2000u);  // Uno and Dos; the base itself is made without waiting
  EXPECT_TRUE(gestor.CrearCarpetasDelArchivo(EnC("Descargas"), EnC("Descargas\\Uno\\Dos\\b.bin")));
  EXPECT_EQ(reloj.TotalDormido(), 2000u);  // nothing was missing
  EXPECT_TRUE(gestor.CrearCarpetasDelArchivo(EnC("Descargas"), EnC("Descargas\\c.bin")));
  // A folder that cannot be made (a file is in its way) is a failure.
  maquina.Escribir(EnC("drive_c/Descargas/Archivo"), "x");
  EXPECT_FALSE(gestor.CrearCarpetasDelArchivo(EnC("Descargas"), EnC("Descargas\\Archivo\\d.bin")));
}

// The failure reports reach the catalogue: six for a file that never arrives.
TEST_F(GestorDeDescargasTest, SeisInformesEnElCatalogo) {
  ConexionCatalogo conexion(odbc, DireccionDelCatalogo{"127.0.0.1", maquina.PuertoCatalogo()}, 5);
  falsos::MensajesGrabados mensajes;
  falsos::TerminacionObservada terminacion;
  ClienteDelCatalogo cliente(estado, conexion, ServiciosDelCatalogo{archivos, eventos, mensajes, terminacion}, "");
  Listar("/2020/no-existe.bin", "falta.bin", 10);
  GestorDeDescargas gestor(
      estado, ServiciosDeDescarga{archivos, reloj, eventos, procesos, red}, barras,
      [&](const std::string& t) { cliente.RegistraFalla(t); });
  EXPECT_EQ(gestor.Descargar(), Paso::kDescargaIncorrecta);
  const std::string esperada = "spRegistraFalla '" + maquina.Url("/2020/no-existe.bin") + "'";
  EXPECT_EQ(maquina.RecibidoPorElCatalogo(), std::vector<std::string>(6, esperada));
}

TEST_F(GestorDeDescargasTest, UnaBuenaCopiaNuncaSeCambiaPorUnaMala) {
  // "Descargar todo" over complete copies, while the server answers with bodies that are not the
  // file: each attempt fails, and the earlier copy stays whole under its name.
  const std::string mega(1 << 20, 'm');
  const std::vector<std::pair<std::string, std::string>> hostiles = {
      {"/_fallas/sin-longitud,cortar=1000/2020/mega.bin", "cortado.bin"},  // cut short, no length
      {"/_fallas/otro-tamano=5000/2020/mega.bin", "portal.bin"},            // a portal's whole page
      {"/_fallas/dos-longitudes/2020/mega.bin", "dos.bin"},                  // lengths that disagree
  };
  for (const auto& [ruta, local] : hostiles) {
    maquina.Escribir(EnC("drive_c/Descargas/" + local), mega);
    Listar(ruta, local, 1 << 20);
  }
  Listar("/_fallas/otro-tamano=7/2020/nuevo.bin", "nuevo.bin", 1 << 20);  // nothing there before
  estado.DescargarTodo = true;
  EXPECT_EQ(Descargar(), Paso::kDescargaIncorrecta);
  for (const auto& [ruta, local] : hostiles) EXPECT_TRUE(maquina.Leer(EnC("drive_c/Descargas/" + local)) == mega) << ruta;
  EXPECT_FALSE(Existe(EnC("Descargas/nuevo.bin")));
  EXPECT_EQ(fallas.size(), 4u * 6u);
  EXPECT_TRUE(Temporales(maquina.Carpeta()).empty());
}

TEST_F(GestorDeDescargasTest, RutasComoLasEscribeElCatalogo) {
  maquina.Poner("2020/Con blancos/guía rápida.txt", "guia");
  // Blanks and accents of the server's path are escaped in the request.
  Listar("/2020/Con blancos/guía rápida.txt", "guia.txt", 4);
  // A local part that starts with "\" is inside the folder.
  Listar("/2020/chico.txt", "\\Instalador Evalora Cloud\\chico.txt", 4);
  EXPECT_EQ(Descargar(), Paso::kDescargaCorrecta);
  EXPECT_EQ(maquina.Leer(EnC("drive_c/Descargas/guia.txt")), "guia");
  EXPECT_EQ(maquina.Leer(EnC("drive_c/Descargas/Instalador Evalora Cloud/chico.txt")), "hola");
  const auto pedidos = maquina.Pedidos();
  EXPECT_NE(std::find(pedidos.begin(), pedidos.end(), "GET /2020/Con%20blancos/gu%C3%ADa%20r%C3%A1pida.txt"),
            pedidos.end());
  // Names Windows keeps for devices are failed files, never written.
  estado.ListaCatalogo.clear();
  fallas.clear();
  Listar("/2020/chico.txt", "CON", 4);
  Listar("/2020/chico.txt", "sub\\nul.txt", 4);
  Listar("/2020/chico.txt", "Lpt9.log", 4);
  Listar("/2020/chico.txt", "COM1 .txt", 4);
  EXPECT_EQ(Descargar(), Paso::kDescargaIncorrecta);
  EXPECT_EQ(fallas.size(), 4u * 6u);
  // Looked for by listing: on Windows every folder seems to hold the device "CON".
  const auto archivosDeLaCarpeta = archivos.ListarArchivos(EnC("Descargas"));
  const auto subcarpetas = archivos.ListarSubcarpetas(EnC("Descargas"));
  EXPECT_EQ(std::count(archivosDeLaCarpeta.begin(), archivosDeLaCarpeta.end(), "CON"), 0);
  EXPECT_EQ(std::count(subcarpetas.begin(), subcarpetas.end(), "sub"), 0);
}

TEST_F(GestorDeDescargasTest, SoloSeBorranLosTemporalesDeLaDescarga) {
  for (const char* t : {"drive_c/D/Instalador lanzadores Evalora/EVL2A.tmp", "drive_c/D/Instalador lanzadores Evalora/mio.tmp",
                        "drive_c/D/Instalador Evalora Cloud/EVLX.tmp", "drive_c/D/Instalador Evalora Cloud/EVL.tmp",
                        "drive_c/D/Instalador Evalora Cloud/notas.TMP", "drive_c/D/EVLFF.tmp", "drive_c/D/copia.tmp"}) {
    maquina.Escribir(EnC(t), "x");
  }
  GestorDeDescargas gestor(
      estado, ServiciosDeDescarga{archivos, reloj, eventos, procesos, red}, barras, [](const std::string&) {});
  gestor.BorrarTemporales(EnC("D"), true);
  gestor.BorrarTemporales(EnC("D\\archivo.bin"), false);
  EXPECT_FALSE(Existe(EnC("D/Instalador lanzadores Evalora/EVL2A.tmp")));  // kind 8's folder too
  EXPECT_FALSE(Existe(EnC("D/EVLFF.tmp")));
  for (const char* propio : {"D/Instalador lanzadores Evalora/mio.tmp", "D/Instalador Evalora Cloud/EVLX.tmp",
                             "D/Instalador Evalora Cloud/EVL.tmp", "D/Instalador Evalora Cloud/notas.TMP",
                             "D/copia.tmp"}) {
    EXPECT_TRUE(Existe(EnC(propio))) << propio;
  }
}

TEST(Megas, DosDecimalesHaciaAbajo) {
  EXPECT_EQ(Megas(1048576), 1.0);
  EXPECT_EQ(Megas(10485), 0.0);
  EXPECT_EQ(Megas(10486), 0.01);
  EXPECT_EQ(Megas(-1), -0.01);
  EXPECT_EQ(Megas(5.0 * 1073741824.0), 5120.0);  // 5 GiB
}

}  // namespace
}  // namespace evalora

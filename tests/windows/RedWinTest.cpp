// The catalogue over odbc32 and a whole list's download over WinINet, under Wine, against the
// development server running as a Linux program (the transfer's own cases are netDownloadTest's,
// which this program runs too) (scripts/con-servidor-dev.sh gives its addresses, its log and
// its content folder in the environment).
#include <gtest/gtest.h>

#include <algorithm>

#include "ApoyoWin.h"
#include "apoyo/MaquinaDePrueba.h"
#include "catalogue/ClienteDelCatalogo.h"
#include "catalogue/ConexionCatalogo.h"
#include "download/GestorDeDescargas.h"
#include "download/netDownload.h"
#include "platform/fakes/Falsos.h"
#include "platform/windows/EntornoWin.h"
#include "platform/windows/InternetWinInet.h"
#include "platform/windows/SistemaDeArchivosWin.h"
#include "platform/windows/TextoWin.h"

#include <windows.h>
#include <wininet.h>

namespace evalora {
namespace {



class CatalogoWinTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_FALSE(pruebas::Variable("EVALORA_CATALOGO").empty()) << "sin servidor de desarrollo"; }
  std::vector<std::string> Recibido() { return maquina.RecibidoPorElCatalogo(); }
  pruebas::MaquinaDePrueba maquina;
  Odbc& odbc = maquina.OdbcDeLaMaquina();
  EntornoWin entorno;
};

TEST_F(CatalogoWinTest, ElDriverDeWineLlevaLasSentenciasYSusAcentos) {
  const auto instalados = odbc.Drivers();
  EXPECT_NE(std::find(instalados.begin(), instalados.end(), "FreeTDS"), instalados.end());
  ConexionCatalogo conexion(odbc, DireccionDelCatalogo{"127.0.0.1", maquina.PuertoCatalogo()}, 5, DriverPedido(entorno));
  ASSERT_TRUE(conexion.AbrirCatalogo());
  const auto filas = conexion.Consultar("Exec spDescargaBDServidorLocal '2020'");
  ASSERT_TRUE(filas.has_value());
  ASSERT_FALSE(filas->empty());
  EXPECT_TRUE((*filas)[0].Texto("RutaServidor").has_value());
  EXPECT_TRUE((*filas)[0].Numero("Peso").has_value());
  ASSERT_TRUE(conexion.AbrirCatalogo());
  EXPECT_TRUE(conexion.Ejecutar("Exec spRegistraFalla 'Mañana, Utilerías ''citado'''"));
  const auto lanzadores = conexion.LlamarLanzadores("Lanzadores", "2020", "RutaServidor LIKE '%Word%'", true);
  EXPECT_TRUE(lanzadores.has_value());
  conexion.CerrarCatalogo();
  EXPECT_EQ(Recibido(), (std::vector<std::string>{
                            "Exec spDescargaBDServidorLocal '2020'",
                            "Exec spRegistraFalla 'Mañana, Utilerías ''citado'''",
                            "RPC spDescargaLanzadores: Lanzadores | 2020 | RutaServidor LIKE '%Word%' | 1",
                        }));
}

TEST_F(CatalogoWinTest, UnServidorQueNoEstaNoAbre) {
  ConexionCatalogo conexion(odbc, DireccionDelCatalogo{"127.0.0.1", 9}, 5, DriverPedido(entorno));
  EXPECT_FALSE(conexion.AbrirCatalogo());
  EXPECT_FALSE(conexion.Consultar("Exec spDescargaBDServidorLocal '2020'").has_value());
}

}  // namespace
}  // namespace evalora

namespace evalora {
namespace {

class BarrasMudas : public BarrasDeDescarga {
 public:
  void Preparar() override {}
  void DibujarArchivo(int32_t) override {}
  void DibujarGeneral(int32_t p) override { general = p; }
  void Ocultar() override {}
  int32_t general = -1;
};

// Kind 4 on Windows: the catalogue's list over odbc32, every file over WinINet, the result step.
TEST(DescargaCompletaWin, LaListaDelCatalogoLlegaEntera) {
  ASSERT_FALSE(pruebas::Variable("EVALORA_CATALOGO").empty()) << "sin servidor de desarrollo";
  EntornoWin entorno;
  SistemaDeArchivosWin archivos;
  falsos::RelojVirtual reloj;
  falsos::BucleContado eventos;
  eventos.alCeder = [&reloj] { reloj.Avanzar(1); };
  falsos::MensajesGrabados mensajes;
  falsos::TerminacionObservada terminacion;
  falsos::ProcesosFijos procesos;
  RedDelSistema red;
  OdbcDelSistema odbc;
  EstadoDeEjecucion estado;
  estado.TipoDeAsistente = "4";
  estado.VersionMayor = "2020";
  estado.Edicion = "Cloud";
  estado.CarpetaDeInstalacion = "C:\\Descargas Evalora";
  archivos.CrearCarpeta(estado.CarpetaDeInstalacion);
  ConexionCatalogo conexion(odbc, DireccionDelCatalogoPara(entorno), 10, DriverPedido(entorno));
  ClienteDelCatalogo cliente(estado, conexion, ServiciosDelCatalogo{archivos, eventos, mensajes, terminacion}, "");
  ASSERT_TRUE(cliente.ObtenerListaDeArchivos({}));
  ASSERT_FALSE(estado.ListaCatalogo.empty());
  EXPECT_TRUE(estado.NingunArchivoExiste);

  BarrasMudas barras;
  GestorDeDescargas gestor(estado, ServiciosDeDescarga{archivos, reloj, eventos, procesos, red}, barras,
                           [](const std::string&) {});
  EXPECT_EQ(gestor.Descargar(), Paso::kDescargaCorrecta);
  EXPECT_GT(barras.general, 0);
  for (const auto& entrada : estado.ListaCatalogo) {
    EXPECT_EQ(archivos.Tamano(entrada.RutaLocal), entrada.Peso) << entrada.RutaLocal;
  }
  // Asked again, the catalogue's list finds every file there.
  ASSERT_TRUE(cliente.ObtenerListaDeArchivos({}));
  EXPECT_TRUE(estado.TodosLosArchivosExisten);
  archivos.BorrarCarpeta(estado.CarpetaDeInstalacion, true);
}

}  // namespace
}  // namespace evalora

namespace evalora {
namespace {

// The user's proxy in Internet Settings, as a school's administrator sets it; taken out afterwards.
class ProxyDelSistema {
 public:
  explicit ProxyDelSistema(const std::string& servidor) {
    RegCreateKeyExW(HKEY_CURRENT_USER, kClave, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &clave_, nullptr);
    const DWORD activo = 1;
    RegSetValueExW(clave_, L"ProxyEnable", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&activo), sizeof activo);
    const std::wstring texto = win32::Ancho(servidor);
    RegSetValueExW(clave_, L"ProxyServer", 0, REG_SZ, reinterpret_cast<const BYTE*>(texto.c_str()),
                   static_cast<DWORD>((texto.size() + 1) * sizeof(wchar_t)));
  }
  ~ProxyDelSistema() {
    const DWORD inactivo = 0;
    RegSetValueExW(clave_, L"ProxyEnable", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&inactivo), sizeof inactivo);
    RegDeleteValueW(clave_, L"ProxyServer");
    RegCloseKey(clave_);
  }

 private:
  static constexpr const wchar_t* kClave = L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
  HKEY clave_ = nullptr;
};

// A school whose web goes through a proxy: the site is not reached directly, but through the
// proxy of the system's settings (the development server stands in for it, and answers whatever
// it answers), so the start-up check passes; with neither, it fails.
TEST(ConexionWin, SinCaminoDirectoSePreguntaPorElProxyDelSistema) {
  pruebas::MaquinaDePrueba maquina;
  InternetWinInet internet;
  const std::string sitio = "http://localhost:9/evalora/";  // nothing listens there
  EXPECT_FALSE(internet.HayConexion(sitio));
  {
    ProxyDelSistema proxy("127.0.0.1:" + std::to_string(maquina.PuertoHttp()));
    EXPECT_TRUE(internet.HayConexion(sitio));
    const auto pedidos = maquina.Pedidos();
    EXPECT_NE(std::find(pedidos.begin(), pedidos.end(), "GET " + sitio), pedidos.end())
        << (pedidos.empty() ? "" : pedidos.back());
  }
  {
    ProxyDelSistema ninguno("127.0.0.1:9");
    EXPECT_FALSE(internet.HayConexion(sitio));
  }
}

// A download leaves nothing in the user's Internet cache: a school's disk holds the system once.
TEST(ConexionWin, UnaDescargaNoSeGuardaEnLaCacheDeInternet) {
  pruebas::MaquinaDePrueba maquina;
  maquina.Poner("archivos/sin-cache.bin", pruebas::Contenido(70000));
  falsos::RelojVirtual reloj;
  falsos::BucleContado eventos;
  eventos.alCeder = [&reloj] { reloj.Avanzar(1); };
  auto transporte = maquina.RedDeLaMaquina().NuevoTransporte();
  netDownload descarga(maquina.Archivos(), reloj, eventos, *transporte);
  const std::string url = maquina.Url("/archivos/sin-cache.bin");
  descarga.Fichero(maquina.Carpeta() + "\\sin-cache.bin");
  descarga.URL(url);
  descarga.Descargar(1);
  ASSERT_FALSE(descarga.HuboError()) << descarga.StatusCode();
  EXPECT_TRUE(maquina.Leer(maquina.Carpeta() + "\\sin-cache.bin") == pruebas::Contenido(70000));
  DWORD tamano = 0;
  EXPECT_FALSE(GetUrlCacheEntryInfoW(win32::Ancho(url).c_str(), nullptr, &tamano));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

// A folder of 250 characters below which the catalogue's path goes on, and a previous copy that an
// antivirus holds while the new one takes its name: the file arrives whole, fetched once.
TEST(ConexionWin, UnaDescargaHondaSobreUnaCopiaRetenida) {
  pruebas::MaquinaDePrueba maquina;
  maquina.Poner("archivos/hondo.bin", pruebas::Contenido(100000));
  pruebas::RelojConRetencion reloj;
  SistemaDeArchivosWin archivos{reloj};
  falsos::BucleContado eventos;
  eventos.alCeder = [&reloj] { reloj.Avanzar(1); };
  std::string honda = maquina.Carpeta();
  while (honda.size() < 250) {
    honda += "\\" + std::string(std::min<size_t>(40, 249 - honda.size()), 'h');
    ASSERT_TRUE(archivos.CrearCarpeta(honda)) << archivos.UltimoError();
  }
  const std::string carpeta = honda + "\\Instalador de Recursos Evalora Cloud";
  ASSERT_TRUE(archivos.CrearCarpeta(carpeta));
  const std::string final = carpeta + "\\Material didáctico de Evalora para Word.zip";
  auto transporte = maquina.RedDeLaMaquina().NuevoTransporte();
  netDownload descarga(archivos, reloj, eventos, *transporte);
  descarga.Fichero(final);
  descarga.URL(maquina.Url("/archivos/hondo.bin"));
  descarga.BytesEsperados = 100000;
  descarga.Descargar(1);
  ASSERT_FALSE(descarga.HuboError()) << descarga.StatusCode();
  EXPECT_EQ(archivos.Tamano(final), 100000);

  // Held for 300 ms of the run's time from before the transfer: the rename at its end meets it.
  reloj.Retener(final, 300);
  descarga.Descargar(1);
  ASSERT_FALSE(descarga.HuboError()) << descarga.StatusCode();
  EXPECT_GT(reloj.Esperado(), 0u);
  EXPECT_EQ(archivos.Tamano(final), 100000);
  EXPECT_EQ(archivos.ListarArchivos(carpeta), std::vector<std::string>{"Material didáctico de Evalora para Word.zip"});
  const auto pedidos = maquina.Pedidos();
  EXPECT_EQ(std::count(pedidos.begin(), pedidos.end(), "GET /archivos/hondo.bin"), 2);
  EXPECT_TRUE(archivos.BorrarCarpeta(maquina.Carpeta() + honda.substr(maquina.Carpeta().size(), 41), true));
}

}  // namespace
}  // namespace evalora

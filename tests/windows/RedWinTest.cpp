// The catalogue over odbc32 and the downloads over WinINet, under Wine, against the development
// server running as a Linux program (scripts/con-servidor-dev.sh gives its addresses, its log and
// its content folder in the environment).
#include <gtest/gtest.h>

#include <algorithm>

#include "ApoyoWin.h"
#include "catalogue/ClienteDelCatalogo.h"
#include "catalogue/ConexionCatalogo.h"
#include "download/GestorDeDescargas.h"
#include "download/netDownload.h"
#include "platform/fakes/Falsos.h"
#include "platform/windows/EntornoWin.h"
#include "platform/windows/SistemaDeArchivosWin.h"

namespace evalora {
namespace {

std::string Contenido(size_t n) {
  std::string s(n, '\0');
  for (size_t i = 0; i < n; ++i) s[i] = static_cast<char>((i * 31 + 7) & 0xFF);
  return s;
}

std::vector<std::string> Lineas(const std::string& texto) {
  std::vector<std::string> lineas;
  size_t desde = 0;
  while (desde < texto.size()) {
    size_t fin = texto.find('\n', desde);
    if (fin == std::string::npos) fin = texto.size();
    lineas.push_back(texto.substr(desde, fin - desde));
    desde = fin + 1;
  }
  return lineas;
}

class CatalogoWinTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_FALSE(pruebas::Variable("EVALORA_CATALOGO").empty()) << "sin servidor de desarrollo"; }
  std::vector<std::string> Recibido() const {
    pruebas::CarpetaTemporalWin nada;
    SistemaDeArchivosWin archivos;
    const std::string registro = pruebas::EnUnidadZ(pruebas::Variable("EVALORA_REGISTRO_CATALOGO"));
    archivos.CopiarArchivo(registro, nada.Ruta() + "\\registro.txt", true);
    return Lineas(nada.Leer("registro.txt"));
  }
  EntornoWin entorno;
};

TEST_F(CatalogoWinTest, ElDriverDeWineLlevaLasSentenciasYSusAcentos) {
  const auto instalados = DriversInstalados();
  EXPECT_NE(std::find(instalados.begin(), instalados.end(), "FreeTDS"), instalados.end());
  ConexionCatalogo conexion(DireccionDelCatalogoPara(entorno), 5, DriverPedido(entorno));
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
  ConexionCatalogo conexion(DireccionDelCatalogo{"127.0.0.1", 9}, 5, DriverPedido(entorno));
  EXPECT_FALSE(conexion.AbrirCatalogo());
  EXPECT_FALSE(conexion.Consultar("Exec spDescargaBDServidorLocal '2020'").has_value());
}

class DescargaWinTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(pruebas::Variable("EVALORA_HTTP").empty()) << "sin servidor de desarrollo";
    // Each yield lets a millisecond pass, as the window's loop would.
    eventos.alCeder = [this] { reloj.Avanzar(1); };
    descarga.Progreso = [this](const EventoProgreso& e, bool& cancelar) {
      recibidos.push_back(e);
      if (cancelarEn && recibidos.size() == cancelarEn) cancelar = true;
    };
  }
  // A file the server serves: written into its content folder.
  std::string Poner(const std::string& nombre, const std::string& bytes) {
    SistemaDeArchivosWin servidor;
    const std::string contenido = pruebas::EnUnidadZ(pruebas::Variable("EVALORA_CONTENIDO"));
    servidor.CrearCarpeta(contenido + "\\pruebas-win");
    carpeta.Escribir("origen.bin", bytes);
    servidor.CopiarArchivo(carpeta.Ruta() + "\\origen.bin", contenido + "\\pruebas-win\\" + nombre, true);
    return "/pruebas-win/" + nombre;
  }
  std::string Url(const std::string& ruta) const { return pruebas::Variable("EVALORA_HTTP") + ruta; }
  std::string Destino(const std::string& nombre) const { return carpeta.Ruta() + "\\" + nombre; }
  std::vector<std::string> Temporales() const {
    std::vector<std::string> t;
    for (const auto& n : archivos.ListarArchivos(carpeta.Ruta())) {
      if (n.rfind("EVL", 0) == 0) t.push_back(n);
    }
    return t;
  }

  pruebas::CarpetaTemporalWin carpeta;
  SistemaDeArchivosWin archivos;
  falsos::RelojVirtual reloj;
  falsos::BucleContado eventos;
  netDownload descarga{archivos, reloj, eventos};
  std::vector<EventoProgreso> recibidos;
  size_t cancelarEn = 0;
};

TEST_F(DescargaWinTest, UnMegaEnBloquesDe512PorUnaRutaConBlancosYAcentos) {
  const std::string ruta = Poner("Léeme del mega.bin", Contenido(1 << 20));
  descarga.Fichero(Destino("mega.bin"));
  descarga.URL(Url(ruta));
  descarga.BytesEsperados = 1 << 20;
  descarga.Descargar(1);
  ASSERT_FALSE(descarga.HuboError()) << descarga.StatusCode() << " " << descarga.StatusText();
  EXPECT_EQ(descarga.StatusCode(), "200");
  EXPECT_EQ(carpeta.Leer("mega.bin"), Contenido(1 << 20));
  ASSERT_EQ(recibidos.size(), 2048u);  // one event per block
  EXPECT_EQ(recibidos.front().BytesTotales, 1 << 20);
  EXPECT_EQ(recibidos.front().BytesRecibidos, 512);
  EXPECT_DOUBLE_EQ(recibidos.back().Porcentaje, 100.0);
  EXPECT_TRUE(Temporales().empty());
  EXPECT_EQ(descarga.QContentLengthStr, std::to_string(1 << 20));
}

TEST_F(DescargaWinTest, FallasDelServidorNuncaDanUnArchivo) {
  const std::string ruta = Poner("cien.bin", Contenido(100000));
  carpeta.Escribir("cien.bin", "copia anterior");
  const std::pair<std::string, std::string> casos[] = {
      {"/_fallas/estado=404", "404"},
      {"/_fallas/cortar=30000", "999"},
      {"/_fallas/otro-tamano=5000", "999"},
      {"/_fallas/dos-longitudes", "999"},
  };
  for (const auto& [falla, codigo] : casos) {
    descarga.Fichero(Destino("cien.bin"));
    descarga.URL(Url(falla + ruta));
    descarga.BytesEsperados = 100000;
    descarga.Descargar(1);
    EXPECT_TRUE(descarga.HuboError()) << falla;
    EXPECT_EQ(descarga.StatusCode(), codigo) << falla;
    EXPECT_EQ(carpeta.Leer("cien.bin"), "copia anterior") << falla;
    EXPECT_TRUE(Temporales().empty()) << falla;
  }
  // Without length, or after an unasked "100 Continue", the whole body of the right size is kept.
  for (const std::string falla : {"/_fallas/sin-longitud", "/_fallas/continuar"}) {
    descarga.URL(Url(falla + ruta));
    descarga.Descargar(1);
    EXPECT_FALSE(descarga.HuboError()) << falla << " " << descarga.StatusCode();
    EXPECT_EQ(carpeta.Leer("cien.bin"), Contenido(100000)) << falla;
    carpeta.Escribir("cien.bin", "copia anterior");
  }
}

TEST_F(DescargaWinTest, CancelarYUnServidorQueCalla) {
  const std::string ruta = Poner("cancelable.bin", Contenido(200000));
  cancelarEn = 10;
  descarga.Fichero(Destino("cancelable.bin"));
  descarga.URL(Url(ruta));
  descarga.Descargar(1);
  EXPECT_EQ(descarga.StatusCode(), "998");
  EXPECT_FALSE(archivos.ExisteArchivo(Destino("cancelable.bin")));
  EXPECT_TRUE(Temporales().empty());

  // Each turn of the window lets a second pass: the silent server is given up after 30 of them.
  cancelarEn = 0;
  eventos.alCeder = [this] { reloj.Avanzar(1000); };
  const uint32_t inicio = reloj.Milisegundos();
  descarga.URL(Url("/_fallas/callar" + ruta));
  descarga.Descargar(1);
  EXPECT_TRUE(descarga.HuboError());
  EXPECT_GT(reloj.Milisegundos() - inicio, 30000u);
  EXPECT_LE(reloj.Milisegundos() - inicio, 33000u);
  EXPECT_FALSE(archivos.ExisteArchivo(Destino("cancelable.bin")));
}

TEST_F(DescargaWinTest, UnServidorInalcanzable) {
  descarga.Fichero(Destino("nada.bin"));
  descarga.URL("http://127.0.0.1:9/nada.bin");
  descarga.Descargar(1);
  EXPECT_TRUE(descarga.HuboError());
  EXPECT_EQ(descarga.StatusCode(), "005");
  EXPECT_FALSE(archivos.ExisteArchivo(Destino("nada.bin")));
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
  EstadoDeEjecucion estado;
  estado.TipoDeAsistente = "4";
  estado.VersionMayor = "2020";
  estado.Edicion = "Cloud";
  estado.CarpetaDeInstalacion = "C:\\Descargas Evalora";
  archivos.CrearCarpeta(estado.CarpetaDeInstalacion);
  ConexionCatalogo conexion(DireccionDelCatalogoPara(entorno), 10, DriverPedido(entorno));
  ClienteDelCatalogo cliente(estado, conexion, ServiciosDelCatalogo{archivos, eventos, mensajes, terminacion}, "");
  ASSERT_TRUE(cliente.ObtenerListaDeArchivos({}));
  ASSERT_FALSE(estado.ListaCatalogo.empty());
  EXPECT_TRUE(estado.NingunArchivoExiste);

  BarrasMudas barras;
  GestorDeDescargas gestor(estado, ServiciosDeDescarga{archivos, reloj, eventos, procesos}, barras,
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

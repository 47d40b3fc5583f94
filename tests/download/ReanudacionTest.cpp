// A download cut short goes on from the byte where it stopped: within a run (the next attempt of
// the same object) and in the next one (a new object finds the partial body and its record), with
// the build's own transfer and file system against the development server's faults.
#include <gtest/gtest.h>

#include <algorithm>

#include "apoyo/MaquinaDePrueba.h"
#include "download/DescargaParcial.h"
#include "download/GestorDeDescargas.h"
#include "download/netDownload.h"
#include "platform/TransporteHttp.h"
#include "platform/fakes/Falsos.h"

namespace evalora {
namespace {

using pruebas::Contenido;

constexpr int64_t kTamano = 300000;

class ReanudacionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    maquina.Poner("archivos/r.bin", Contenido(kTamano));
    eventos.alCeder = [this] { reloj.Avanzar(1); };
  }
  std::string En(const std::string& nombre) const { return maquina.Carpeta() + "\\" + nombre; }
  // A new object over the same transfer: what the next run of the wizard has.
  std::unique_ptr<netDownload> Nueva(const std::string& url) {
    auto d = std::make_unique<netDownload>(archivos, reloj, eventos, *transporte);
    d->Progreso = [this](const EventoProgreso& e, bool&) { recibidos.push_back(e); };
    d->Fichero(En("r.bin"));
    d->URL(url);
    d->BytesEsperados = kTamano;
    return d;
  }
  // The requests since the last call.
  std::vector<std::string> NuevosPedidos() {
    const auto todos = maquina.Pedidos();
    std::vector<std::string> nuevos(todos.begin() + static_cast<std::ptrdiff_t>(vistos_), todos.end());
    vistos_ = todos.size();
    return nuevos;
  }
  std::optional<int64_t> Parcial() { return archivos.Tamano(En("r.bin.EVLparcial")); }
  ::testing::AssertionResult SinRastros() {
    for (const auto& n : archivos.ListarArchivos(maquina.Carpeta())) {
      if (n != "r.bin") return ::testing::AssertionFailure() << n;
    }
    return ::testing::AssertionSuccess();
  }

  pruebas::MaquinaDePrueba maquina;
  SistemaDeArchivos& archivos = maquina.Archivos();
  falsos::RelojVirtual reloj;
  falsos::BucleContado eventos;
  std::unique_ptr<TransporteHttp> transporte = maquina.RedDeLaMaquina().NuevoTransporte();
  std::vector<EventoProgreso> recibidos;
  size_t vistos_ = 0;
};

TEST_F(ReanudacionTest, CadaIntentoSigueDondeQuedoElAnterior) {
  const std::string ruta = "/_fallas/cortar-cada=100000/archivos/r.bin";
  auto d = Nueva(maquina.Url(ruta));
  d->Descargar(1);
  EXPECT_EQ(d->StatusCode(), "999");
  EXPECT_TRUE(d->Avanzo());
  EXPECT_EQ(Parcial(), 100000);
  EXPECT_FALSE(archivos.ExisteArchivo(En("r.bin")));
  recibidos.clear();
  d->Descargar(1);
  EXPECT_EQ(d->StatusCode(), "999");
  EXPECT_TRUE(d->Avanzo());
  EXPECT_EQ(Parcial(), 200000);
  // The bar and the events go on from where the file was: of the whole file.
  ASSERT_FALSE(recibidos.empty());
  EXPECT_EQ(recibidos.front().BytesTotales, kTamano);
  EXPECT_EQ(recibidos.front().BytesRecibidos, 100000 + 512);
  EXPECT_EQ(recibidos.back().BytesRecibidos, 200000);
  EXPECT_NEAR(recibidos.back().Porcentaje, 200000 * 100.0 / kTamano, 1e-9);
  d->Descargar(1);
  ASSERT_FALSE(d->HuboError()) << d->StatusCode();
  EXPECT_EQ(d->StatusCode(), "206");
  EXPECT_TRUE(maquina.Leer(En("r.bin")) == Contenido(kTamano));
  EXPECT_DOUBLE_EQ(recibidos.back().Porcentaje, 100.0);
  EXPECT_EQ(d->BytesTraidos(), kTamano);  // every byte once
  EXPECT_EQ(NuevosPedidos(), (std::vector<std::string>{"GET " + ruta, "GET " + ruta + " bytes=100000-",
                                                       "GET " + ruta + " bytes=200000-"}));
  EXPECT_TRUE(SinRastros());
}

// Only a body cut short from a server that resumes is kept: not one of a server without ranges
// or without a length, nor a whole one of another size.
TEST_F(ReanudacionTest, SoloSeConservaLoQueElServidorPuedeContinuar) {
  for (const std::string falla : {"sin-rangos,cortar=100000", "sin-longitud,cortar=100000"}) {
    auto d = Nueva(maquina.Url("/_fallas/" + falla + "/archivos/r.bin"));
    d->Descargar(1);
    EXPECT_EQ(d->StatusCode(), "999") << falla;
    EXPECT_FALSE(d->Avanzo()) << falla;
    EXPECT_FALSE(Parcial()) << falla;
    EXPECT_TRUE(archivos.ListarArchivos(maquina.Carpeta()).empty()) << falla;
  }
  auto d = Nueva(maquina.Url("/archivos/r.bin"));
  d->BytesEsperados = kTamano + 1;  // the catalogue says another size
  d->Descargar(1);
  EXPECT_EQ(d->StatusCode(), "999");
  EXPECT_TRUE(archivos.ListarArchivos(maquina.Carpeta()).empty());
}

// The file changed on the server between two requests: the part held is dropped and the new
// version comes whole, never a mix of the two.
TEST_F(ReanudacionTest, UnArchivoQueCambioLlegaEnteroEnSuNuevaVersion) {
  const std::string ruta = "/_fallas/cortar-cada=100000/archivos/r.bin";
  auto d = Nueva(maquina.Url(ruta));
  d->Descargar(1);
  ASSERT_EQ(Parcial(), 100000);
  std::string nueva = Contenido(kTamano);
  std::reverse(nueva.begin(), nueva.end());
  maquina.Poner("archivos/r.bin", nueva);
  NuevosPedidos();
  d->Descargar(1);  // If-Range of the old version: the whole new one, cut again at 100000
  EXPECT_EQ(d->StatusCode(), "999");
  EXPECT_FALSE(d->Avanzo());  // no further than before
  EXPECT_TRUE(maquina.Leer(En("r.bin.EVLparcial")) == nueva.substr(0, 100000));
  for (int i = 0; i < 2; ++i) d->Descargar(1);
  ASSERT_FALSE(d->HuboError()) << d->StatusCode();
  EXPECT_TRUE(maquina.Leer(En("r.bin")) == nueva);
  EXPECT_EQ(NuevosPedidos(),
            (std::vector<std::string>{"GET " + ruta + " bytes=100000-", "GET " + ruta + " bytes=100000-",
                                      "GET " + ruta + " bytes=200000-"}));
  EXPECT_TRUE(SinRastros());
}

// A 206 that is not the rest asked for, and a 416, start over from byte 0 in the same attempt.
TEST_F(ReanudacionTest, UnRangoErroneoORechazadoEmpiezaDeCero) {
  const std::string ruta = "/_fallas/cortar-cada=100000,rango-erroneo/archivos/r.bin";
  auto d = Nueva(maquina.Url(ruta));
  d->Descargar(1);
  ASSERT_EQ(Parcial(), 100000);
  NuevosPedidos();
  d->Descargar(1);
  EXPECT_EQ(NuevosPedidos(), (std::vector<std::string>{"GET " + ruta + " bytes=100000-", "GET " + ruta}));
  EXPECT_TRUE(maquina.Leer(En("r.bin.EVLparcial")) == Contenido(100000));  // the first bytes, not shifted

  // A record that names more than the server's file has (its validator right): 416, then whole.
  auto cabeceras = Nueva(maquina.Url("/archivos/r.bin"));
  cabeceras->QRawHeadersCrLf = true;
  cabeceras->Descargar(0);
  const std::string crudas = cabeceras->QRawHeadersCrLfStr;
  const auto desde = crudas.find("ETag: ") + 6;
  const std::string etag = crudas.substr(desde, crudas.find("\r\n", desde) - desde);
  maquina.Escribir(En("r.bin.EVLparcial"), Contenido(kTamano) + "sobra");
  ASSERT_TRUE(GuardarRegistroDeParcial(
      archivos, En("r.bin"), RegistroDeParcial{maquina.Url("/archivos/r.bin"), kTamano + 100, etag, "", kTamano + 5}));
  auto otra = Nueva(maquina.Url("/archivos/r.bin"));
  otra->BytesEsperados.reset();
  NuevosPedidos();
  otra->Descargar(1);
  ASSERT_FALSE(otra->HuboError()) << otra->StatusCode();
  EXPECT_EQ(NuevosPedidos(), (std::vector<std::string>{"GET /archivos/r.bin bytes=300005-", "GET /archivos/r.bin"}));
  EXPECT_TRUE(maquina.Leer(En("r.bin")) == Contenido(kTamano));
  EXPECT_TRUE(SinRastros());
}

// The next run goes on from what the record says reached the disk itself; a body without its
// record, a record cut short or one of another address starts over and leaves nothing stale.
TEST_F(ReanudacionTest, LaSiguienteEjecucionSigueDesdeLoAsegurado) {
  const std::string ruta = "/_fallas/cortar-cada=100000/archivos/r.bin";
  {
    auto primera = Nueva(maquina.Url(ruta));
    primera->Descargar(1);
    primera->Descargar(1);
    ASSERT_EQ(Parcial(), 200000);
    primera->AsegurarParcial();  // the manager gives up on the file, or the window closes
  }
  const auto registro = LeerRegistroDeParcial(archivos, En("r.bin"));
  ASSERT_TRUE(registro);
  EXPECT_EQ(registro->asegurados, 200000);
  EXPECT_EQ(registro->total, kTamano);
  EXPECT_EQ(registro->url, maquina.Url(ruta));
  NuevosPedidos();
  auto siguiente = Nueva(maquina.Url(ruta));
  siguiente->Descargar(1);
  ASSERT_FALSE(siguiente->HuboError()) << siguiente->StatusCode();
  EXPECT_EQ(NuevosPedidos(), std::vector<std::string>{"GET " + ruta + " bytes=200000-"});
  EXPECT_EQ(siguiente->BytesTraidos(), 100000);
  EXPECT_TRUE(maquina.Leer(En("r.bin")) == Contenido(kTamano));
  EXPECT_TRUE(SinRastros());

  // A power cut after the body grew past the record: only what the record names is trusted.
  archivos.BorrarArchivo(En("r.bin"), true);
  maquina.Escribir(En("r.bin.EVLparcial"), Contenido(150000) + std::string(50000, '\0'));
  ASSERT_TRUE(GuardarRegistroDeParcial(archivos, En("r.bin"),
                                       RegistroDeParcial{maquina.Url(ruta), kTamano, registro->etag, "", 150000}));
  auto trasElCorte = Nueva(maquina.Url(ruta));
  for (int i = 0; i < 3 && !archivos.ExisteArchivo(En("r.bin")); ++i) trasElCorte->Descargar(1);
  EXPECT_EQ(NuevosPedidos(),
            (std::vector<std::string>{"GET " + ruta + " bytes=150000-", "GET " + ruta + " bytes=200000-"}));
  EXPECT_TRUE(maquina.Leer(En("r.bin")) == Contenido(kTamano));

  const std::string sinRegistro = "Evalora: descarga parcial 1\nurl=" + maquina.Url(ruta);  // cut short
  for (const std::string& registroEscrito : {std::string(), sinRegistro}) {
    archivos.BorrarArchivo(En("r.bin"), true);
    maquina.Escribir(En("r.bin.EVLparcial"), Contenido(100000));
    if (!registroEscrito.empty()) maquina.Escribir(En("r.bin.EVLreanudar"), registroEscrito);
    auto otra = Nueva(maquina.Url("/archivos/r.bin"));
    otra->Descargar(1);
    ASSERT_FALSE(otra->HuboError());
    EXPECT_EQ(NuevosPedidos(), std::vector<std::string>{"GET /archivos/r.bin"});
    EXPECT_TRUE(SinRastros());
  }
  // Of another address (the catalogue moved the file): dropped.
  maquina.Escribir(En("r.bin.EVLparcial"), Contenido(100000));
  ASSERT_TRUE(GuardarRegistroDeParcial(
      archivos, En("r.bin"), RegistroDeParcial{maquina.Url("/otra/r.bin"), kTamano, registro->etag, "", 100000}));
  auto movido = Nueva(maquina.Url("/archivos/r.bin"));
  movido->Descargar(1);
  EXPECT_EQ(NuevosPedidos(), std::vector<std::string>{"GET /archivos/r.bin"});
  EXPECT_TRUE(SinRastros());
}

// The manager: a file cut three times arrives whole in the first pass, without a failure report,
// and every byte was fetched once, and what an earlier run kept of a file now whole goes; "Descargar
// todo" drops what an earlier run held; a file that never arrives keeps its partial body, on the
// disk itself, for the next run.
TEST_F(ReanudacionTest, ElGestorSigueSinContarLosIntentosQueAvanzan) {
  falsos::ProcesosFijos procesos;
  SinBarras barras;
  EstadoDeEjecucion estado;
  estado.TipoDeAsistente = "4";
  estado.CarpetaDeInstalacion = maquina.Carpeta();
  maquina.Poner("archivos/c.bin", Contenido(400000));
  estado.ListaCatalogo.push_back(
      {maquina.Url("/_fallas/cortar-cada=100000/archivos/c.bin"), En("c.bin"), 400000, true, false});
  // A file already whole (copied another way) beside what an earlier run kept of it.
  maquina.Escribir(En("hecho.bin"), "hecho");
  maquina.Escribir(En("hecho.bin.EVLparcial"), "he");
  maquina.Escribir(En("hecho.bin.EVLreanudar"), "x");
  estado.ListaCatalogo.push_back({maquina.Url("/archivos/hecho.bin"), En("hecho.bin"), 5, false, false});
  std::vector<std::string> fallas;
  auto descargar = [&] {
    GestorDeDescargas gestor(estado, ServiciosDeDescarga{archivos, reloj, eventos, procesos, maquina.RedDeLaMaquina()},
                             barras, [&](const std::string& t) { fallas.push_back(t); });
    const Paso paso = gestor.Descargar();
    return std::make_pair(paso, gestor.BytesRecibidos);
  };
  const auto [paso, bytes] = descargar();
  EXPECT_EQ(paso, Paso::kDescargaCorrecta);
  EXPECT_TRUE(fallas.empty());
  EXPECT_EQ(bytes, 400000);
  EXPECT_TRUE(maquina.Leer(En("c.bin")) == Contenido(400000));
  EXPECT_EQ(archivos.ListarArchivos(maquina.Carpeta()), (std::vector<std::string>{"c.bin", "hecho.bin"}));
  estado.ListaCatalogo.pop_back();
  archivos.BorrarArchivo(En("hecho.bin"), true);

  // A partial body of an earlier run, and the user's "Descargar todo": from byte 0.
  archivos.BorrarArchivo(En("c.bin"), true);
  estado.ListaCatalogo[0].RutaServidor = maquina.Url("/archivos/c.bin");
  maquina.Escribir(En("c.bin.EVLparcial"), Contenido(100000));
  ASSERT_TRUE(GuardarRegistroDeParcial(archivos, En("c.bin"),
                                       RegistroDeParcial{maquina.Url("/archivos/c.bin"), 400000, "", "x", 100000}));
  estado.DescargarTodo = true;
  estado.DescartarParciales = true;
  NuevosPedidos();
  EXPECT_EQ(descargar().first, Paso::kDescargaCorrecta);
  EXPECT_EQ(NuevosPedidos(), std::vector<std::string>{"GET /archivos/c.bin"});
  EXPECT_EQ(archivos.ListarArchivos(maquina.Carpeta()), std::vector<std::string>{"c.bin"});

  // Never whole (each request meets a new version, cut short): the failure step, and the last
  // version's beginning kept with its record for the next run.
  archivos.BorrarArchivo(En("c.bin"), true);
  estado.ListaCatalogo[0].RutaServidor = maquina.Url("/_fallas/cambiante,cortar-cada=100000/archivos/c.bin");
  estado.DescartarParciales = false;
  EXPECT_EQ(descargar().first, Paso::kDescargaIncorrecta);
  EXPECT_EQ(fallas.size(), 6u);
  EXPECT_EQ(archivos.Tamano(En("c.bin.EVLparcial")), 100000);
  const auto r = LeerRegistroDeParcial(archivos, En("c.bin"));
  ASSERT_TRUE(r);
  EXPECT_EQ(r->asegurados, 100000);
  EXPECT_FALSE(archivos.ExisteArchivo(En("c.bin")));
}

TEST(DescargaParcial, RegistroYRangoDeContenido) {
  const auto rango = LeerRangoDeContenido(" bytes 100-199/200 ");
  ASSERT_TRUE(rango);
  EXPECT_EQ(rango->primero, 100);
  EXPECT_EQ(rango->ultimo, 199);
  EXPECT_EQ(rango->total, 200);
  for (const char* malo : {"bytes */200", "bytes 100-99/200", "bytes 0-200/200", "bytes 1-2", "items 0-1/2",
                           "bytes -1-2/3", "bytes 0-1/x"}) {
    EXPECT_FALSE(LeerRangoDeContenido(malo)) << malo;
  }
  EXPECT_EQ(EtagFuerte(std::string("\"abc\"")), "\"abc\"");
  EXPECT_EQ(EtagFuerte(std::string("W/\"abc\"")), "");
  EXPECT_EQ(EtagFuerte(std::nullopt), "");
}

}  // namespace
}  // namespace evalora

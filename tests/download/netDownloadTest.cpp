// netDownload with the build's own transfer (libcurl on Linux, WinINet on Windows) against the
// development server's HTTP half on loopback, on the build's test machine.
#include "download/netDownload.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "apoyo/MaquinaDePrueba.h"
#include "platform/TransporteHttp.h"
#include "platform/fakes/Falsos.h"

namespace evalora {
namespace {

namespace fs = std::filesystem;

using pruebas::Contenido;

class netDownloadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    maquina.Poner("archivos/mega.bin", Contenido(1 << 20));
    maquina.Poner("archivos/vacio.bin", "");
    maquina.Poner("archivos/chico.txt", "hola");
    // Each yield lets a millisecond pass, as the window's loop would.
    eventos.alCeder = [this] { reloj.Avanzar(1); };
    descarga.Progreso = [this](const EventoProgreso& e, bool& cancelar) {
      recibidos.push_back(e);
      if (cancelarEn && recibidos.size() == cancelarEn) cancelar = true;
    };
  }
  std::string Url(const std::string& ruta) { return maquina.Url(ruta); }
  // A file of the test's own folder.
  std::string En(const std::string& nombre) const { return maquina.Carpeta() + "\\" + nombre; }
  std::vector<std::string> Temporales() {
    std::vector<std::string> t;
    for (const auto& n : archivos.ListarArchivos(maquina.Carpeta())) {
      if (n.rfind("EVL", 0) == 0) t.push_back(n);
    }
    return t;
  }

  pruebas::MaquinaDePrueba maquina;
  SistemaDeArchivos& archivos = maquina.Archivos();
  falsos::RelojVirtual reloj;
  falsos::BucleContado eventos;
  std::unique_ptr<TransporteHttp> transporte = maquina.RedDeLaMaquina().NuevoTransporte();
  netDownload descarga{archivos, reloj, eventos, *transporte};
  std::vector<EventoProgreso> recibidos;
  size_t cancelarEn = 0;
};

TEST_F(netDownloadTest, UnMegaEnBloquesDe512) {
  descarga.Fichero(En("mega.bin"));
  descarga.URL(Url("/archivos/mega.bin"));
  descarga.Descargar(1);
  ASSERT_FALSE(descarga.HuboError()) << descarga.StatusCode() << " " << descarga.StatusText();
  EXPECT_EQ(descarga.StatusCode(), "200");
  EXPECT_EQ(descarga.StatusText(), "OK");
  EXPECT_TRUE(maquina.Leer(En("mega.bin")) == Contenido(1 << 20));
  ASSERT_EQ(recibidos.size(), 2048u);  // one event per block
  EXPECT_EQ(recibidos.front().BytesTotales, 1 << 20);
  EXPECT_EQ(recibidos.front().BytesRecibidos, 512);
  EXPECT_DOUBLE_EQ(recibidos[1023].Porcentaje, 50.0);
  EXPECT_DOUBLE_EQ(recibidos.back().Porcentaje, 100.0);
  EXPECT_EQ(recibidos.back().SegundosRestantes, 0);
  EXPECT_TRUE(Temporales().empty());
  EXPECT_EQ(descarga.QContentLengthStr, std::to_string(1 << 20));
}

TEST_F(netDownloadTest, UnaRutaConBlancosYAcentosSeEscapa) {
  maquina.Poner("archivos/Léeme del mega.bin", Contenido(1 << 20));
  descarga.Fichero(En("mega.bin"));
  descarga.URL(Url("/archivos/Léeme del mega.bin"));
  descarga.BytesEsperados = 1 << 20;
  descarga.Descargar(1);
  ASSERT_FALSE(descarga.HuboError()) << descarga.StatusCode() << " " << descarga.StatusText();
  EXPECT_TRUE(maquina.Leer(En("mega.bin")) == Contenido(1 << 20));
  EXPECT_EQ(recibidos.size(), 2048u);
  const auto pedidos = maquina.Pedidos();
  ASSERT_FALSE(pedidos.empty());
  EXPECT_EQ(pedidos.back(), "GET /archivos/L%C3%A9eme%20del%20mega.bin");
}

// Whatever the server does wrong, the previous copy stays and no temporary file is left; a body
// without length, or after an unasked "100 Continue", is kept when it is whole.
TEST_F(netDownloadTest, FallasDelServidorNuncaDanUnArchivo) {
  maquina.Poner("archivos/cien.bin", Contenido(100000));
  maquina.Escribir(En("cien.bin"), "copia anterior");
  const std::pair<std::string, std::string> casos[] = {
      {"/_fallas/estado=404", "404"},
      {"/_fallas/sin-rangos,cortar=30000", "999"},
      {"/_fallas/otro-tamano=5000", "999"},
      {"/_fallas/dos-longitudes", "999"},
  };
  for (const auto& [falla, codigo] : casos) {
    descarga.Fichero(En("cien.bin"));
    descarga.URL(Url(falla + "/archivos/cien.bin"));
    descarga.BytesEsperados = 100000;
    descarga.Descargar(1);
    EXPECT_TRUE(descarga.HuboError()) << falla;
    EXPECT_EQ(descarga.StatusCode(), codigo) << falla;
    EXPECT_EQ(maquina.Leer(En("cien.bin")), "copia anterior") << falla;
    EXPECT_TRUE(Temporales().empty()) << falla;
  }
  for (const std::string falla : {"/_fallas/sin-longitud", "/_fallas/continuar"}) {
    descarga.URL(Url(falla + "/archivos/cien.bin"));
    descarga.Descargar(1);
    EXPECT_FALSE(descarga.HuboError()) << falla << " " << descarga.StatusCode();
    EXPECT_TRUE(maquina.Leer(En("cien.bin")) == Contenido(100000)) << falla;
    maquina.Escribir(En("cien.bin"), "copia anterior");
  }
}

TEST_F(netDownloadTest, UnServidorCalladoNoDetieneLaVentana) {
  // 40 bytes sent 10 at a time, 50 ms apart: the window keeps its turns while nothing arrives.
  maquina.Poner("archivos/lento.bin", Contenido(40));
  descarga.Fichero(En("lento.bin"));
  descarga.URL(Url("/_fallas/lento=200/archivos/lento.bin"));
  descarga.Descargar(1);
  ASSERT_FALSE(descarga.HuboError());
  EXPECT_GE(eventos.veces, 10);  // a turn every few milliseconds, not only per block
  // The user closes the window during such a pause: the program ends there, and what came stays
  // under a temporary name: the file's partial body from a server that resumes, else a temporary
  // file for the next run's clean-up.
  int turnos = 0;
  eventos.alCeder = [&] {
    if (++turnos == 8) throw falsos::ProgramaTerminado();
  };
  descarga.Fichero(En("otro.bin"));
  EXPECT_THROW(descarga.Descargar(1), falsos::ProgramaTerminado);
  EXPECT_TRUE(Temporales().empty());
  EXPECT_TRUE(archivos.ExisteArchivo(En("otro.bin.EVLparcial")));
  EXPECT_FALSE(archivos.ExisteArchivo(En("otro.bin")));
  turnos = 0;
  descarga.Fichero(En("tercero.bin"));
  descarga.URL(Url("/_fallas/lento=200,sin-rangos/archivos/lento.bin"));
  EXPECT_THROW(descarga.Descargar(1), falsos::ProgramaTerminado);
  EXPECT_EQ(Temporales().size(), 1u);
  EXPECT_FALSE(archivos.ExisteArchivo(En("tercero.bin.EVLparcial")));
  EXPECT_FALSE(archivos.ExisteArchivo(En("tercero.bin")));
}

TEST_F(netDownloadTest, AnalisisDeLaUrl) {
  descarga.URL("ftp://127.0.0.1/a");
  EXPECT_TRUE(descarga.HuboError());
  EXPECT_EQ(descarga.StatusCode(), "001");
  EXPECT_EQ(descarga.StatusText(), "URL incorrecta.");
  descarga.Descargar(1);
  EXPECT_TRUE(maquina.Pedidos().empty());  // no connection made
  // Without a scheme it is http; the host ends at the first "/", the port in it is used.
  descarga.URL("127.0.0.1:" + std::to_string(maquina.PuertoHttp()) + "/archivos/chico.txt?x=1");
  EXPECT_EQ(descarga.Puerto(), 80);
  descarga.Descargar(1);
  EXPECT_FALSE(descarga.HuboError()) << descarga.StatusCode();
  EXPECT_EQ(descarga.ContenidoDescargado(), "hola");
  // Nothing after the host, or a final "/": the server's root.
  descarga.URL(Url("/"));
  descarga.Descargar(1);
  descarga.URL(Url(""));
  descarga.Descargar(1);
  const auto pedidos = maquina.Pedidos();
  ASSERT_EQ(pedidos.size(), 3u);
  EXPECT_EQ(pedidos[0], "GET /archivos/chico.txt?x=1");
  EXPECT_EQ(pedidos[1], "GET /");
  EXPECT_EQ(pedidos[2], "GET /");
  descarga.Puerto(8080);
  EXPECT_EQ(descarga.Puerto(), 8080);
  descarga.Fichero("  C:\\Descargas\\x.bin  ");
  EXPECT_EQ(descarga.Fichero(), "C:\\Descargas\\x.bin");
}

TEST_F(netDownloadTest, EstadoQueNoEs2xx) {
  descarga.Fichero(En("falta.bin"));
  descarga.URL(Url("/archivos/no-existe.bin"));
  descarga.Descargar(1);
  EXPECT_TRUE(descarga.HuboError());
  EXPECT_EQ(descarga.StatusCode(), "404");
  EXPECT_EQ(descarga.StatusText(), "Not Found");
  EXPECT_FALSE(archivos.ExisteArchivo(En("falta.bin")));
  EXPECT_TRUE(Temporales().empty());
  EXPECT_TRUE(recibidos.empty());
}

TEST_F(netDownloadTest, CuerpoCortadoNoTocaLaCopiaAnterior) {
  maquina.Escribir(En("mega.bin"), "copia anterior");
  descarga.Fichero(En("mega.bin"));
  descarga.URL(Url("/_fallas/cortar=300000/archivos/mega.bin"));
  descarga.Descargar(1);
  EXPECT_TRUE(descarga.HuboError());
  EXPECT_EQ(descarga.StatusCode(), "999");
  EXPECT_EQ(descarga.StatusText(), "Ha ocurrido un error durante la descarga.");
  EXPECT_EQ(maquina.Leer(En("mega.bin")), "copia anterior");
  EXPECT_TRUE(Temporales().empty());
}

TEST_F(netDownloadTest, LoQueSobraDeLaLongitudAnunciadaNoSeEscribe) {
  descarga.Fichero(En("chico.txt"));
  descarga.URL(Url("/_fallas/de-mas=100000/archivos/chico.txt"));
  descarga.BytesBloqueDescarga = 4;
  descarga.Descargar(1);
  // The transfer ends at the announced length: the disk never receives what the server adds.
  EXPECT_FALSE(descarga.HuboError()) << descarga.StatusCode();
  EXPECT_EQ(maquina.Leer(En("chico.txt")), "hola");
  EXPECT_TRUE(Temporales().empty());
}

TEST_F(netDownloadTest, SinLongitudAnunciada) {
  descarga.Fichero(En("mega.bin"));
  descarga.URL(Url("/_fallas/sin-longitud/archivos/mega.bin"));
  descarga.BytesBloqueDescarga = 65536;
  descarga.Descargar(1);
  ASSERT_FALSE(descarga.HuboError()) << descarga.StatusCode();
  ASSERT_EQ(recibidos.size(), 16u);
  for (const auto& e : recibidos) {
    EXPECT_EQ(e.BytesTotales, -1);
    EXPECT_EQ(e.Porcentaje, 0);
    EXPECT_EQ(e.SegundosRestantes, 0);
  }
  EXPECT_EQ(archivos.Tamano(En("mega.bin")), 1 << 20);
}

TEST_F(netDownloadTest, CuerpoVacioSinEventos) {
  descarga.Fichero(En("vacio.bin"));
  descarga.URL(Url("/archivos/vacio.bin"));
  descarga.Descargar(1);
  EXPECT_FALSE(descarga.HuboError());
  EXPECT_TRUE(recibidos.empty());
  EXPECT_EQ(archivos.Tamano(En("vacio.bin")), 0);
}

TEST_F(netDownloadTest, CancelarDesdeElManejador) {
  cancelarEn = 10;
  descarga.Fichero(En("mega.bin"));
  descarga.URL(Url("/archivos/mega.bin"));
  descarga.Descargar(1);
  EXPECT_TRUE(descarga.HuboError());
  EXPECT_EQ(descarga.StatusCode(), "998");
  EXPECT_EQ(descarga.StatusText(), "Descarga cancelada por el usuario.");
  EXPECT_EQ(recibidos.size(), 10u);  // stopped before the next block
  EXPECT_FALSE(archivos.ExisteArchivo(En("mega.bin")));
  EXPECT_TRUE(Temporales().empty());
}

// One transfer under many downloads (as for a whole list): what stopped, failed or was cut
// leaves nothing behind for the next one, and each keeps its own user and length.
TEST_F(netDownloadTest, UnaTransferenciaParaMuchasDescargas) {
  const auto compartido = maquina.RedDeLaMaquina().NuevoTransporte();
  auto nueva = [&](const std::string& fichero, const std::string& ruta) {
    auto d = std::make_unique<netDownload>(archivos, reloj, eventos, *compartido);
    d->Progreso = descarga.Progreso;
    d->Fichero(fichero);
    d->URL(Url(ruta));
    return d;
  };
  cancelarEn = 10;
  auto cancelada = nueva(En("mega.bin"), "/archivos/mega.bin");
  cancelada->Descargar(1);
  EXPECT_EQ(cancelada->StatusCode(), "998");
  cancelarEn = 0;
  auto cortada = nueva(En("mega.bin"), "/_fallas/cortar=300000/archivos/mega.bin");
  cortada->Descargar(1);
  EXPECT_EQ(cortada->StatusCode(), "999");
  auto falta = nueva(En("falta.bin"), "/archivos/no-existe.bin");
  falta->USUARIO = "alumno";
  falta->Password = "clave";
  falta->Descargar(1);
  EXPECT_EQ(falta->StatusCode(), "404");
  auto entera = nueva(En("mega.bin"), "/archivos/mega.bin");
  entera->BytesEsperados = 1 << 20;
  recibidos.clear();
  entera->Descargar(1);
  ASSERT_FALSE(entera->HuboError()) << entera->StatusCode();
  EXPECT_TRUE(maquina.Leer(En("mega.bin")) == Contenido(1 << 20));
  EXPECT_EQ(recibidos.size(), 2048u);
  auto chica = nueva(En("chico.txt"), "/archivos/chico.txt");
  chica->Descargar(1);
  EXPECT_FALSE(chica->HuboError());
  EXPECT_EQ(maquina.Leer(En("chico.txt")), "hola");
  EXPECT_TRUE(Temporales().empty());
  EXPECT_EQ(maquina.Pedidos().size(), 5u);
}

// The same object for file after file (as for a list): what a stopped or cut transfer had gathered
// for the disk never reaches the next file.
TEST_F(netDownloadTest, UnaDescargaParaMuchosArchivos) {
  auto bajar = [&](const std::string& fichero, const std::string& ruta) {
    descarga.Fichero(fichero);
    descarga.URL(Url(ruta));
    descarga.Descargar(1);
  };
  cancelarEn = 10;  // 5,120 bytes gathered, none written yet
  bajar(En("mega.bin"), "/archivos/mega.bin");
  EXPECT_EQ(descarga.StatusCode(), "998");
  cancelarEn = 0;
  bajar(En("chico.txt"), "/archivos/chico.txt");
  ASSERT_FALSE(descarga.HuboError()) << descarga.StatusCode();
  EXPECT_EQ(maquina.Leer(En("chico.txt")), "hola");
  bajar(En("mega.bin"), "/_fallas/cortar=300000/archivos/mega.bin");
  EXPECT_EQ(descarga.StatusCode(), "999");
  bajar(En("otro.txt"), "/archivos/chico.txt");
  EXPECT_EQ(maquina.Leer(En("otro.txt")), "hola");
  bajar(En("mega.bin"), "/archivos/mega.bin");
  ASSERT_FALSE(descarga.HuboError()) << descarga.StatusCode();
  EXPECT_TRUE(maquina.Leer(En("mega.bin")) == Contenido(1 << 20));
  bajar(En("vacio.bin"), "/archivos/vacio.bin");
  ASSERT_FALSE(descarga.HuboError()) << descarga.StatusCode();
  EXPECT_EQ(maquina.Leer(En("vacio.bin")), "");
  EXPECT_TRUE(Temporales().empty());
}

TEST_F(netDownloadTest, SinQueAvanceElRelojNoHayEventos) {
  eventos.alCeder = nullptr;
  descarga.Fichero(En("chico.txt"));
  descarga.URL(Url("/archivos/chico.txt"));
  descarga.BytesBloqueDescarga = 1;
  descarga.Descargar(1);
  EXPECT_FALSE(descarga.HuboError());
  EXPECT_TRUE(recibidos.empty());
  EXPECT_EQ(maquina.Leer(En("chico.txt")), "hola");
}

TEST_F(netDownloadTest, SoloCabeceras) {
  descarga.QContentType = descarga.QServer = descarga.QVersion = descarga.QRawHeaders = descarga.QRawHeadersCrLf =
      descarga.QRequestMethod = true;
  descarga.Fichero(En("mega.bin"));
  descarga.URL(Url("/archivos/mega.bin"));
  descarga.Descargar(0);
  EXPECT_FALSE(descarga.HuboError());
  EXPECT_EQ(descarga.StatusCode(), "200");
  EXPECT_EQ(descarga.QContentTypeStr, "application/octet-stream");
  EXPECT_EQ(descarga.QServerStr, "evalora-servidor-dev");
  EXPECT_EQ(descarga.QVersionStr, "HTTP/1.0");
  EXPECT_EQ(descarga.QRawHeadersStr, "HTTP/1.0 200 OK");
  EXPECT_EQ(descarga.QRawHeadersCrLfStr.rfind("HTTP/1.0 200 OK\r\nServer: evalora-servidor-dev\r\n", 0), 0u);
  EXPECT_EQ(descarga.QRawHeadersCrLfStr.substr(descarga.QRawHeadersCrLfStr.size() - 4), "\r\n\r\n");
  EXPECT_EQ(descarga.QRequestMethodStr, "GET");
  EXPECT_FALSE(archivos.ExisteArchivo(En("mega.bin")));
  EXPECT_TRUE(Temporales().empty());
  EXPECT_TRUE(recibidos.empty());
}

TEST_F(netDownloadTest, ServidorInalcanzable) {
  maquina.DetenerServidor();
  descarga.URL(Url("/archivos/chico.txt"));
  descarga.Descargar(1);
  EXPECT_TRUE(descarga.HuboError());
  EXPECT_EQ(descarga.StatusCode(), "005");
  EXPECT_EQ(descarga.StatusText(), "Error en InternetSendRequest.");
}

TEST_F(netDownloadTest, UnContinuarNoSolicitadoSeSalta) {
  descarga.Fichero(En("chico.txt"));
  descarga.URL(Url("/_fallas/continuar/archivos/chico.txt"));
  descarga.Descargar(1);
  ASSERT_FALSE(descarga.HuboError()) << descarga.StatusCode() << " " << descarga.StatusText();
  EXPECT_EQ(descarga.StatusCode(), "200");
  EXPECT_EQ(maquina.Leer(En("chico.txt")), "hola");
}

TEST_F(netDownloadTest, UnServidorQueNoContestaCuestaTreintaSegundos) {
  // Each turn of the window lets a second pass: the silent server is given up after 30 of them.
  eventos.alCeder = [this] { reloj.Avanzar(1000); };
  descarga.Fichero(En("chico.txt"));
  descarga.URL(Url("/_fallas/callar/archivos/chico.txt"));
  const uint32_t inicio = reloj.Milisegundos();
  descarga.Descargar(1);
  EXPECT_TRUE(descarga.HuboError());
  EXPECT_GT(reloj.Milisegundos() - inicio, 30000u);
  EXPECT_LE(reloj.Milisegundos() - inicio, 33000u);
  EXPECT_FALSE(archivos.ExisteArchivo(En("chico.txt")));
}

TEST_F(netDownloadTest, SoloUnCuerpoDelTamanoEsperadoTomaElNombre) {
  descarga.Fichero(En("chico.txt"));
  descarga.URL(Url("/archivos/chico.txt"));
  descarga.BytesEsperados = 5;  // the catalogue says another size
  descarga.Descargar(1);
  EXPECT_TRUE(descarga.HuboError());
  EXPECT_EQ(descarga.StatusCode(), "999");
  EXPECT_FALSE(archivos.ExisteArchivo(En("chico.txt")));
  EXPECT_TRUE(Temporales().empty());
  descarga.BytesEsperados = 4;
  descarga.Descargar(1);
  EXPECT_FALSE(descarga.HuboError());
  EXPECT_EQ(maquina.Leer(En("chico.txt")), "hola");
}

// The build's file system, except that no file opens for writing (a disk that refuses it, an
// antivirus that keeps it).
class ArchivosQueNoAbren : public SistemaDeArchivos {
 public:
  explicit ArchivosQueNoAbren(SistemaDeArchivos& real) : r_(real) {}
  std::optional<fs::path> RutaAnfitrion(const std::string& ruta) const override { return r_.RutaAnfitrion(ruta); }
  bool ExisteArchivo(const std::string& ruta) const override { return r_.ExisteArchivo(ruta); }
  bool ExisteCarpeta(const std::string& ruta) const override { return r_.ExisteCarpeta(ruta); }
  bool CrearCarpeta(const std::string& ruta) override { return r_.CrearCarpeta(ruta); }
  bool CopiarArchivo(const std::string& de, const std::string& a, bool sobrescribir) override {
    return r_.CopiarArchivo(de, a, sobrescribir);
  }
  bool BorrarArchivo(const std::string& ruta, bool forzar) override { return r_.BorrarArchivo(ruta, forzar); }
  bool BorrarCarpeta(const std::string& ruta, bool forzar) override { return r_.BorrarCarpeta(ruta, forzar); }
  bool Renombrar(const std::string& de, const std::string& a, bool reemplazar) override {
    return r_.Renombrar(de, a, reemplazar);
  }
  std::vector<std::string> ListarArchivos(const std::string& c) const override { return r_.ListarArchivos(c); }
  std::vector<std::string> ListarSubcarpetas(const std::string& c) const override { return r_.ListarSubcarpetas(c); }
  std::optional<int64_t> Tamano(const std::string& ruta) const override { return r_.Tamano(ruta); }
  std::optional<uint32_t> LeerAtributos(const std::string& ruta) const override { return r_.LeerAtributos(ruta); }
  bool EstablecerAtributos(const std::string& ruta, uint32_t a) override { return r_.EstablecerAtributos(ruta, a); }
  std::optional<std::string> CrearArchivoTemporal(const std::string& c) override { return r_.CrearArchivoTemporal(c); }
  std::unique_ptr<EscrituraDeArchivo> AbrirParaEscribir(const std::string&) override { return nullptr; }
  std::unique_ptr<EscrituraDeArchivo> AbrirParaContinuar(const std::string&, int64_t) override { return nullptr; }
  std::optional<std::string> LeerArchivo(const std::string& ruta, size_t maximo) const override {
    return r_.LeerArchivo(ruta, maximo);
  }
  bool ArchivoLibre(const std::string& ruta) const override { return r_.ArchivoLibre(ruta); }
  long UltimoError() const override { return r_.UltimoError(); }

 private:
  SistemaDeArchivos& r_;
};

// A temporary file that cannot be opened ends the transfer at the headers: no body is fetched to
// be thrown away, and the temporary name goes.
TEST_F(netDownloadTest, UnTemporalQueNoAbreDetieneLaTransferencia) {
  ArchivosQueNoAbren sinEscritura(archivos);
  netDownload d(sinEscritura, reloj, eventos, *transporte);
  d.Progreso = descarga.Progreso;
  d.Fichero(En("mega.bin"));
  d.URL(Url("/archivos/mega.bin"));
  d.Descargar(1);
  EXPECT_TRUE(d.HuboError());
  EXPECT_EQ(d.StatusCode(), "999");
  EXPECT_TRUE(recibidos.empty());
  EXPECT_FALSE(archivos.ExisteArchivo(En("mega.bin")));
  EXPECT_TRUE(Temporales().empty());
}

// Cancels and silent servers one after the other on one transfer: each file that arrives holds
// exactly its own bytes, never some of a transfer that was given up.
TEST_F(netDownloadTest, CancelacionesYSilenciosSeguidosNoMezclanBytes) {
  maquina.Poner("archivos/uno.bin", Contenido(300000));
  std::string otro = Contenido(200000);
  std::reverse(otro.begin(), otro.end());
  maquina.Poner("archivos/otro.bin", otro);
  for (int vuelta = 0; vuelta < 4; ++vuelta) {
    recibidos.clear();
    cancelarEn = 3;
    descarga.Fichero(En("uno.bin"));
    descarga.URL(Url("/archivos/uno.bin"));
    descarga.Descargar(1);
    EXPECT_EQ(descarga.StatusCode(), "998");
    cancelarEn = 0;
    // A server that sends nothing: given up after 30 s of the run's time.
    eventos.alCeder = [this] { reloj.Avanzar(1000); };
    descarga.Fichero(En("callado.bin"));
    descarga.URL(Url("/_fallas/callar/archivos/chico.txt"));
    descarga.Descargar(1);
    EXPECT_TRUE(descarga.HuboError());
    eventos.alCeder = [this] { reloj.Avanzar(1); };
    descarga.Fichero(En("otro.bin"));
    descarga.URL(Url("/archivos/otro.bin"));
    descarga.BytesEsperados = 200000;
    descarga.Descargar(1);
    descarga.BytesEsperados.reset();
    ASSERT_FALSE(descarga.HuboError()) << vuelta << " " << descarga.StatusCode();
    EXPECT_TRUE(maquina.Leer(En("otro.bin")) == otro) << vuelta;
    EXPECT_FALSE(archivos.ExisteArchivo(En("uno.bin")));
    EXPECT_FALSE(archivos.ExisteArchivo(En("callado.bin")));
  }
  EXPECT_TRUE(Temporales().empty());
}

// What a transfer tells, kept whole.
class ReceptorQueJunta : public ReceptorHttp {
 public:
  bool Cabeceras(const RespuestaHttp& r) override {
    respuesta = r;
    return true;
  }
  bool Datos(const char* datos, size_t cuantos) override {
    cuerpo.append(datos, cuantos);
    return true;
  }
  bool Esperando() override { return true; }
  std::string Cabecera(const std::string& nombre) const {
    for (const auto& linea : respuesta.cabeceras) {
      if (linea.rfind(nombre + ": ", 0) == 0) return linea.substr(nombre.size() + 2);
    }
    return "";
  }
  RespuestaHttp respuesta;
  std::string cuerpo;
};

// The build's transfer asks for the rest of a file from a byte under the validator of the part
// held; a validator of another version gets the whole file.
TEST_F(netDownloadTest, ElTransportePideElRestoDesdeUnByte) {
  PeticionHttp peticion;
  peticion.host = "127.0.0.1";
  peticion.esquema = "http";
  peticion.puerto = maquina.PuertoHttp();
  peticion.ruta = "/archivos/mega.bin";
  ReceptorQueJunta entero;
  ASSERT_EQ(transporte->Transferir(peticion, entero), FinDelTransporte::kCompleto);
  const std::string etiqueta = entero.Cabecera("ETag");
  ASSERT_FALSE(etiqueta.empty());
  EXPECT_EQ(entero.Cabecera("Accept-Ranges"), "bytes");

  peticion.desde = 600000;
  peticion.siRango = etiqueta;
  ReceptorQueJunta resto;
  ASSERT_EQ(transporte->Transferir(peticion, resto), FinDelTransporte::kCompleto);
  EXPECT_EQ(resto.respuesta.estado, 206);
  EXPECT_EQ(resto.Cabecera("Content-Range"), "bytes 600000-1048575/1048576");
  EXPECT_TRUE(resto.cuerpo == Contenido(1 << 20).substr(600000));

  peticion.siRango = "\"otra-version\"";
  ReceptorQueJunta otra;
  ASSERT_EQ(transporte->Transferir(peticion, otra), FinDelTransporte::kCompleto);
  EXPECT_EQ(otra.respuesta.estado, 200);
  EXPECT_TRUE(otra.cuerpo == Contenido(1 << 20));

  // The next transfer asks no range again.
  peticion.desde.reset();
  peticion.siRango.clear();
  ReceptorQueJunta sinRango;
  ASSERT_EQ(transporte->Transferir(peticion, sinRango), FinDelTransporte::kCompleto);
  EXPECT_EQ(sinRango.respuesta.estado, 200);
  EXPECT_EQ(sinRango.cuerpo.size(), 1u << 20);
}

}  // namespace
}  // namespace evalora

// netDownload with the real libcurl against the development server's HTTP half on loopback.
#include "download/netDownload.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "apoyo/ConexionCruda.h"
#include "apoyo/DescargasEnMarcha.h"
#include "apoyo/PrefijoTemporal.h"
#include "http/ServidorHttp.h"
#include "platform/TransporteHttp.h"
#include "platform/fakes/Falsos.h"
#include "platform/linux/SistemaDeArchivosPrefijo.h"

namespace evalora {
namespace {

namespace fs = std::filesystem;

std::string Contenido(size_t n) {
  std::string s(n, '\0');
  for (size_t i = 0; i < n; ++i) s[i] = static_cast<char>((i * 31 + 7) & 0xFF);
  return s;
}

class netDownloadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    servidor.Poner("archivos/mega.bin", Contenido(1 << 20));
    servidor.Poner("archivos/vacio.bin", "");
    servidor.Poner("archivos/chico.txt", "hola");
    fs::create_directories(prefijo.DriveC() / "Descargas");
    // Each yield lets a millisecond pass, as the window's loop would.
    eventos.alCeder = [this] { reloj.Avanzar(1); };
    descarga.Progreso = [this](const EventoProgreso& e, bool& cancelar) {
      recibidos.push_back(e);
      if (cancelarEn && recibidos.size() == cancelarEn) cancelar = true;
    };
  }
  std::string Url(const std::string& ruta) { return servidor.Url(ruta); }
  std::vector<std::string> Temporales() {
    std::vector<std::string> t;
    for (const auto& n : archivos.ListarArchivos("C:\\Descargas")) {
      if (n.rfind("EVL", 0) == 0) t.push_back(n);
    }
    return t;
  }

  pruebas::DescargasEnMarcha servidor;
  pruebas::PrefijoTemporal prefijo;
  SistemaDeArchivosPrefijo archivos{prefijo.Raiz()};
  falsos::RelojVirtual reloj;
  falsos::BucleContado eventos;
  netDownload descarga{archivos, reloj, eventos};
  std::vector<EventoProgreso> recibidos;
  size_t cancelarEn = 0;
};

TEST_F(netDownloadTest, UnMegaEnBloquesDe512) {
  descarga.Fichero("C:\\Descargas\\mega.bin");
  descarga.URL(Url("/archivos/mega.bin"));
  descarga.Descargar(1);
  ASSERT_FALSE(descarga.HuboError()) << descarga.StatusCode() << " " << descarga.StatusText();
  EXPECT_EQ(descarga.StatusCode(), "200");
  EXPECT_EQ(descarga.StatusText(), "OK");
  EXPECT_EQ(prefijo.Leer("drive_c/Descargas/mega.bin"), Contenido(1 << 20));
  ASSERT_EQ(recibidos.size(), 2048u);  // one event per block
  EXPECT_EQ(recibidos.front().BytesTotales, 1 << 20);
  EXPECT_EQ(recibidos.front().BytesRecibidos, 512);
  EXPECT_DOUBLE_EQ(recibidos[1023].Porcentaje, 50.0);
  EXPECT_DOUBLE_EQ(recibidos.back().Porcentaje, 100.0);
  EXPECT_EQ(recibidos.back().SegundosRestantes, 0);
  EXPECT_TRUE(Temporales().empty());
  EXPECT_EQ(descarga.QContentLengthStr, std::to_string(1 << 20));
}

TEST_F(netDownloadTest, UnServidorCalladoNoDetieneLaVentana) {
  // 40 bytes sent 10 at a time, 50 ms apart: the window keeps its turns while nothing arrives.
  servidor.Poner("archivos/lento.bin", Contenido(40));
  descarga.Fichero("C:\\Descargas\\lento.bin");
  descarga.URL(Url("/_fallas/lento=200/archivos/lento.bin"));
  descarga.Descargar(1);
  ASSERT_FALSE(descarga.HuboError());
  EXPECT_GE(eventos.veces, 10);  // a turn every few milliseconds, not only per block
  // The user closes the window during such a pause: the program ends there, and the partial
  // file stays under its temporary name.
  int turnos = 0;
  eventos.alCeder = [&] {
    if (++turnos == 8) throw falsos::ProgramaTerminado();
  };
  descarga.Fichero("C:\\Descargas\\otro.bin");
  EXPECT_THROW(descarga.Descargar(1), falsos::ProgramaTerminado);
  EXPECT_EQ(Temporales().size(), 1u);
  EXPECT_FALSE(archivos.ExisteArchivo("C:\\Descargas\\otro.bin"));
}

TEST_F(netDownloadTest, AnalisisDeLaUrl) {
  descarga.URL("ftp://127.0.0.1/a");
  EXPECT_TRUE(descarga.HuboError());
  EXPECT_EQ(descarga.StatusCode(), "001");
  EXPECT_EQ(descarga.StatusText(), "URL incorrecta.");
  descarga.Descargar(1);
  EXPECT_TRUE(servidor.Pedidos().empty());  // no connection made
  // Without a scheme it is http; the host ends at the first "/", the port in it is used.
  descarga.URL("127.0.0.1:" + std::to_string(servidor.Puerto()) + "/archivos/chico.txt?x=1");
  EXPECT_EQ(descarga.Puerto(), 80);
  descarga.Descargar(1);
  EXPECT_FALSE(descarga.HuboError()) << descarga.StatusCode();
  EXPECT_EQ(descarga.ContenidoDescargado(), "hola");
  // Nothing after the host, or a final "/": the server's root.
  descarga.URL(Url("/"));
  descarga.Descargar(1);
  descarga.URL(Url(""));
  descarga.Descargar(1);
  const auto pedidos = servidor.Pedidos();
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
  descarga.Fichero("C:\\Descargas\\falta.bin");
  descarga.URL(Url("/archivos/no-existe.bin"));
  descarga.Descargar(1);
  EXPECT_TRUE(descarga.HuboError());
  EXPECT_EQ(descarga.StatusCode(), "404");
  EXPECT_EQ(descarga.StatusText(), "Not Found");
  EXPECT_FALSE(archivos.ExisteArchivo("C:\\Descargas\\falta.bin"));
  EXPECT_TRUE(Temporales().empty());
  EXPECT_TRUE(recibidos.empty());
}

TEST_F(netDownloadTest, CuerpoCortadoNoTocaLaCopiaAnterior) {
  prefijo.Escribir("drive_c/Descargas/mega.bin", "copia anterior");
  descarga.Fichero("C:\\Descargas\\mega.bin");
  descarga.URL(Url("/_fallas/cortar=300000/archivos/mega.bin"));
  descarga.Descargar(1);
  EXPECT_TRUE(descarga.HuboError());
  EXPECT_EQ(descarga.StatusCode(), "999");
  EXPECT_EQ(descarga.StatusText(), "Ha ocurrido un error durante la descarga.");
  EXPECT_EQ(prefijo.Leer("drive_c/Descargas/mega.bin"), "copia anterior");
  EXPECT_TRUE(Temporales().empty());
}

TEST_F(netDownloadTest, LoQueSobraDeLaLongitudAnunciadaNoSeEscribe) {
  descarga.Fichero("C:\\Descargas\\chico.txt");
  descarga.URL(Url("/_fallas/de-mas=100000/archivos/chico.txt"));
  descarga.BytesBloqueDescarga = 4;
  descarga.Descargar(1);
  // The transfer ends at the announced length: the disk never receives what the server adds.
  EXPECT_FALSE(descarga.HuboError()) << descarga.StatusCode();
  EXPECT_EQ(prefijo.Leer("drive_c/Descargas/chico.txt"), "hola");
  EXPECT_TRUE(Temporales().empty());
}

TEST_F(netDownloadTest, SinLongitudAnunciada) {
  descarga.Fichero("C:\\Descargas\\mega.bin");
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
  EXPECT_EQ(archivos.Tamano("C:\\Descargas\\mega.bin"), 1 << 20);
}

TEST_F(netDownloadTest, CuerpoVacioSinEventos) {
  descarga.Fichero("C:\\Descargas\\vacio.bin");
  descarga.URL(Url("/archivos/vacio.bin"));
  descarga.Descargar(1);
  EXPECT_FALSE(descarga.HuboError());
  EXPECT_TRUE(recibidos.empty());
  EXPECT_EQ(archivos.Tamano("C:\\Descargas\\vacio.bin"), 0);
}

TEST_F(netDownloadTest, CancelarDesdeElManejador) {
  cancelarEn = 10;
  descarga.Fichero("C:\\Descargas\\mega.bin");
  descarga.URL(Url("/archivos/mega.bin"));
  descarga.Descargar(1);
  EXPECT_TRUE(descarga.HuboError());
  EXPECT_EQ(descarga.StatusCode(), "998");
  EXPECT_EQ(descarga.StatusText(), "Descarga cancelada por el usuario.");
  EXPECT_EQ(recibidos.size(), 10u);  // stopped before the next block
  EXPECT_FALSE(archivos.ExisteArchivo("C:\\Descargas\\mega.bin"));
  EXPECT_TRUE(Temporales().empty());
}

// One transfer under many downloads (as for a whole list): what stopped, failed or was cut
// leaves nothing behind for the next one, and each keeps its own user and length.
TEST_F(netDownloadTest, UnaTransferenciaParaMuchasDescargas) {
  const auto transporte = NuevoTransporteHttp();
  auto nueva = [&](const std::string& fichero, const std::string& ruta) {
    auto d = std::make_unique<netDownload>(archivos, reloj, eventos, *transporte);
    d->Progreso = descarga.Progreso;
    d->Fichero(fichero);
    d->URL(Url(ruta));
    return d;
  };
  cancelarEn = 10;
  auto cancelada = nueva("C:\\Descargas\\mega.bin", "/archivos/mega.bin");
  cancelada->Descargar(1);
  EXPECT_EQ(cancelada->StatusCode(), "998");
  cancelarEn = 0;
  auto cortada = nueva("C:\\Descargas\\mega.bin", "/_fallas/cortar=300000/archivos/mega.bin");
  cortada->Descargar(1);
  EXPECT_EQ(cortada->StatusCode(), "999");
  auto falta = nueva("C:\\Descargas\\falta.bin", "/archivos/no-existe.bin");
  falta->USUARIO = "alumno";
  falta->Password = "clave";
  falta->Descargar(1);
  EXPECT_EQ(falta->StatusCode(), "404");
  auto entera = nueva("C:\\Descargas\\mega.bin", "/archivos/mega.bin");
  entera->BytesEsperados = 1 << 20;
  recibidos.clear();
  entera->Descargar(1);
  ASSERT_FALSE(entera->HuboError()) << entera->StatusCode();
  EXPECT_EQ(prefijo.Leer("drive_c/Descargas/mega.bin"), Contenido(1 << 20));
  EXPECT_EQ(recibidos.size(), 2048u);
  auto chica = nueva("C:\\Descargas\\chico.txt", "/archivos/chico.txt");
  chica->Descargar(1);
  EXPECT_FALSE(chica->HuboError());
  EXPECT_EQ(prefijo.Leer("drive_c/Descargas/chico.txt"), "hola");
  EXPECT_TRUE(Temporales().empty());
  EXPECT_EQ(servidor.Pedidos().size(), 5u);
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
  bajar("C:\\Descargas\\mega.bin", "/archivos/mega.bin");
  EXPECT_EQ(descarga.StatusCode(), "998");
  cancelarEn = 0;
  bajar("C:\\Descargas\\chico.txt", "/archivos/chico.txt");
  ASSERT_FALSE(descarga.HuboError()) << descarga.StatusCode();
  EXPECT_EQ(prefijo.Leer("drive_c/Descargas/chico.txt"), "hola");
  bajar("C:\\Descargas\\mega.bin", "/_fallas/cortar=300000/archivos/mega.bin");
  EXPECT_EQ(descarga.StatusCode(), "999");
  bajar("C:\\Descargas\\otro.txt", "/archivos/chico.txt");
  EXPECT_EQ(prefijo.Leer("drive_c/Descargas/otro.txt"), "hola");
  bajar("C:\\Descargas\\mega.bin", "/archivos/mega.bin");
  ASSERT_FALSE(descarga.HuboError()) << descarga.StatusCode();
  EXPECT_EQ(prefijo.Leer("drive_c/Descargas/mega.bin"), Contenido(1 << 20));
  bajar("C:\\Descargas\\vacio.bin", "/archivos/vacio.bin");
  ASSERT_FALSE(descarga.HuboError()) << descarga.StatusCode();
  EXPECT_EQ(prefijo.Leer("drive_c/Descargas/vacio.bin"), "");
  EXPECT_TRUE(Temporales().empty());
}

TEST_F(netDownloadTest, SinQueAvanceElRelojNoHayEventos) {
  eventos.alCeder = nullptr;
  descarga.Fichero("C:\\Descargas\\chico.txt");
  descarga.URL(Url("/archivos/chico.txt"));
  descarga.BytesBloqueDescarga = 1;
  descarga.Descargar(1);
  EXPECT_FALSE(descarga.HuboError());
  EXPECT_TRUE(recibidos.empty());
  EXPECT_EQ(prefijo.Leer("drive_c/Descargas/chico.txt"), "hola");
}

TEST_F(netDownloadTest, SoloCabeceras) {
  descarga.QContentType = descarga.QServer = descarga.QVersion = descarga.QRawHeaders = descarga.QRawHeadersCrLf =
      descarga.QRequestMethod = true;
  descarga.Fichero("C:\\Descargas\\mega.bin");
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
  EXPECT_FALSE(archivos.ExisteArchivo("C:\\Descargas\\mega.bin"));
  EXPECT_TRUE(Temporales().empty());
  EXPECT_TRUE(recibidos.empty());
}

TEST_F(netDownloadTest, ServidorInalcanzable) {
  servidor.Detener();
  descarga.URL(Url("/archivos/chico.txt"));
  descarga.Descargar(1);
  EXPECT_TRUE(descarga.HuboError());
  EXPECT_EQ(descarga.StatusCode(), "005");
  EXPECT_EQ(descarga.StatusText(), "Error en InternetSendRequest.");
}

TEST_F(netDownloadTest, UnContinuarNoSolicitadoSeSalta) {
  descarga.Fichero("C:\\Descargas\\chico.txt");
  descarga.URL(Url("/_fallas/continuar/archivos/chico.txt"));
  descarga.Descargar(1);
  ASSERT_FALSE(descarga.HuboError()) << descarga.StatusCode() << " " << descarga.StatusText();
  EXPECT_EQ(descarga.StatusCode(), "200");
  EXPECT_EQ(prefijo.Leer("drive_c/Descargas/chico.txt"), "hola");
}

TEST_F(netDownloadTest, UnServidorQueNoContestaCuestaTreintaSegundos) {
  // Each turn of the window lets a second pass: the silent server is given up after 30 of them.
  eventos.alCeder = [this] { reloj.Avanzar(1000); };
  descarga.Fichero("C:\\Descargas\\chico.txt");
  descarga.URL(Url("/_fallas/callar/archivos/chico.txt"));
  const uint32_t inicio = reloj.Milisegundos();
  descarga.Descargar(1);
  EXPECT_TRUE(descarga.HuboError());
  EXPECT_GT(reloj.Milisegundos() - inicio, 30000u);
  EXPECT_LE(reloj.Milisegundos() - inicio, 33000u);
  EXPECT_FALSE(archivos.ExisteArchivo("C:\\Descargas\\chico.txt"));
}

TEST_F(netDownloadTest, SoloUnCuerpoDelTamanoEsperadoTomaElNombre) {
  descarga.Fichero("C:\\Descargas\\chico.txt");
  descarga.URL(Url("/archivos/chico.txt"));
  descarga.BytesEsperados = 5;  // the catalogue says another size
  descarga.Descargar(1);
  EXPECT_TRUE(descarga.HuboError());
  EXPECT_EQ(descarga.StatusCode(), "999");
  EXPECT_FALSE(archivos.ExisteArchivo("C:\\Descargas\\chico.txt"));
  EXPECT_TRUE(Temporales().empty());
  descarga.BytesEsperados = 4;
  descarga.Descargar(1);
  EXPECT_FALSE(descarga.HuboError());
  EXPECT_EQ(prefijo.Leer("drive_c/Descargas/chico.txt"), "hola");
}

TEST_F(netDownloadTest, UnDiscoLlenoNoDaUnArchivoIncompleto) {
  const fs::path lleno = prefijo.DriveC() / "Lleno";
  fs::create_directories(lleno);
  if (::geteuid() != 0 || std::system(("mount -t tmpfs -o size=1m tmpfs '" + lleno.string() + "' 2>/dev/null").c_str()) != 0) {
    GTEST_SKIP() << "Sin permiso para montar un tmpfs pequeño (hace falta root): no se prueba el disco lleno.";
  }
  struct Desmontar {
    fs::path carpeta;
    ~Desmontar() { std::system(("umount '" + carpeta.string() + "'").c_str()); }
  } desmontar{lleno};
  prefijo.Escribir("drive_c/Lleno/viejo.bin", std::string(600 * 1024, 'v'));  // a complete earlier copy
  servidor.Poner("archivos/grande.bin", Contenido(3 << 20));
  descarga.Fichero("C:\\Lleno\\viejo.bin");
  descarga.URL(Url("/archivos/grande.bin"));
  descarga.Descargar(1);
  EXPECT_TRUE(descarga.HuboError());
  EXPECT_EQ(prefijo.Leer("drive_c/Lleno/viejo.bin"), std::string(600 * 1024, 'v'));
  std::vector<std::string> temporales;
  for (const auto& n : archivos.ListarArchivos("C:\\Lleno")) temporales.push_back(n);
  EXPECT_EQ(temporales, std::vector<std::string>{"viejo.bin"});
}

TEST_F(netDownloadTest, ElServidorNoSirveUnaCarpetaVecina) {
  // A folder beside the content whose name starts with the content folder's.
  const fs::path vecina = servidor.Carpeta().string() + "-privado";
  fs::create_directories(vecina);
  { std::ofstream(vecina / "secreto.txt") << "secreto"; }
  const std::string nombre = servidor.Carpeta().filename().string();
  const int fd = pruebas::ConectarCrudo(servidor.Puerto());
  ASSERT_GE(fd, 0);
  const std::string pedido = "GET ../" + nombre + "-privado/secreto.txt HTTP/1.0\r\n\r\n";
  ASSERT_EQ(::send(fd, pedido.data(), pedido.size(), MSG_NOSIGNAL), static_cast<ssize_t>(pedido.size()));
  std::string respuesta;
  char bloque[512];
  for (ssize_t n; (n = ::recv(fd, bloque, sizeof bloque, 0)) > 0;) respuesta.append(bloque, static_cast<size_t>(n));
  ::close(fd);
  fs::remove_all(vecina);
  EXPECT_EQ(respuesta.find("secreto"), std::string::npos) << respuesta;
  EXPECT_EQ(respuesta.rfind("HTTP/1.0 404", 0), 0u) << respuesta;
}

TEST(Fallas, FormasDeLaUrl) {
  auto f = servidor::LeerFallas("/_fallas/estado=503,cortar=10,sin-longitud,lento=100,de-mas=5,fallar-primeras=2/a/b");
  ASSERT_TRUE(f);
  EXPECT_EQ(f->first.estado, 503);
  EXPECT_EQ(f->first.cortar, 10u);
  EXPECT_TRUE(f->first.sinLongitud);
  EXPECT_EQ(f->first.lento, 100u);
  EXPECT_EQ(f->first.deMas, 5u);
  EXPECT_EQ(f->first.fallarPrimeras, 2);
  EXPECT_EQ(f->second, "/a/b");
  EXPECT_EQ(servidor::LeerFallas("/a/b")->second, "/a/b");
  EXPECT_FALSE(servidor::LeerFallas("/_fallas/otra=1/a"));
  EXPECT_FALSE(servidor::LeerFallas("/_fallas/estado=abc/a"));
  EXPECT_FALSE(servidor::LeerFallas("/_fallas/estado=404"));
}

}  // namespace
}  // namespace evalora

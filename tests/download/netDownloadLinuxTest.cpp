// What of the downloads only the Linux build's machine can make real: a disk that fills up in the
// middle of a file (a small tmpfs mounted in the prefix; under Wine no folder of a drive is a
// separate small disk). The server's own refusals are its tests', not a transfer's.
#include "download/netDownload.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "apoyo/ConexionCruda.h"
#include "apoyo/MaquinaDePrueba.h"
#include "apoyo/DescargasEnMarcha.h"
#include "apoyo/PrefijoTemporal.h"
#include "http/ServidorHttp.h"
#include "platform/TransporteHttp.h"
#include "platform/fakes/Falsos.h"
#include "platform/linux/SistemaDeArchivosPrefijo.h"

namespace evalora {
namespace {

namespace fs = std::filesystem;

using pruebas::Contenido;

class netDownloadLinuxTest : public ::testing::Test {
 protected:
  std::string Url(const std::string& ruta) { return servidor.Url(ruta); }

  pruebas::DescargasEnMarcha servidor;
  pruebas::PrefijoTemporal prefijo;
  SistemaDeArchivosPrefijo archivos{prefijo.Raiz()};
  falsos::RelojVirtual reloj;
  falsos::BucleContado eventos;
  RedDelSistema red;
  std::unique_ptr<TransporteHttp> transporte = red.NuevoTransporte();
  netDownload descarga{archivos, reloj, eventos, *transporte};
};

TEST_F(netDownloadLinuxTest, UnDiscoLlenoNoDaUnArchivoIncompleto) {
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


TEST_F(netDownloadLinuxTest, ElServidorNoSirveUnaCarpetaVecina) {
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

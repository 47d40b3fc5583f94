// The development server's ranges and the faults that test a client's resume, asked over a plain
// connection as a client sends them.
#include <gtest/gtest.h>

#include <map>

#include "apoyo/ConexionCruda.h"
#include "apoyo/DescargasEnMarcha.h"
#include "http/ServidorHttp.h"

namespace evalora {
namespace {

struct Respuesta {
  std::string estado;  // the status line
  std::map<std::string, std::string> cabeceras;
  std::string cuerpo;
};

std::string Bytes(size_t n) {
  std::string s(n, '\0');
  for (size_t i = 0; i < n; ++i) s[i] = static_cast<char>((i * 7 + 3) & 0xFF);
  return s;
}

class RangosDelServidorTest : public ::testing::Test {
 protected:
  void SetUp() override { servidor.Poner("archivos/mil.bin", Bytes(1000)); }
  // A GET with the given header lines, read to the connection's end.
  Respuesta Pedir(const std::string& ruta, const std::string& lineas = "") {
    const int fd = pruebas::ConectarCrudo(servidor.Puerto());
    EXPECT_GE(fd, 0);
    const std::string pedido = "GET " + ruta + " HTTP/1.1\r\nHost: 127.0.0.1\r\n" + lineas + "\r\n";
    ::send(fd, pedido.data(), pedido.size(), MSG_NOSIGNAL);
    std::string todo;
    char bloque[4096];
    for (ssize_t n; (n = ::recv(fd, bloque, sizeof bloque, 0)) > 0;) todo.append(bloque, static_cast<size_t>(n));
    ::close(fd);
    Respuesta r;
    const auto fin = todo.find("\r\n\r\n");
    EXPECT_NE(fin, std::string::npos);
    const std::string cabeza = todo.substr(0, fin);
    r.cuerpo = todo.substr(fin + 4);
    size_t desde = 0;
    for (size_t corte; desde <= cabeza.size(); desde = corte + 2) {
      corte = cabeza.find("\r\n", desde);
      if (corte == std::string::npos) corte = cabeza.size();
      const std::string linea = cabeza.substr(desde, corte - desde);
      if (r.estado.empty()) {
        r.estado = linea;
      } else if (const auto dos = linea.find(": "); dos != std::string::npos) {
        r.cabeceras[linea.substr(0, dos)] = linea.substr(dos + 2);
      }
    }
    return r;
  }
  pruebas::DescargasEnMarcha servidor;
};

TEST_F(RangosDelServidorTest, ElRestoDesdeUnByteConSusValidadores) {
  Respuesta entero = Pedir("/archivos/mil.bin");
  EXPECT_EQ(entero.estado, "HTTP/1.0 200 OK");
  EXPECT_EQ(entero.cabeceras["Accept-Ranges"], "bytes");
  const std::string etiqueta = entero.cabeceras["ETag"];
  const std::string fecha = entero.cabeceras["Last-Modified"];
  EXPECT_EQ(etiqueta.front(), '"');
  EXPECT_EQ(fecha.substr(fecha.size() - 4), " GMT");
  EXPECT_TRUE(entero.cuerpo == Bytes(1000));

  Respuesta resto = Pedir("/archivos/mil.bin", "Range: bytes=600-\r\nIf-Range: " + etiqueta + "\r\n");
  EXPECT_EQ(resto.estado, "HTTP/1.0 206 Partial Content");
  EXPECT_EQ(resto.cabeceras["Content-Range"], "bytes 600-999/1000");
  EXPECT_EQ(resto.cabeceras["Content-Length"], "400");
  EXPECT_EQ(resto.cabeceras["ETag"], etiqueta);
  EXPECT_TRUE(resto.cuerpo == Bytes(1000).substr(600));
  // The date validates as well; a validator of another version gets the whole file.
  EXPECT_EQ(Pedir("/archivos/mil.bin", "Range: bytes=600-\r\nIf-Range: " + fecha + "\r\n").estado,
            "HTTP/1.0 206 Partial Content");
  Respuesta otro = Pedir("/archivos/mil.bin", "Range: bytes=600-\r\nIf-Range: \"otra\"\r\n");
  EXPECT_EQ(otro.estado, "HTTP/1.0 200 OK");
  EXPECT_EQ(otro.cuerpo.size(), 1000u);
  // Past the end: 416 with the size; a closed range, up to the end at most; a form of Range the
  // server does not take (several ranges, the last bytes): the whole file.
  Respuesta fuera = Pedir("/archivos/mil.bin", "Range: bytes=1000-\r\n");
  EXPECT_EQ(fuera.estado, "HTTP/1.0 416 Range Not Satisfiable");
  EXPECT_EQ(fuera.cabeceras["Content-Range"], "bytes */1000");
  EXPECT_TRUE(fuera.cuerpo.empty());
  Respuesta cerrado = Pedir("/archivos/mil.bin", "Range: bytes=100-199\r\n");
  EXPECT_EQ(cerrado.cabeceras["Content-Range"], "bytes 100-199/1000");
  EXPECT_TRUE(cerrado.cuerpo == Bytes(1000).substr(100, 100));
  EXPECT_EQ(Pedir("/archivos/mil.bin", "Range: bytes=900-5000\r\n").cabeceras["Content-Range"], "bytes 900-999/1000");
  for (const char* otra : {"bytes=0-9,20-29", "bytes=-100", "bytes=9-1", "items=0-"}) {
    EXPECT_EQ(Pedir("/archivos/mil.bin", std::string("Range: ") + otra + "\r\n").estado, "HTTP/1.0 200 OK") << otra;
  }
}

TEST_F(RangosDelServidorTest, FallasParaProbarLaReanudacion) {
  // Cut at every 300th byte of the file: a client that resumes gets it in four answers.
  std::string juntado;
  for (int i = 0; i < 4; ++i) {
    Respuesta r = Pedir("/_fallas/cortar-cada=300/archivos/mil.bin",
                              juntado.empty() ? "" : "Range: bytes=" + std::to_string(juntado.size()) + "-\r\n");
    EXPECT_EQ(r.cuerpo.size(), i < 3 ? 300u : 100u) << i;
    juntado += r.cuerpo;
  }
  EXPECT_TRUE(juntado == Bytes(1000));
  // Ranges ignored: always 200 and no Accept-Ranges.
  Respuesta sinRangos = Pedir("/_fallas/sin-rangos/archivos/mil.bin", "Range: bytes=600-\r\n");
  EXPECT_EQ(sinRangos.estado, "HTTP/1.0 200 OK");
  EXPECT_EQ(sinRangos.cabeceras.count("Accept-Ranges"), 0u);
  EXPECT_EQ(sinRangos.cuerpo.size(), 1000u);
  // A wrong Content-Range: the body is from 600, the header says 601.
  Respuesta erroneo = Pedir("/_fallas/rango-erroneo/archivos/mil.bin", "Range: bytes=600-\r\n");
  EXPECT_EQ(erroneo.cabeceras["Content-Range"], "bytes 601-999/1000");
  EXPECT_EQ(erroneo.cuerpo.size(), 400u);
  // A file that changes between two requests: new validators and other bytes, so the old
  // validator gets the whole new file.
  Respuesta antes = Pedir("/_fallas/cambiante/archivos/mil.bin");
  EXPECT_TRUE(antes.cuerpo == Bytes(1000));
  Respuesta despues =
      Pedir("/_fallas/cambiante/archivos/mil.bin", "Range: bytes=600-\r\nIf-Range: " + antes.cabeceras["ETag"] + "\r\n");
  EXPECT_EQ(despues.estado, "HTTP/1.0 200 OK");
  EXPECT_NE(despues.cabeceras["ETag"], antes.cabeceras["ETag"]);
  EXPECT_NE(despues.cabeceras["Last-Modified"], antes.cabeceras["Last-Modified"]);
  ASSERT_EQ(despues.cuerpo.size(), 1000u);
  EXPECT_FALSE(despues.cuerpo == antes.cuerpo);
}

}  // namespace
}  // namespace evalora

#pragma once
// The machine a test of either build runs on: a folder of its own, this build's file system, and
// the development server's download half. On Linux the folder is in a temporary prefix and the
// server runs in the test's process; on Windows (under Wine) the folder is below the user's
// temporary folder and the server is the Linux program that scripts/con-servidor-dev.sh started
// beside Wine. A test written against it runs unchanged in both builds.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/Plataforma.h"
#include "platform/Registro.h"
#include "platform/fakes/Falsos.h"
#include "platform/SistemaDeArchivos.h"

namespace evalora::pruebas {

// The bytes of a test file of `n` bytes: every value, none repeated in a short run.
inline std::string Contenido(size_t n) {
  std::string s(n, '\0');
  for (size_t i = 0; i < n; ++i) s[i] = static_cast<char>((i * 31 + 7) & 0xFF);
  return s;
}

class MaquinaDePrueba {
 public:
  MaquinaDePrueba();
  ~MaquinaDePrueba();
  MaquinaDePrueba(const MaquinaDePrueba&) = delete;
  MaquinaDePrueba& operator=(const MaquinaDePrueba&) = delete;

  SistemaDeArchivos& Archivos();
  // The build's registry: the temporary prefix's on Linux, the machine's (Wine's) on Windows.
  Registro& RegistroDeLaMaquina();
  // The build's network (libcurl, WinINet) and driver manager (unixODBC, odbc32), as a run has them.
  Red& RedDeLaMaquina();
  Odbc& OdbcDeLaMaquina();
  // The test's own folder, as the wizard names it (a Windows path without final backslash).
  const std::string& Carpeta() const;
  // A file's bytes (empty when it cannot be read), a file written with its folders, folders made
  // and a file or folder removed with all below it; Windows paths.
  std::string Leer(const std::string& ruta);
  void Escribir(const std::string& ruta, const std::string& bytes);
  void CrearCarpetas(const std::string& ruta);
  void Borrar(const std::string& ruta);
  // A file of the Linux machine the tests run on ("/usr/share/fonts/…"), seen from this build.
  std::string LeerDelAnfitrion(const std::string& rutaLinux);

  // The wizard's services on this machine for one run (the version 2020.1.0.3): the build's real
  // ones, with the fakes of a run (virtual time, message boxes, the end of the program, the
  // processes, the user) and what the shell opens and the fonts' notices written down.
  Plataforma Servicios();
  falsos::FalsosDeUnaCorrida& Falsos();
  falsos::ShellGrabado& Shell();
  falsos::FuentesAvisadas& Fuentes();

  // A file the server serves at "/<ruta>" ("archivos/a.bin").
  void Poner(const std::string& ruta, const std::string& bytes);
  // The server's address of a path ("/archivos/a.bin", "/_fallas/cortar=10/archivos/a.bin").
  std::string Url(const std::string& ruta) const;
  uint16_t PuertoHttp() const;
  // The requests the server received since this machine was made ("GET /archivos/a.bin").
  std::vector<std::string> Pedidos() const;
  // From now on no server answers at the server's address.
  void DetenerServidor();

  // A development catalogue of this machine's own on loopback, with the demo data, `sql` run on
  // it, and a fault of its server ("rechazar-login", "no-responder", "cerrar-tras-login",
  // "callar-tras-login"; empty: none). A second call replaces the first catalogue.
  void IniciarCatalogo(const std::string& sql = "", const std::string& falla = "");
  // Its port (a catalogue without changes is started when none was), and what it received, one
  // statement or call a line, without what the driver asks on its own.
  uint16_t PuertoCatalogo();
  std::vector<std::string> RecibidoPorElCatalogo();

  struct Estado;  // the build's own

 private:
  std::unique_ptr<Estado> e_;
};

}  // namespace evalora::pruebas

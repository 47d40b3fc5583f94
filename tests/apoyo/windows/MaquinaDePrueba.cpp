// The Windows build's test machine: a folder below the user's temporary folder, the Win32 file
// system, and the development server as the Linux program that scripts/con-servidor-dev.sh
// started beside Wine (its addresses, its content folder and its requests' log in the
// environment: EVALORA_HTTP, EVALORA_CONTENIDO, EVALORA_PEDIDOS_HTTP). A catalogue of the
// machine's own is another such program, started through Wine's "start /unix" in a Linux folder
// beside that server's logs; it ends once its witness file is deleted.
#include "apoyo/MaquinaDePrueba.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>

#include "ApoyoWin.h"
#include "platform/fakes/PlataformaDePruebaWin.h"
#include "platform/windows/RegistroWin.h"
#include "platform/windows/SistemaDeArchivosWin.h"

namespace evalora::pruebas {

namespace {

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

}  // namespace

struct MaquinaDePrueba::Estado {
  CarpetaTemporalWin carpeta;
  SistemaDeArchivosWin archivos;
  RegistroWin registro;
  RedDelSistema red;
  OdbcDelSistema odbc;
  std::string http = Variable("EVALORA_HTTP");
  std::string contenido = EnUnidadZ(Variable("EVALORA_CONTENIDO"));
  std::string pedidos = EnUnidadZ(Variable("EVALORA_PEDIDOS_HTTP"));
  // Read now: the test platform gives the process the run's environment, without these.
  std::string registrosDelServidor = Variable("EVALORA_REGISTRO_CATALOGO");
  size_t pedidosPrevios = 0;
  std::unique_ptr<falsos::PlataformaDePruebaWin> plataforma;
  falsos::PlataformaDePruebaWin& Plataforma() {
    if (!plataforma) plataforma = std::make_unique<falsos::PlataformaDePruebaWin>(VersionDelEjecutable{2020, 1, 0, 3}, std::vector<std::string>{});
    return *plataforma;
  }
  // The machine's own catalogue: its Linux folder, and its port once it listens.
  std::string carpetaDelCatalogo;
  uint16_t puertoDelCatalogo = 0;

  void DetenerCatalogo() {
    if (!carpetaDelCatalogo.empty()) archivos.BorrarArchivo(EnUnidadZ(carpetaDelCatalogo + "/testigo"), true);
    carpetaDelCatalogo.clear();
    puertoDelCatalogo = 0;
  }
  ~Estado() { DetenerCatalogo(); }

  // A log of the server, read through a copy: the server keeps it open for writing.
  std::vector<std::string> Registro(const std::string& ruta) {
    CarpetaTemporalWin copia;
    archivos.CopiarArchivo(ruta, copia.Ruta() + "\\registro.txt", true);
    return Lineas(copia.Leer("registro.txt"));
  }
};

MaquinaDePrueba::MaquinaDePrueba() : e_(std::make_unique<Estado>()) {
  // A test that uses no server needs none beside Wine.
  if (!e_->http.empty()) e_->pedidosPrevios = e_->Registro(e_->pedidos).size();
}

MaquinaDePrueba::~MaquinaDePrueba() = default;

SistemaDeArchivos& MaquinaDePrueba::Archivos() { return e_->archivos; }
Registro& MaquinaDePrueba::RegistroDeLaMaquina() { return e_->registro; }
Red& MaquinaDePrueba::RedDeLaMaquina() { return e_->red; }
Odbc& MaquinaDePrueba::OdbcDeLaMaquina() { return e_->odbc; }

std::string MaquinaDePrueba::LeerDelAnfitrion(const std::string& rutaLinux) { return Leer(EnUnidadZ(rutaLinux)); }

Plataforma MaquinaDePrueba::Servicios() { return e_->Plataforma().Servicios(); }
falsos::FalsosDeUnaCorrida& MaquinaDePrueba::Falsos() { return e_->Plataforma(); }
falsos::ShellGrabado& MaquinaDePrueba::Shell() { return e_->Plataforma().shell; }
falsos::FuentesAvisadas& MaquinaDePrueba::Fuentes() { return e_->Plataforma().fuentes; }
const std::string& MaquinaDePrueba::Carpeta() const { return e_->carpeta.Ruta(); }

void MaquinaDePrueba::Poner(const std::string& ruta, const std::string& bytes) {
  EXPECT_FALSE(e_->http.empty()) << "sin servidor de desarrollo (scripts/con-servidor-dev.sh)";
  std::string destino = e_->contenido;
  for (char c : "\\" + ruta) destino += c == '/' ? '\\' : c;
  Escribir(destino, bytes);
}

std::string MaquinaDePrueba::Url(const std::string& ruta) const { return e_->http + ruta; }

uint16_t MaquinaDePrueba::PuertoHttp() const {
  const size_t dos = e_->http.rfind(':');
  return dos == std::string::npos ? 0 : static_cast<uint16_t>(std::stoi(e_->http.substr(dos + 1)));
}

namespace {

std::vector<std::string> Desde(std::vector<std::string> todas, size_t previas) {
  todas.erase(todas.begin(), todas.begin() + static_cast<std::ptrdiff_t>(std::min(previas, todas.size())));
  return todas;
}

}  // namespace

std::vector<std::string> MaquinaDePrueba::Pedidos() const { return Desde(e_->Registro(e_->pedidos), e_->pedidosPrevios); }

void MaquinaDePrueba::IniciarCatalogo(const std::string& sql, const std::string& falla) {
  static std::atomic<int> catalogos = 0;
  e_->DetenerCatalogo();
  const std::string& registros = e_->registrosDelServidor;
  EXPECT_FALSE(registros.empty()) << "sin servidor de desarrollo (scripts/con-servidor-dev.sh)";
  const std::string carpeta = registros.substr(0, registros.rfind('/')) + "/catalogo-" +
                              std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++catalogos);
  const std::string enZ = EnUnidadZ(carpeta);
  Escribir(enZ + "\\testigo", "");
  std::string linea = "start.exe /unix \"" EVALORA_SERVIDOR_DEV "\" --puertos \"" + carpeta +
                      "/puertos\" --mientras-exista \"" + carpeta + "/testigo\" --registro \"" + carpeta +
                      "/registro.txt\" --base-http http://127.0.0.1:8080";
  if (!sql.empty()) {
    Escribir(enZ + "\\extra.sql", sql);
    linea += " --catalogo \"" + carpeta + "/extra.sql\"";
  }
  if (!falla.empty()) linea += " --falla " + falla;
  e_->carpetaDelCatalogo = carpeta;
  const SalidaDePrograma salida = Ejecutar(linea);
  EXPECT_EQ(salida.estado, 0u) << linea << "\n" << salida.texto;
  // It listens once it has written its ports: at most 20 s for a program to start.
  for (int i = 0; i < 2000 && !e_->archivos.ExisteArchivo(enZ + "\\puertos"); ++i) Sleep(10);
  const std::string puertos = Leer(enZ + "\\puertos");
  EXPECT_EQ(puertos.rfind("catalogo ", 0), 0u) << "el catálogo no arrancó: " << linea;
  if (puertos.rfind("catalogo ", 0) == 0) e_->puertoDelCatalogo = static_cast<uint16_t>(std::stoi(puertos.substr(9)));
}

uint16_t MaquinaDePrueba::PuertoCatalogo() {
  if (e_->carpetaDelCatalogo.empty()) IniciarCatalogo();
  return e_->puertoDelCatalogo;
}

std::vector<std::string> MaquinaDePrueba::RecibidoPorElCatalogo() {
  if (e_->carpetaDelCatalogo.empty()) return {};
  return e_->Registro(EnUnidadZ(e_->carpetaDelCatalogo + "/registro.txt"));
}

// The server is another program: its address is replaced by one where nothing listens.
void MaquinaDePrueba::DetenerServidor() { e_->http = "http://127.0.0.1:9"; }

}  // namespace evalora::pruebas

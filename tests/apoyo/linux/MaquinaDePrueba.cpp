// The Linux build's test machine: a temporary prefix, its file system, the server in the process.
#include "apoyo/MaquinaDePrueba.h"

#include <fstream>
#include <iterator>

#include "apoyo/CatalogoEnMarcha.h"
#include "apoyo/DescargasEnMarcha.h"
#include "apoyo/PrefijoTemporal.h"
#include "platform/fakes/PlataformaDePrueba.h"
#include "platform/linux/Prefijo.h"
#include "platform/linux/RegistroWine.h"
#include "platform/linux/SistemaDeArchivosPrefijo.h"

namespace evalora::pruebas {

struct MaquinaDePrueba::Estado {
  PrefijoTemporal prefijo;
  SistemaDeArchivosPrefijo archivos{prefijo.Raiz()};
  RegistroWine registro{prefijo.Raiz()};
  RedDelSistema red;
  OdbcDelSistema odbc;
  DescargasEnMarcha servidor;
  std::string carpeta = "C:\\Prueba";
  std::unique_ptr<CatalogoEnMarcha> catalogo;
  std::unique_ptr<falsos::PlataformaDePrueba> plataforma;

  falsos::PlataformaDePrueba& Plataforma() {
    if (!plataforma) plataforma = std::make_unique<falsos::PlataformaDePrueba>(prefijo.Raiz(), VersionDelEjecutable{2020, 1, 0, 3}, std::vector<std::string>{});
    return *plataforma;
  }

  CatalogoEnMarcha& Catalogo() {
    if (!catalogo) catalogo = std::make_unique<CatalogoEnMarcha>(prefijo.Raiz() / "registro-del-catalogo.txt");
    return *catalogo;
  }
  static tds::Falla Falla(const std::string& nombre) {
    if (nombre == "rechazar-login") return tds::Falla::kRechazarLogin;
    if (nombre == "no-responder") return tds::Falla::kNoResponder;
    if (nombre == "cerrar-tras-login") return tds::Falla::kCerrarTrasLogin;
    if (nombre == "callar-tras-login") return tds::Falla::kCallarTrasLogin;
    return tds::Falla::kNinguna;
  }
};

MaquinaDePrueba::MaquinaDePrueba() : e_(std::make_unique<Estado>()) {
  Prefijo(e_->prefijo.Raiz()).Preparar();  // drive C: with its system folders, as Wine lays it out
  e_->archivos.CrearCarpeta(e_->carpeta);
}

MaquinaDePrueba::~MaquinaDePrueba() = default;

SistemaDeArchivos& MaquinaDePrueba::Archivos() { return e_->archivos; }
Registro& MaquinaDePrueba::RegistroDeLaMaquina() { return e_->registro; }
Red& MaquinaDePrueba::RedDeLaMaquina() { return e_->red; }
Odbc& MaquinaDePrueba::OdbcDeLaMaquina() { return e_->odbc; }

std::string MaquinaDePrueba::LeerDelAnfitrion(const std::string& rutaLinux) {
  std::ifstream entrada(rutaLinux, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(entrada), std::istreambuf_iterator<char>());
}

Plataforma MaquinaDePrueba::Servicios() { return e_->Plataforma().Servicios(); }
falsos::FalsosDeUnaCorrida& MaquinaDePrueba::Falsos() { return e_->Plataforma(); }
falsos::ShellGrabado& MaquinaDePrueba::Shell() { return e_->Plataforma().shell; }
falsos::FuentesAvisadas& MaquinaDePrueba::Fuentes() { return e_->Plataforma().fuentes; }
const std::string& MaquinaDePrueba::Carpeta() const { return e_->carpeta; }

void MaquinaDePrueba::Poner(const std::string& ruta, const std::string& bytes) { e_->servidor.Poner(ruta, bytes); }

std::string MaquinaDePrueba::Url(const std::string& ruta) const { return e_->servidor.Url(ruta); }

uint16_t MaquinaDePrueba::PuertoHttp() const { return e_->servidor.Puerto(); }

std::vector<std::string> MaquinaDePrueba::Pedidos() const { return e_->servidor.Pedidos(); }

void MaquinaDePrueba::DetenerServidor() { e_->servidor.Detener(); }

void MaquinaDePrueba::IniciarCatalogo(const std::string& sql, const std::string& falla) {
  e_->catalogo.reset();
  std::filesystem::remove(e_->prefijo.Raiz() / "registro-del-catalogo.txt");
  e_->catalogo =
      std::make_unique<CatalogoEnMarcha>(e_->prefijo.Raiz() / "registro-del-catalogo.txt", sql, Estado::Falla(falla));
}

uint16_t MaquinaDePrueba::PuertoCatalogo() { return e_->Catalogo().Puerto(); }

std::vector<std::string> MaquinaDePrueba::RecibidoPorElCatalogo() { return e_->Catalogo().Recibido(); }

}  // namespace evalora::pruebas

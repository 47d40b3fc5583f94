#include "Servidores.h"
#include "Textos.h"

#include <csignal>
#include <fstream>
#include <stdexcept>
#include <thread>

#include "AtencionDelCatalogo.h"
#include "Catalogo.h"
#include "ContenidoDemo.h"
#include "http/ServidorHttp.h"
#include "tds/ServidorTds.h"

namespace evalora::escenario {

struct Servidores::EnMarcha {
  std::filesystem::path registro;
  servidor::Catalogo catalogo;
  std::unique_ptr<servidor::ServidorHttp> http;
  std::unique_ptr<servidor::AtencionDelCatalogo> atencion;
  std::unique_ptr<tds::ServidorTds> tds;
  std::thread hiloTds, hiloHttp;
  uint16_t puertoTds = 0, puertoHttp = 0;
};

Servidores::Servidores(const std::filesystem::path& contenido, const std::vector<std::string>& sqlExtra,
                       const std::filesystem::path& registro)
    : enMarcha_(std::make_unique<EnMarcha>()) {
  EnMarcha& s = *enMarcha_;
  s.registro = registro;
  std::signal(SIGPIPE, SIG_IGN);
  s.catalogo.SembrarDemo();
  std::string error;
  // The content first: the scenario's own rows may name files the shared folder must not get.
  if (!servidor::PrepararContenido(s.catalogo, contenido, &error)) throw std::runtime_error(error);
  for (const auto& sql : sqlExtra) {
    if (!s.catalogo.Ejecutar(sql, &error)) throw std::runtime_error("SQL del escenario: " + error);
  }
  servidor::ActualizarPesos(s.catalogo, contenido);  // rows the scenario pointed at other files
  s.http = std::make_unique<servidor::ServidorHttp>(contenido);
  s.puertoHttp = s.http->Escuchar(0);
  if (s.puertoHttp == 0) throw std::runtime_error("el servidor de descargas no pudo escuchar");
  s.atencion = std::make_unique<servidor::AtencionDelCatalogo>(s.catalogo, registro.string());
  s.atencion->FijarBaseHttp("http://127.0.0.1:" + std::to_string(s.puertoHttp));
  s.tds = std::make_unique<tds::ServidorTds>(*s.atencion);
  s.puertoTds = s.tds->Escuchar(0);
  if (s.puertoTds == 0) throw std::runtime_error("el catálogo no pudo escuchar");
  s.hiloTds = std::thread([&s] { s.tds->Atender(); });
  s.hiloHttp = std::thread([&s] { s.http->Atender(); });
}

Servidores::~Servidores() {
  EnMarcha& s = *enMarcha_;
  s.tds->Detener();
  s.http->Detener();
  s.hiloTds.join();
  s.hiloHttp.join();
}

uint16_t Servidores::PuertoCatalogo() const { return enMarcha_->puertoTds; }
uint16_t Servidores::PuertoDescargas() const { return enMarcha_->puertoHttp; }
std::vector<std::string> Servidores::Recibido() const { return LineasDe(enMarcha_->registro); }
std::vector<std::string> Servidores::Pedidos() const { return enMarcha_->http->Pedidos(); }

}  // namespace evalora::escenario

#include "Servidores.h"

#include <csignal>
#include <fstream>
#include <stdexcept>

#include "ContenidoDemo.h"

namespace evalora::escenario {

Servidores::Servidores(const std::filesystem::path& contenido, const std::vector<std::string>& sqlExtra,
                       const std::filesystem::path& registro)
    : registro_(registro) {
  std::signal(SIGPIPE, SIG_IGN);
  catalogo_.SembrarDemo();
  std::string error;
  // The content first: the scenario's own rows may name files the shared folder must not get.
  if (!servidor::PrepararContenido(catalogo_, contenido, &error)) throw std::runtime_error(error);
  for (const auto& sql : sqlExtra) {
    if (!catalogo_.Ejecutar(sql, &error)) throw std::runtime_error("SQL del escenario: " + error);
  }
  servidor::ActualizarPesos(catalogo_, contenido);  // rows the scenario pointed at other files
  http_ = std::make_unique<servidor::ServidorHttp>(contenido);
  puertoHttp_ = http_->Escuchar(0);
  if (puertoHttp_ == 0) throw std::runtime_error("el servidor de descargas no pudo escuchar");
  atencion_ = std::make_unique<servidor::AtencionDelCatalogo>(catalogo_, registro_.string());
  atencion_->FijarBaseHttp("http://127.0.0.1:" + std::to_string(puertoHttp_));
  tds_ = std::make_unique<tds::ServidorTds>(*atencion_);
  puertoTds_ = tds_->Escuchar(0);
  if (puertoTds_ == 0) throw std::runtime_error("el catálogo no pudo escuchar");
  hiloTds_ = std::thread([this] { tds_->Atender(); });
  hiloHttp_ = std::thread([this] { http_->Atender(); });
}

Servidores::~Servidores() {
  tds_->Detener();
  http_->Detener();
  hiloTds_.join();
  hiloHttp_.join();
}

std::vector<std::string> Servidores::Recibido() const {
  std::ifstream archivo(registro_);
  std::vector<std::string> lineas;
  for (std::string l; std::getline(archivo, l);) lineas.push_back(l);
  return lineas;
}

}  // namespace evalora::escenario

#include "apoyo/CatalogoEnMarcha.h"

#include <gtest/gtest.h>

#include <fstream>

namespace evalora::pruebas {

CatalogoEnMarcha::CatalogoEnMarcha(const std::filesystem::path& registro, const std::string& sqlExtra, tds::Falla falla)
    : registro_(registro) {
  catalogo_.SembrarDemo();
  std::string error;
  if (!sqlExtra.empty()) {
    EXPECT_TRUE(catalogo_.Ejecutar(sqlExtra, &error)) << error;
  }
  atencion_ = std::make_unique<servidor::AtencionDelCatalogo>(catalogo_, registro_.string());
  atencion_->FijarBaseHttp("http://127.0.0.1:8080");
  servidor_ = std::make_unique<tds::ServidorTds>(*atencion_, tds::Credenciales{}, falla);
  puerto_ = servidor_->Escuchar(0);
  EXPECT_NE(puerto_, 0);
  hilo_ = std::thread([this] { servidor_->Atender(); });
}

CatalogoEnMarcha::~CatalogoEnMarcha() {
  servidor_->Detener();
  hilo_.join();
}

std::vector<std::string> CatalogoEnMarcha::Recibido() const {
  std::ifstream archivo(registro_);
  std::vector<std::string> lineas;
  for (std::string l; std::getline(archivo, l);) lineas.push_back(l);
  return lineas;
}

std::string CatalogoEnMarcha::CadenaDeConexion() const {
  return "DRIVER={FreeTDS};SERVER=127.0.0.1;PORT=" + std::to_string(puerto_) +
         ";DATABASE=downloadmanager;UID=downloadmanager;PWD=Qm58wLx2Zb;TDS_Version=7.4;ClientCharset=UTF-8;";
}

}  // namespace evalora::pruebas

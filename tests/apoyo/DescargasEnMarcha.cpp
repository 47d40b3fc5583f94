#include "apoyo/DescargasEnMarcha.h"

#include <gtest/gtest.h>

namespace evalora::pruebas {

DescargasEnMarcha::DescargasEnMarcha() {
  puerto_ = servidor_.Escuchar(0);
  EXPECT_NE(puerto_, 0);
  hilo_ = std::thread([this] { servidor_.Atender(); });
}

DescargasEnMarcha::~DescargasEnMarcha() {
  servidor_.Detener();
  hilo_.join();
}

std::string DescargasEnMarcha::Url(const std::string& ruta) const {
  return "http://127.0.0.1:" + std::to_string(puerto_) + ruta;
}

}  // namespace evalora::pruebas

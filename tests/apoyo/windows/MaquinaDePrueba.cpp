// The Windows build's test machine: a folder below the user's temporary folder, the Win32 file
// system, and the development server as the Linux program that scripts/con-servidor-dev.sh
// started beside Wine (its addresses, its content folder and its requests' log in the
// environment: EVALORA_HTTP, EVALORA_CONTENIDO, EVALORA_PEDIDOS_HTTP).
#include "apoyo/MaquinaDePrueba.h"

#include <gtest/gtest.h>

#include "ApoyoWin.h"
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
  std::string http = Variable("EVALORA_HTTP");
  std::string contenido = EnUnidadZ(Variable("EVALORA_CONTENIDO"));
  std::string pedidos = EnUnidadZ(Variable("EVALORA_PEDIDOS_HTTP"));
  std::string catalogo = Variable("EVALORA_CATALOGO");
  std::string recibido = EnUnidadZ(Variable("EVALORA_REGISTRO_CATALOGO"));
  size_t pedidosPrevios = 0;
  size_t recibidoPrevio = 0;

  // A log of the server, read through a copy: the server keeps it open for writing.
  std::vector<std::string> Registro(const std::string& ruta) {
    CarpetaTemporalWin copia;
    archivos.CopiarArchivo(ruta, copia.Ruta() + "\\registro.txt", true);
    return Lineas(copia.Leer("registro.txt"));
  }
};

MaquinaDePrueba::MaquinaDePrueba() : e_(std::make_unique<Estado>()) {
  EXPECT_FALSE(e_->http.empty()) << "sin servidor de desarrollo (scripts/con-servidor-dev.sh)";
  e_->pedidosPrevios = e_->Registro(e_->pedidos).size();
  e_->recibidoPrevio = e_->Registro(e_->recibido).size();
}

MaquinaDePrueba::~MaquinaDePrueba() = default;

SistemaDeArchivos& MaquinaDePrueba::Archivos() { return e_->archivos; }
const std::string& MaquinaDePrueba::Carpeta() const { return e_->carpeta.Ruta(); }

void MaquinaDePrueba::Poner(const std::string& ruta, const std::string& bytes) {
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

uint16_t MaquinaDePrueba::PuertoCatalogo() {
  const size_t dos = e_->catalogo.rfind(':');
  return dos == std::string::npos ? 0 : static_cast<uint16_t>(std::stoi(e_->catalogo.substr(dos + 1)));
}

std::vector<std::string> MaquinaDePrueba::RecibidoPorElCatalogo() {
  return Desde(e_->Registro(e_->recibido), e_->recibidoPrevio);
}

// The server is another program: its address is replaced by one where nothing listens.
void MaquinaDePrueba::DetenerServidor() { e_->http = "http://127.0.0.1:9"; }

}  // namespace evalora::pruebas

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
  size_t pedidosPrevios = 0;

  std::vector<std::string> TodosLosPedidos() {
    // The log is read through a copy: the server keeps it open for writing.
    CarpetaTemporalWin copia;
    archivos.CopiarArchivo(pedidos, copia.Ruta() + "\\pedidos.txt", true);
    return Lineas(copia.Leer("pedidos.txt"));
  }
};

MaquinaDePrueba::MaquinaDePrueba() : e_(std::make_unique<Estado>()) {
  EXPECT_FALSE(e_->http.empty()) << "sin servidor de desarrollo (scripts/con-servidor-dev.sh)";
  e_->pedidosPrevios = e_->TodosLosPedidos().size();
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

std::vector<std::string> MaquinaDePrueba::Pedidos() const {
  auto todos = e_->TodosLosPedidos();
  todos.erase(todos.begin(), todos.begin() + static_cast<std::ptrdiff_t>(std::min(e_->pedidosPrevios, todos.size())));
  return todos;
}

// The server is another program: its address is replaced by one where nothing listens.
void MaquinaDePrueba::DetenerServidor() { e_->http = "http://127.0.0.1:9"; }

}  // namespace evalora::pruebas

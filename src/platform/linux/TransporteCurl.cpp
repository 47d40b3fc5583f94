// The HTTP transfer over libcurl's multi interface: the transfer waits on its own sockets for at
// most 10 ms at a time and tells the receiver between two waits.
#include <curl/curl.h>

#include <cstdlib>

#include "core/Texto.h"
#include "platform/TransporteHttp.h"

namespace evalora {

namespace {

constexpr int kEsperaMaximaMs = 10;

// Libcurl is set up once per process, before the first transfer.
void IniciarCurl() {
  static const bool iniciado = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
  (void)iniciado;
}

// One transfer's state, shared with libcurl's callbacks.
struct Curso {
  ReceptorHttp& receptor;
  RespuestaHttp respuesta;
  bool cabecerasDichas = false;
  bool detenido = false;

  bool EsFinal() const {
    if (respuesta.estado >= 100 && respuesta.estado < 200) return false;  // "100 Continue": the real one follows
    if (respuesta.estado >= 300 && respuesta.estado < 400) {
      for (const auto& linea : respuesta.cabeceras) {
        if (Mayusculas(linea.substr(0, 9)) == "LOCATION:") return false;  // followed
      }
    }
    return true;
  }

  static size_t AlRecibirCabecera(char* datos, size_t tamano, size_t cuantos, void* propio) {
    auto& c = *static_cast<Curso*>(propio);
    std::string linea(datos, tamano * cuantos);
    while (!linea.empty() && (linea.back() == '\n' || linea.back() == '\r')) linea.pop_back();
    if (linea.rfind("HTTP/", 0) == 0) {
      c.respuesta = RespuestaHttp{};
      c.respuesta.lineaDeEstado = linea;
      const auto primero = linea.find(' ');
      const auto segundo = primero == std::string::npos ? std::string::npos : linea.find(' ', primero + 1);
      c.respuesta.estado = primero == std::string::npos ? 0 : std::atoi(linea.c_str() + primero + 1);
      c.respuesta.textoDeEstado = segundo == std::string::npos ? std::string() : linea.substr(segundo + 1);
    } else if (linea.empty()) {
      if (c.EsFinal()) {
        c.cabecerasDichas = true;
        if (!c.receptor.Cabeceras(c.respuesta)) return Detener(c);
      }
    } else {
      c.respuesta.cabeceras.push_back(linea);
    }
    return tamano * cuantos;
  }

  static size_t AlRecibirDatos(char* datos, size_t tamano, size_t cuantos, void* propio) {
    auto& c = *static_cast<Curso*>(propio);
    const size_t n = tamano * cuantos;
    if (!c.cabecerasDichas) return n;  // the body of an answer that is followed elsewhere
    if (!c.receptor.Datos(datos, n)) return Detener(c);
    return n;
  }

  static size_t Detener(Curso& c) {
    c.detenido = true;
    return 0;
  }
};

// Keeps its libcurl handles from one transfer to the next (each transfer sets every option again):
// a list of files costs one set of handles, not one per file.
class TransporteCurl : public TransporteHttp {
 public:
  TransporteCurl() {
    IniciarCurl();
    pedidas_ = curl_slist_append(nullptr, "Pragma: no-cache");
    pedidas_ = curl_slist_append(pedidas_, "Cache-Control: no-cache");
  }
  ~TransporteCurl() override {
    if (multi_) curl_multi_cleanup(multi_);
    if (curl_) curl_easy_cleanup(curl_);
    curl_slist_free_all(pedidas_);
  }
  TransporteCurl(const TransporteCurl&) = delete;
  TransporteCurl& operator=(const TransporteCurl&) = delete;

  FinDelTransporte Transferir(const PeticionHttp& p, ReceptorHttp& receptor) override {
    if (curl_) {
      curl_easy_reset(curl_);
    } else if (!(curl_ = curl_easy_init())) {
      return FinDelTransporte::kSinSesion;
    }
    CURL* curl = curl_;
    Curso curso{receptor, {}};
    const std::string direccion = p.esquema + "://" + p.host + ":" + std::to_string(p.puerto) + p.ruta;
    curl_easy_setopt(curl, CURLOPT_URL, direccion.c_str());
    curl_easy_setopt(curl, CURLOPT_HTTP_VERSION, CURL_HTTP_VERSION_1_0);
    curl_easy_setopt(curl, CURLOPT_USERAGENT, "netDownload");
    // A resume's validator goes with the request's own headers, in a list of this transfer's.
    curl_slist* conValidador = nullptr;
    if (p.desde && !p.siRango.empty()) {
      for (const curl_slist* h = pedidas_; h; h = h->next) conValidador = curl_slist_append(conValidador, h->data);
      conValidador = curl_slist_append(conValidador, ("If-Range: " + p.siRango).c_str());
    }
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, conValidador ? conValidador : pedidas_);
    const std::string rango = p.desde ? std::to_string(*p.desde) + "-" : std::string();
    if (p.desde) curl_easy_setopt(curl, CURLOPT_RANGE, rango.c_str());
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 10L);
    // Only the web's own schemes, also where a redirect points.
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, 30L);
    curl_easy_setopt(curl, CURLOPT_BUFFERSIZE, 128L * 1024L);
    curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, &Curso::AlRecibirCabecera);
    curl_easy_setopt(curl, CURLOPT_HEADERDATA, &curso);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &Curso::AlRecibirDatos);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &curso);
    if (p.usuario) curl_easy_setopt(curl, CURLOPT_USERNAME, p.usuario->c_str());
    if (p.clave) curl_easy_setopt(curl, CURLOPT_PASSWORD, p.clave->c_str());
    if (!p.proxy.empty() || !p.sinProxy.empty()) {
      curl_easy_setopt(curl, CURLOPT_PROXY, p.proxy.c_str());
      curl_easy_setopt(curl, CURLOPT_NOPROXY, p.sinProxy.c_str());
    }
    const CURLcode resultado = Esperar(curso);
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, pedidas_);
    curl_slist_free_all(conValidador);
    if (curso.detenido) return FinDelTransporte::kDetenido;
    if (!curso.cabecerasDichas) return FinDelTransporte::kSinRespuesta;
    return resultado == CURLE_OK ? FinDelTransporte::kCompleto : FinDelTransporte::kCortado;
  }

 private:
  // Runs the transfer, telling the receiver between two waits for the network.
  CURLcode Esperar(Curso& curso) {
    if (!multi_ && !(multi_ = curl_multi_init())) return curl_easy_perform(curl_);
    curl_multi_add_handle(multi_, curl_);
    CURLcode resultado = CURLE_FAILED_INIT;
    int activas = 1;
    while (activas > 0 && !curso.detenido) {
      if (curl_multi_perform(multi_, &activas) != CURLM_OK || activas == 0) break;
      curl_multi_poll(multi_, nullptr, 0, kEsperaMaximaMs, nullptr);
      if (!curso.receptor.Esperando()) curso.detenido = true;
    }
    int quedan = 0;
    while (CURLMsg* mensaje = curl_multi_info_read(multi_, &quedan)) {
      if (mensaje->msg == CURLMSG_DONE) resultado = mensaje->data.result;
    }
    curl_multi_remove_handle(multi_, curl_);
    return resultado;
  }

  CURL* curl_ = nullptr;
  CURLM* multi_ = nullptr;
  curl_slist* pedidas_ = nullptr;
};

}  // namespace

std::unique_ptr<TransporteHttp> NuevoTransporteHttp() { return std::make_unique<TransporteCurl>(); }

}  // namespace evalora

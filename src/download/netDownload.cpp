#include "download/netDownload.h"

#include <curl/curl.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <exception>
#include <vector>

#include "core/Texto.h"

namespace evalora {

namespace {

enum class Parada { kNinguna, kEstado, kSoloCabeceras, kCancelado, kExceso, kLongitudNoValida, kSilencio };

// A transfer that receives nothing for this long has failed.
constexpr uint32_t kSilencioMaximoMs = 30000;

std::string Tres(int codigo) {
  char texto[16];
  std::snprintf(texto, sizeof texto, "%03d", codigo);
  return texto;
}

const char* MensajeDeError(int codigo) {
  switch (codigo) {
    case 1:
      return "URL incorrecta.";
    case 2:
      return "Error en InternetOpen.";
    case 3:
      return "Error en InternetConnect.";
    case 4:
      return "Error en InternetOpenRequest.";
    case 5:
      return "Error en InternetSendRequest.";
    case 6:
      return "Error en InternetQueryInfo.";
    case 7:
      return "Error en InternetReadFile.";
    case 8:
      return "No se ha podido crear el fichero de destino.";
    case 998:
      return "Descarga cancelada por el usuario.";
    case 999:
      return "Ha ocurrido un error durante la descarga.";
    default:
      return nullptr;
  }
}

// What a header query returns: the value of the first header of that name, which must fit the
// 1024-byte buffer with its terminating NUL.
std::optional<std::string> Acotada(const std::optional<std::string>& valor) {
  if (!valor || valor->size() >= 1024) return std::nullopt;
  return valor;
}

// The path as a request line may carry it: blanks, control characters, bytes beyond ASCII and the
// characters that are never raw in a URL are escaped (%20); what is already escaped stays.
std::string RutaEscapada(const std::string& ruta) {
  static const std::string kNuncaCrudos = "\"<>^`{|}";
  std::string salida;
  for (const char c : ruta) {
    const auto b = static_cast<unsigned char>(c);
    if (b <= 0x20 || b >= 0x7F || kNuncaCrudos.find(c) != std::string::npos) {
      char escape[4];
      std::snprintf(escape, sizeof escape, "%%%02X", b);
      salida += escape;
    } else {
      salida += c;
    }
  }
  return salida;
}

// Libcurl is set up once per process, before the first transfer.
void IniciarCurl() {
  static const bool iniciado = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
  (void)iniciado;
}

}  // namespace

struct netDownload::Transferencia {
  Transferencia(netDownload& descarga, int32_t tipo) : d(descarga), tipoAccion(tipo) {}
  netDownload& d;
  int32_t tipoAccion;
  int estado = 0;
  std::string textoDeEstado;
  std::string lineaDeEstado;
  std::vector<std::string> cabeceras;  // "Name: value" of the final response
  bool cabecerasCompletas = false;
  Parada parada = Parada::kNinguna;
  int64_t anunciado = -1;
  std::optional<std::string> temporal;
  int fd = -1;
  std::string pendiente;
  std::string porEscribir;  // blocks gathered for the disk, written a megabyte at a time
  bool escrituraFallida = false;  // the disk refused part of the body (full, removed, …)
  int64_t recibidos = 0;
  uint32_t inicio = 0;
  uint32_t ultimaSenal = 0;  // when the server last sent something
  bool cancelar = false;
  std::exception_ptr excepcion;  // thrown by a yield inside the transfer

  std::optional<std::string> Cabecera(const std::string& nombre) const {
    const std::string buscado = Mayusculas(nombre);
    for (const auto& linea : cabeceras) {
      const auto dos = linea.find(':');
      if (dos != std::string::npos && Mayusculas(RecortarBlancos(linea.substr(0, dos))) == buscado) {
        return RecortarBlancos(linea.substr(dos + 1));
      }
    }
    return std::nullopt;
  }

  // The announced length: nothing when there is none; -2 when it cannot be trusted (not a
  // number, or several that disagree).
  int64_t LongitudAnunciada() const {
    std::optional<std::string> unica;
    for (const auto& linea : cabeceras) {
      const auto dos = linea.find(':');
      if (dos == std::string::npos || Mayusculas(RecortarBlancos(linea.substr(0, dos))) != "CONTENT-LENGTH") continue;
      const std::string valor = RecortarBlancos(linea.substr(dos + 1));
      if (valor.empty() || valor.size() > 18 || valor.find_first_not_of("0123456789") != std::string::npos) return -2;
      if (unica && std::stoll(*unica) != std::stoll(valor)) return -2;
      unica = valor;
    }
    return unica ? std::stoll(*unica) : -1;
  }

  // A response's headers are complete: decide whether the body is wanted.
  bool CabecerasTerminadas() {
    if (estado >= 100 && estado < 200) {
      cabeceras.clear();  // an interim answer ("100 Continue"): the real one follows
      return true;
    }
    if (estado >= 300 && estado < 400 && Cabecera("Location")) return true;  // followed
    cabecerasCompletas = true;
    d.statusText_ = textoDeEstado;
    d.statusCode_ = std::to_string(estado);
    if (d.statusCode_.empty() || d.statusCode_[0] != '2') {
      parada = Parada::kEstado;
      return false;
    }
    anunciado = LongitudAnunciada();
    if (anunciado == -2 && tipoAccion != 0) {
      parada = Parada::kLongitudNoValida;  // which length would the body have?
      return false;
    }
    if (anunciado < 0) anunciado = -1;
    d.ConsultarCabeceras(*this);
    if (tipoAccion == 0) {
      parada = Parada::kSoloCabeceras;
      return false;
    }
    PrepararDestino();
    inicio = d.reloj_.Milisegundos();
    return true;
  }

  void PrepararDestino() {
    if (d.fichero_.empty()) {
      if (anunciado > 0) d.contenido_.reserve(static_cast<size_t>(std::min<int64_t>(anunciado, 1 << 30)));
      return;
    }
    const auto barra = d.fichero_.find_last_of('\\');
    // A name without folder has no place in the prefix; the body is then read and dropped, and the
    // caller's size check finds the file missing.
    if (barra == std::string::npos) return;
    temporal = d.archivos_.CrearArchivoTemporal(d.fichero_.substr(0, barra));
    if (!temporal) return;
    if (const auto ruta = d.archivos_.RutaAnfitrion(*temporal)) fd = ::open(ruta->c_str(), O_WRONLY | O_CLOEXEC);
  }

  // One block of the body: the loop step of the download.
  bool Bloque(const char* datos, size_t n) {
    if (cancelar) {
      parada = Parada::kCancelado;
      return false;
    }
    d.eventos_.Ceder();
    if (fd >= 0) {
      porEscribir.append(datos, n);
      if (porEscribir.size() >= (1u << 20)) Escribir();
      if (escrituraFallida) return false;
    } else if (d.fichero_.empty()) {
      d.contenido_.append(datos, n);
    }
    recibidos += static_cast<int64_t>(n);
    if (anunciado >= 0 && recibidos > anunciado) {
      parada = Parada::kExceso;  // more than announced: never let it fill the disk
      return false;
    }
    const uint32_t transcurrido = d.reloj_.Milisegundos() - inicio;
    if (transcurrido > 0) {
      const double segundos = transcurrido / 1000.0;
      const double velocidad = static_cast<double>(recibidos) / segundos;
      EventoProgreso e;
      e.BytesTotales = anunciado;
      e.BytesRecibidos = recibidos;
      if (anunciado >= 0) {
        e.Porcentaje = anunciado > 0 ? static_cast<double>(recibidos) * 100.0 / static_cast<double>(anunciado) : 0;
        e.SegundosRestantes = std::max(0.0, RedondearPar(static_cast<double>(anunciado) / velocidad - segundos, 0));
      }
      e.SegundosTranscurridos = static_cast<int64_t>(RedondearPar(segundos, 0));
      e.BytesPorSegundo = static_cast<int64_t>(RedondearPar(velocidad, 0));
      if (d.Progreso) d.Progreso(e, cancelar);
    }
    d.eventos_.Ceder();
    return true;
  }

  void Escribir() {
    size_t escrito = 0;
    while (escrito < porEscribir.size() && !escrituraFallida) {
      const ssize_t r = ::write(fd, porEscribir.data() + escrito, porEscribir.size() - escrito);
      if (r < 0 && errno == EINTR) continue;
      if (r <= 0) escrituraFallida = true;  // the body is not whole on disk: the transfer fails
      escrito += r > 0 ? static_cast<size_t>(r) : 0;
    }
    porEscribir.clear();
  }

  static size_t AlRecibirCabecera(char* datos, size_t tamano, size_t cuantos, void* propio) {
    auto& t = *static_cast<Transferencia*>(propio);
    t.ultimaSenal = t.d.reloj_.Milisegundos();
    std::string linea(datos, tamano * cuantos);
    while (!linea.empty() && (linea.back() == '\n' || linea.back() == '\r')) linea.pop_back();
    if (linea.rfind("HTTP/", 0) == 0) {
      t.cabeceras.clear();
      t.lineaDeEstado = linea;
      const auto primero = linea.find(' ');
      const auto segundo = primero == std::string::npos ? std::string::npos : linea.find(' ', primero + 1);
      t.estado = primero == std::string::npos ? 0 : std::atoi(linea.c_str() + primero + 1);
      t.textoDeEstado = segundo == std::string::npos ? std::string() : linea.substr(segundo + 1);
    } else if (linea.empty()) {
      if (!t.CabecerasTerminadas()) return 0;
    } else {
      t.cabeceras.push_back(linea);
    }
    return tamano * cuantos;
  }

  static size_t AlRecibirDatos(char* datos, size_t tamano, size_t cuantos, void* propio) {
    auto& t = *static_cast<Transferencia*>(propio);
    const size_t n = tamano * cuantos;
    t.ultimaSenal = t.d.reloj_.Milisegundos();
    if (!t.cabecerasCompletas) return n;  // a body of a response that is followed elsewhere
    const size_t bloque = static_cast<size_t>(std::max<int32_t>(1, t.d.BytesBloqueDescarga));
    t.pendiente.append(datos, n);
    size_t desde = 0;
    // Nothing may unwind through the transfer library: what the window's events throw is kept
    // and thrown again once the transfer has stopped.
    try {
      while (t.pendiente.size() - desde >= bloque) {
        if (!t.Bloque(t.pendiente.data() + desde, bloque)) return 0;
        desde += bloque;
      }
    } catch (...) {
      t.excepcion = std::current_exception();
      return 0;
    }
    t.pendiente.erase(0, desde);
    return n;
  }
};

// Runs the transfer and lets the window process its events while it waits for the network too,
// so that a server that goes quiet never freezes the window (the wait is at most a few
// milliseconds between two turns). What those events throw is thrown again once the transfer
// has stopped.
int netDownload::Transferir(void* easy, Transferencia& t) {
  CURL* curl = static_cast<CURL*>(easy);
  CURLM* multi = curl_multi_init();
  if (!multi) return curl_easy_perform(curl);
  curl_multi_add_handle(multi, curl);
  CURLcode resultado = CURLE_FAILED_INIT;
  int activas = 1;
  t.ultimaSenal = reloj_.Milisegundos();
  while (activas > 0 && !t.excepcion) {
    if (curl_multi_perform(multi, &activas) != CURLM_OK) break;
    if (activas == 0) break;
    // A server that accepts and then says nothing more ends the attempt.
    if (reloj_.Milisegundos() - t.ultimaSenal > kSilencioMaximoMs) {
      t.parada = Parada::kSilencio;
      break;
    }
    curl_multi_poll(multi, nullptr, 0, 10, nullptr);
    try {
      eventos_.Ceder();
    } catch (...) {
      t.excepcion = std::current_exception();
    }
  }
  int quedan = 0;
  while (CURLMsg* mensaje = curl_multi_info_read(multi, &quedan)) {
    if (mensaje->msg == CURLMSG_DONE) resultado = mensaje->data.result;
  }
  curl_multi_remove_handle(multi, curl);
  curl_multi_cleanup(multi);
  return resultado;
}

netDownload::netDownload(SistemaDeArchivos& archivos, Reloj& reloj, BucleDeEventos& eventos)
    : archivos_(archivos), reloj_(reloj), eventos_(eventos) {
  IniciarCurl();
}

netDownload::~netDownload() = default;

void netDownload::URL(const std::string& url) {
  url_ = url;
  AnalizarURL();
}

std::string netDownload::Fichero() const { return RecortarBlancos(fichero_); }

int32_t netDownload::Puerto() const {
  if (puerto_ != 0) return puerto_;
  if (esquema_ == "http") return 80;
  if (esquema_ == "https") return 443;
  return 0;
}

bool netDownload::AnalizarURL() {
  const auto separador = url_.find("://");
  std::string resto = url_;
  esquema_ = "http";
  if (separador != std::string::npos) {
    esquema_ = Minusculas(url_.substr(0, separador));
    resto = url_.substr(separador + 3);
  }
  if (esquema_ != "http" && esquema_ != "https") {
    EstablecerError(1);
    return false;
  }
  const auto barra = resto.find('/');
  host_ = resto.substr(0, barra);
  ruta_.reset();
  if (barra != std::string::npos && barra + 1 < resto.size()) ruta_ = "/" + resto.substr(barra + 1);
  return true;
}

void netDownload::EstablecerError(int codigo) {
  statusCode_ = Tres(codigo);
  if (const char* mensaje = MensajeDeError(codigo)) statusText_ = mensaje;
  huboError_ = true;
}

void netDownload::ConsultarCabeceras(const Transferencia& t) {
  if (QContentLength) {
    if (const auto v = Acotada(t.Cabecera("Content-Length"))) QContentLengthStr = *v;
  }
  std::string crudas = t.lineaDeEstado + "\r\n";
  for (const auto& linea : t.cabeceras) crudas += linea + "\r\n";
  crudas += "\r\n";
  const std::pair<bool, std::pair<std::string*, std::optional<std::string>>> consultas[] = {
      {QContentType, {&QContentTypeStr, t.Cabecera("Content-Type")}},
      {QExpires, {&QExpiresStr, t.Cabecera("Expires")}},
      {QLastModified, {&QLastModifiedStr, t.Cabecera("Last-Modified")}},
      {QPragma, {&QPragmaStr, std::string("no-cache")}},  // a request header: ours
      {QVersion, {&QVersionStr, t.lineaDeEstado.substr(0, t.lineaDeEstado.find(' '))}},
      {QRawHeaders, {&QRawHeadersStr, t.lineaDeEstado}},  // the lines are NUL-separated: the first only
      {QRawHeadersCrLf, {&QRawHeadersCrLfStr, crudas}},
      {QForwarded, {&QForwardedStr, t.Cabecera("Forwarded")}},
      {QServer, {&QServerStr, t.Cabecera("Server")}},
      {QRequestMethod, {&QRequestMethodStr, std::string("GET")}},  // a request header: ours
  };
  for (const auto& [pedida, destino] : consultas) {
    if (!pedida) continue;
    if (const auto v = Acotada(destino.second)) *destino.first = *v;
  }
}

void netDownload::Descargar(int32_t TipoAccion) {
  for (std::string* r : {&QContentLengthStr, &QContentTypeStr, &QForwardedStr, &QLastModifiedStr, &QPragmaStr,
                         &QRawHeadersStr, &QRequestMethodStr, &QServerStr, &QVersionStr, &QRawHeadersCrLfStr}) {
    r->clear();
  }
  huboError_ = false;
  statusCode_.clear();
  statusText_.clear();
  contenido_.clear();
  if (!AnalizarURL()) return;

  // The host text may carry a port ("host:8080"); an assigned Puerto wins.
  std::string host = host_;
  int puerto = Puerto();
  const auto dos = host.rfind(':');
  if (dos != std::string::npos && host.find(']', dos) == std::string::npos && dos + 1 < host.size() &&
      host.find_first_not_of("0123456789", dos + 1) == std::string::npos) {
    if (puerto_ == 0) puerto = std::atoi(host.c_str() + dos + 1);
    host = host.substr(0, dos);
  }
  CURL* curl = curl_easy_init();
  if (!curl) return EstablecerError(2);
  const std::string direccion =
      esquema_ + "://" + host + ":" + std::to_string(puerto) + RutaEscapada(ruta_.value_or("/"));
  Transferencia t(*this, TipoAccion);
  curl_slist* pedidas = curl_slist_append(nullptr, "Pragma: no-cache");
  pedidas = curl_slist_append(pedidas, "Cache-Control: no-cache");
  curl_easy_setopt(curl, CURLOPT_URL, direccion.c_str());
  curl_easy_setopt(curl, CURLOPT_HTTP_VERSION, CURL_HTTP_VERSION_1_0);
  curl_easy_setopt(curl, CURLOPT_USERAGENT, "netDownload");
  curl_easy_setopt(curl, CURLOPT_HTTPHEADER, pedidas);
  curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 10L);
  // Only the web's own schemes, also where a redirect points.
  curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  // A connection that stops moving ends instead of holding the wizard for ever.
  curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, 30L);
  curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, 30L);
  curl_easy_setopt(curl, CURLOPT_BUFFERSIZE, 128L * 1024L);
  curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, &Transferencia::AlRecibirCabecera);
  curl_easy_setopt(curl, CURLOPT_HEADERDATA, &t);
  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &Transferencia::AlRecibirDatos);
  curl_easy_setopt(curl, CURLOPT_WRITEDATA, &t);
  if (USUARIO) curl_easy_setopt(curl, CURLOPT_USERNAME, USUARIO->c_str());
  if (Password) curl_easy_setopt(curl, CURLOPT_PASSWORD, Password->c_str());
  if (!UsarProxy.empty() || !NoUsarProxy.empty()) {
    curl_easy_setopt(curl, CURLOPT_PROXY, UsarProxy.c_str());
    curl_easy_setopt(curl, CURLOPT_NOPROXY, NoUsarProxy.c_str());
  }
  const auto resultado = static_cast<CURLcode>(Transferir(curl, t));
  bool completa = resultado == CURLE_OK && t.cabecerasCompletas;
  // The last bytes that did not fill a block are a block of their own.
  if (completa && !t.pendiente.empty() && !t.Bloque(t.pendiente.data(), t.pendiente.size())) completa = false;
  curl_easy_cleanup(curl);
  curl_slist_free_all(pedidas);
  if (t.fd >= 0) {
    if (completa) t.Escribir();
    if (::close(t.fd) != 0) t.escrituraFallida = true;
  }
  // Only a whole body of the right size is complete: never a cut one, a page of another size
  // (a proxy's), nor one the disk did not keep.
  if (t.escrituraFallida) completa = false;
  if (BytesEsperados && t.recibidos != *BytesEsperados) completa = false;
  if (t.excepcion) std::rethrow_exception(t.excepcion);  // the temporary file stays as it is
  auto borrarTemporal = [&] {
    if (t.temporal) archivos_.BorrarArchivo(*t.temporal, true);
  };

  if (t.parada == Parada::kEstado) return EstablecerError(t.estado);
  if (t.parada == Parada::kSoloCabeceras) return;
  if (t.parada == Parada::kCancelado || (completa && t.cancelar)) {
    borrarTemporal();
    return EstablecerError(998);
  }
  if (!t.cabecerasCompletas) return EstablecerError(5);  // nothing came back from the server
  if (!completa) {
    borrarTemporal();
    return EstablecerError(999);
  }
  // The whole body arrived: only now does it take the final name, replacing any earlier file
  // in one step.
  if (t.temporal) archivos_.Renombrar(*t.temporal, fichero_, true);
}

}  // namespace evalora

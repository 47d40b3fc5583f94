#include "download/netDownload.h"

#include <cmath>
#include <cstdio>
#include <exception>
#include <vector>

#include "core/Texto.h"
#include "platform/TransporteHttp.h"

namespace evalora {

namespace {

enum class Parada {
  kNinguna,
  kEstado,
  kSoloCabeceras,
  kCancelado,
  kExceso,
  kLongitudNoValida,
  kSilencio,
  kSinArchivo,
  kRangoRechazado,  // the rest of a file was refused (416) or is not the rest asked for
};

// A transfer that receives nothing for this long has failed.
constexpr uint32_t kSilencioMaximoMs = 30000;
// The body goes to disk a megabyte at a time.
constexpr int64_t kLoteDeEscritura = 1 << 20;
// How often a partial body is put on the disk itself with its record during a transfer: what a
// power cut can cost.
constexpr uint32_t kAsegurarCadaMs = 10000;

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

}  // namespace

// The answer as the wizard takes it: the headers it asks about, the body block by block into the
// temporary file or the text, the window's turns while the network is waited for.
struct netDownload::Transferencia : ReceptorHttp {
  Transferencia(netDownload& descarga, int32_t tipo)
      : d(descarga), tipoAccion(tipo), porEscribir(descarga.porEscribir_) {
    porEscribir.clear();  // what a stopped transfer gathered is not this one's
  }
  netDownload& d;
  int32_t tipoAccion;
  int estado = 0;
  std::string textoDeEstado;
  std::string lineaDeEstado;
  std::vector<std::string> cabeceras;  // "Name: value" of the final response
  bool cabecerasCompletas = false;
  Parada parada = Parada::kNinguna;
  int64_t anunciado = -1;  // of this answer's body
  // The rest asked for: the partial body held up to `base`, and its record.
  std::optional<RegistroDeParcial> pedido;
  int64_t base = 0;        // bytes of the file before this answer's body (0 unless it continues)
  bool enParcial = false;  // the body goes to the file's partial body, kept if it is cut short
  RegistroDeParcial registro;
  bool registroEnDisco = false;
  int64_t escritos = 0;  // bytes of this body on the file
  uint32_t ultimoAseguramiento = 0;
  std::optional<std::string> temporal;
  std::unique_ptr<EscrituraDeArchivo> archivo;
  std::string pendiente;
  std::string& porEscribir;       // blocks gathered for the disk, written a megabyte at a time
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

  // The final answer's headers: decide whether the body is wanted.
  bool Cabeceras(const RespuestaHttp& respuesta) override {
    ultimaSenal = d.reloj_.Milisegundos();
    estado = respuesta.estado;
    textoDeEstado = respuesta.textoDeEstado;
    lineaDeEstado = respuesta.lineaDeEstado;
    cabeceras = respuesta.cabeceras;
    cabecerasCompletas = true;
    d.statusText_ = textoDeEstado;
    d.statusCode_ = std::to_string(estado);
    if (pedido && estado == 416) {
      parada = Parada::kRangoRechazado;
      return false;
    }
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
    // Only the rest asked for, of the same file, goes on after the part held; any other answer
    // (a 200: the file changed, or the range was ignored) is the whole file from byte 0.
    if (pedido && estado == 206) {
      if (!EsElRestoPedido()) {
        parada = Parada::kRangoRechazado;
        return false;
      }
    } else {
      if (pedido) d.Descartar();  // what was held is not of this file any more
      pedido.reset();
      registroEnDisco = false;
      base = 0;
    }
    if (!PrepararDestino()) {
      parada = Parada::kSinArchivo;  // no body is fetched that could not be kept
      return false;
    }
    inicio = d.reloj_.Milisegundos();
    return true;
  }

  // A 206 to the range asked for: "bytes <base>-<last>/<size>" of the file whose part is held,
  // with its validators when the answer gives them.
  bool EsElRestoPedido() {
    const auto contenido = Cabecera("Content-Range");
    const auto rango = contenido ? LeerRangoDeContenido(*contenido) : std::nullopt;
    if (!rango || rango->primero != base || rango->ultimo != pedido->total - 1 || rango->total != pedido->total) {
      return false;
    }
    if (anunciado >= 0 && anunciado != pedido->total - base) return false;
    const std::string etag = EtagFuerte(Cabecera("ETag"));
    if (!pedido->etag.empty() && !etag.empty() && etag != pedido->etag) return false;
    const auto fecha = Cabecera("Last-Modified");
    if (pedido->etag.empty() && fecha && *fecha != pedido->fecha) return false;
    anunciado = pedido->total - base;
    return true;
  }

  // A whole body that another request can go on with when it is cut short: the server takes
  // ranges of bytes, names this version of the file, and says how long it is.
  bool Reanudable() const {
    const auto rangos = Cabecera("Accept-Ranges");
    if (!rangos || Minusculas(*rangos).find("bytes") == std::string::npos) return false;
    const auto codificacion = Cabecera("Content-Encoding");
    if (codificacion && Minusculas(*codificacion) != "identity") return false;
    return anunciado > 0 && (!EtagFuerte(Cabecera("ETag")).empty() || Cabecera("Last-Modified"));
  }

  // The file's partial body: on from `base` when this answer continues it, else anew. False
  // when it cannot be opened (the body then goes to a temporary file, as one that cannot resume).
  bool AbrirParcial() {
    const std::string cuerpo = NombreDelParcial(d.fichero_);
    if (pedido) {
      archivo = d.archivos_.AbrirParaContinuar(cuerpo, base);
      if (!archivo) return false;
      registro = *pedido;
    } else {
      if (!Reanudable()) return false;
      archivo = d.archivos_.AbrirParaContinuar(cuerpo, 0);
      if (!archivo) return false;
      registro =
          RegistroDeParcial{d.url_, anunciado, EtagFuerte(Cabecera("ETag")), Cabecera("Last-Modified").value_or(""), 0};
    }
    enParcial = true;
    ultimoAseguramiento = d.reloj_.Milisegundos();
    return true;
  }

  // False when the body has nowhere to go on disk.
  bool PrepararDestino() {
    if (d.fichero_.empty()) {
      if (anunciado > 0) d.contenido_.reserve(static_cast<size_t>(std::min<int64_t>(anunciado, 1 << 30)));
      return true;
    }
    const auto barra = d.fichero_.find_last_of('\\');
    // A name without folder has no place in the prefix; the body is then read and dropped, and the
    // caller's size check finds the file missing.
    if (barra == std::string::npos) return true;
    if (!AbrirParcial()) {
      if (pedido) return false;  // the part held is gone: the next attempt starts over
      temporal = d.archivos_.CrearArchivoTemporal(d.fichero_.substr(0, barra));
      if (temporal) archivo = d.archivos_.AbrirParaEscribir(*temporal);
    }
    if (!archivo) return false;
    // Room for what is gathered before each write, made once for all the downloads of this object.
    const int64_t lote = kLoteDeEscritura + std::max<int32_t>(1, d.BytesBloqueDescarga);
    porEscribir.reserve(static_cast<size_t>(anunciado >= 0 ? std::min(anunciado, lote) : lote));
    return true;
  }

  // One block of the body: the loop step of the download.
  bool Bloque(const char* datos, size_t n) {
    if (cancelar) {
      parada = Parada::kCancelado;
      return false;
    }
    d.eventos_.Ceder();
    if (archivo) {
      porEscribir.append(datos, n);
      if (static_cast<int64_t>(porEscribir.size()) >= kLoteDeEscritura) Escribir();
      if (escrituraFallida) return false;
    } else if (d.fichero_.empty()) {
      d.contenido_.append(datos, n);
    }
    recibidos += static_cast<int64_t>(n);
    d.traidos_ += static_cast<int64_t>(n);
    if (anunciado >= 0 && recibidos > anunciado) {
      parada = Parada::kExceso;  // more than announced: never let it fill the disk
      return false;
    }
    const uint32_t transcurrido = d.reloj_.Milisegundos() - inicio;
    if (transcurrido > 0) {
      const double segundos = transcurrido / 1000.0;
      const double velocidad = static_cast<double>(recibidos) / segundos;
      // Of the whole file, the part held before this answer included.
      const int64_t total = anunciado >= 0 ? base + anunciado : -1;
      const int64_t tiene = base + recibidos;
      EventoProgreso e;
      e.BytesTotales = total;
      e.BytesRecibidos = tiene;
      if (anunciado >= 0) {
        e.Porcentaje = total > 0 ? static_cast<double>(tiene) * 100.0 / static_cast<double>(total) : 0;
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
    // The body is not whole on disk: the transfer fails.
    if (!escrituraFallida && !archivo->Escribir(porEscribir.data(), porEscribir.size())) escrituraFallida = true;
    if (!escrituraFallida) escritos += static_cast<int64_t>(porEscribir.size());
    porEscribir.clear();
    if (enParcial && d.reloj_.Milisegundos() - ultimoAseguramiento >= kAsegurarCadaMs) Asegurar();
  }

  // What is on the file goes to the disk itself, then the record that says so.
  void Asegurar() {
    ultimoAseguramiento = d.reloj_.Milisegundos();
    if (escrituraFallida || !archivo->Asegurar()) return;
    registro.asegurados = base + escritos;
    if (GuardarRegistroDeParcial(d.archivos_, d.fichero_, registro)) registroEnDisco = true;
  }

  // Part of the body: cut into the wizard's blocks; what does not fill one waits for more.
  bool Datos(const char* datos, size_t n) override {
    ultimaSenal = d.reloj_.Milisegundos();
    const size_t bloque = static_cast<size_t>(std::max<int32_t>(1, d.BytesBloqueDescarga));
    size_t desde = 0;
    if (!pendiente.empty()) {
      const size_t falta = std::min(n, bloque - pendiente.size());
      pendiente.append(datos, falta);
      desde = falta;
      if (pendiente.size() < bloque) return true;
      if (!Protegido([&] { return Bloque(pendiente.data(), bloque); })) return false;
      pendiente.clear();
    }
    for (; n - desde >= bloque; desde += bloque) {
      if (!Protegido([&] { return Bloque(datos + desde, bloque); })) return false;
    }
    pendiente.assign(datos + desde, n - desde);
    return true;
  }

  // Between two waits for the network: the window's turn, and the end of an attempt that has
  // received nothing for too long.
  bool Esperando() override {
    if (!Protegido([&] {
          d.eventos_.Ceder();
          return true;
        })) {
      return false;
    }
    if (d.reloj_.Milisegundos() - ultimaSenal > kSilencioMaximoMs) {
      parada = Parada::kSilencio;
      return false;
    }
    return true;
  }

  // Nothing may unwind through the transfer library: what the window's events throw is kept and
  // thrown again once the transfer has stopped.
  template <typename Paso>
  bool Protegido(Paso paso) {
    try {
      return paso();
    } catch (...) {
      excepcion = std::current_exception();
      return false;
    }
  }
};


netDownload::netDownload(SistemaDeArchivos& archivos, Reloj& reloj, BucleDeEventos& eventos, TransporteHttp& transporte)
    : archivos_(archivos), reloj_(reloj), eventos_(eventos), transporte_(transporte) {}

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
  // Only what was asked for is looked up (most downloads ask for the length alone).
  auto poner = [](std::string& destino, const std::optional<std::string>& valor) {
    if (const auto v = Acotada(valor)) destino = *v;
  };
  if (QContentLength) poner(QContentLengthStr, t.Cabecera("Content-Length"));
  if (QContentType) poner(QContentTypeStr, t.Cabecera("Content-Type"));
  if (QExpires) poner(QExpiresStr, t.Cabecera("Expires"));
  if (QLastModified) poner(QLastModifiedStr, t.Cabecera("Last-Modified"));
  if (QPragma) poner(QPragmaStr, "no-cache");  // a request header: ours
  if (QVersion) poner(QVersionStr, t.lineaDeEstado.substr(0, t.lineaDeEstado.find(' ')));
  if (QRawHeaders) poner(QRawHeadersStr, t.lineaDeEstado);  // the lines are NUL-separated: the first only
  if (QRawHeadersCrLf) {
    std::string crudas = t.lineaDeEstado + "\r\n";
    for (const auto& linea : t.cabeceras) crudas += linea + "\r\n";
    poner(QRawHeadersCrLfStr, crudas + "\r\n");
  }
  if (QForwarded) poner(QForwardedStr, t.Cabecera("Forwarded"));
  if (QServer) poner(QServerStr, t.Cabecera("Server"));
  if (QRequestMethod) poner(QRequestMethodStr, "GET");  // a request header: ours
}

void netDownload::Descargar(int32_t TipoAccion) {
  for (std::string* r : {&QContentLengthStr, &QContentTypeStr, &QForwardedStr, &QLastModifiedStr, &QPragmaStr,
                         &QRawHeadersStr, &QRequestMethodStr, &QServerStr, &QVersionStr, &QRawHeadersCrLfStr}) {
    r->clear();
  }
  huboError_ = false;
  avanzo_ = false;
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
  auto parcial = TipoAccion != 0 ? ParcialAContinuar() : std::nullopt;
  const int64_t desdeAlInicio = parcial ? parcial->second : 0;
  // At most twice: a refused rest is asked for again whole, at once.
  for (;;) {
    PeticionHttp peticion{esquema_,     host,         puerto,    RutaEscapada(ruta_.value_or("/")),
                          USUARIO,      Password,     UsarProxy, NoUsarProxy,
                          std::nullopt, std::string()};
    Transferencia t(*this, TipoAccion);
    if (parcial) {
      peticion.desde = static_cast<uint64_t>(parcial->second);
      peticion.siRango = parcial->first.registro.SiRango();
      t.pedido = parcial->first.registro;
      t.base = parcial->second;
      t.registroEnDisco = parcial->first.registroEnDisco;
    }
    t.ultimaSenal = reloj_.Milisegundos();
    enCurso_ = &t;
    const FinDelTransporte fin = transporte_.Transferir(peticion, t);
    enCurso_ = nullptr;
    if (t.parada == Parada::kRangoRechazado && !t.excepcion) {
      Descartar();
      parcial.reset();
      continue;
    }
    return Concluir(t, fin, desdeAlInicio);
  }
}

void netDownload::Concluir(Transferencia& t, FinDelTransporte fin, int64_t desdeAlInicio) {
  bool completa = fin == FinDelTransporte::kCompleto && t.cabecerasCompletas;
  // The last bytes that did not fill a block are a block of their own: of a whole body, and of
  // one cut short that stays as the file's partial body (every byte that came is kept).
  if ((completa || t.enParcial) && !t.pendiente.empty() && !t.excepcion && !t.escrituraFallida &&
      t.parada == Parada::kNinguna && !t.Protegido([&] { return t.Bloque(t.pendiente.data(), t.pendiente.size()); })) {
    completa = false;
  }
  if (t.archivo) {
    if (completa || t.enParcial) t.Escribir();
    if (!t.archivo->Cerrar()) t.escrituraFallida = true;
  }
  // Only a whole body of the right size is complete: never a cut one, a page of another size
  // (a proxy's), nor one the disk did not keep.
  if (t.escrituraFallida) completa = false;
  if (BytesEsperados && t.base + t.recibidos != *BytesEsperados) completa = false;
  // A body cut short that the server can go on with stays as the file's partial body.
  auto conservar = [&] {
    parciales_[fichero_] = Parcial{t.registro, t.registroEnDisco};
    avanzo_ = t.base + t.escritos > desdeAlInicio;
  };
  auto borrarTemporal = [&] {
    if (t.temporal) archivos_.BorrarArchivo(*t.temporal, true);
    if (t.enParcial) Descartar();
  };
  if (t.excepcion) {
    if (t.enParcial) conservar();         // the program ends: the next run goes on from there
    std::rethrow_exception(t.excepcion);  // the temporary file stays as it is
  }

  if (t.parada == Parada::kEstado) return EstablecerError(t.estado);
  if (t.parada == Parada::kSoloCabeceras) return;
  if (t.parada == Parada::kCancelado || (completa && t.cancelar)) {
    borrarTemporal();
    return EstablecerError(998);
  }
  if (!t.cabecerasCompletas) {
    // Nothing came back from the server: the step of the transfer that failed.
    switch (fin) {
      case FinDelTransporte::kSinSesion:
        return EstablecerError(2);
      case FinDelTransporte::kSinConexion:
        return EstablecerError(3);
      case FinDelTransporte::kSinPeticion:
        return EstablecerError(4);
      default:
        return EstablecerError(5);
    }
  }
  if (!completa) {
    // Cut short or silent: what came is still this version's beginning. A body that ended whole
    // but of another size, or ran past its length, is not; nor is one the disk refused (a partial
    // body would only keep it full).
    const bool cortada = fin != FinDelTransporte::kCompleto && t.parada != Parada::kExceso && !t.escrituraFallida;
    if (t.enParcial && cortada) {
      conservar();
    } else {
      borrarTemporal();
    }
    return EstablecerError(999);
  }
  // The whole body arrived: only now does it take the final name, replacing any earlier file
  // in one step.
  if (t.temporal) archivos_.Renombrar(*t.temporal, fichero_, true);
  if (t.enParcial && archivos_.Renombrar(NombreDelParcial(fichero_), fichero_, true)) {
    if (t.registroEnDisco) archivos_.BorrarArchivo(NombreDelRegistro(fichero_), true);
    parciales_.erase(fichero_);
  }
}

std::optional<std::pair<netDownload::Parcial, int64_t>> netDownload::ParcialAContinuar() {
  if (fichero_.find_last_of('\\') == std::string::npos) return std::nullopt;
  // The record first: most files have none, and a name that is not there costs more to look up
  // than one that is (under Wine, a reading of the whole folder).
  std::optional<std::pair<Parcial, int64_t>> parcial;
  if (const auto propio = parciales_.find(fichero_); propio != parciales_.end()) {
    parcial.emplace(propio->second, archivos_.Tamano(NombreDelParcial(fichero_)).value_or(0));
  } else {
    bool habia = false;
    const auto registro = LeerRegistroDeParcial(archivos_, fichero_, &habia);
    if (!registro) {
      // A record that is not whole (a power cut while it was written) goes; a body without its
      // record is written anew when the file is.
      if (habia) archivos_.BorrarArchivo(NombreDelRegistro(fichero_), true);
      return std::nullopt;
    }
    // Of an earlier run: only what its record says reached the disk itself.
    const auto cuerpo = archivos_.Tamano(NombreDelParcial(fichero_));
    parcial.emplace(Parcial{*registro, true}, std::min(cuerpo.value_or(0), registro->asegurados));
  }
  const RegistroDeParcial& r = parcial->first.registro;
  const int64_t desde = parcial->second;
  if (r.url == url_ && (!BytesEsperados || r.total == *BytesEsperados) && desde > 0 && desde < r.total &&
      !r.SiRango().empty()) {
    return parcial;
  }
  Descartar();
  return std::nullopt;
}

void netDownload::Descartar() {
  parciales_.erase(fichero_);
  DescartarParcial(archivos_, fichero_);
}

void netDownload::AsegurarParcial() {
  if (enCurso_) {
    if (enCurso_->archivo && enCurso_->enParcial) {
      enCurso_->Escribir();
      enCurso_->Asegurar();
    }
    return;
  }
  for (auto& [fichero, parcial] : parciales_) {
    const std::string cuerpo = NombreDelParcial(fichero);
    const auto tamano = archivos_.Tamano(cuerpo);
    if (!tamano || (parcial.registroEnDisco && parcial.registro.asegurados == *tamano)) continue;
    auto archivo = archivos_.AbrirParaContinuar(cuerpo, *tamano);
    if (!archivo || !archivo->Asegurar() || !archivo->Cerrar()) continue;
    parcial.registro.asegurados = *tamano;
    if (GuardarRegistroDeParcial(archivos_, fichero, parcial.registro)) parcial.registroEnDisco = true;
  }
}

}  // namespace evalora

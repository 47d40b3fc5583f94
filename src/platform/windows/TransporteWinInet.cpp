// The HTTP transfer over WinINet. Its calls block, so they run on a thread of their own; the
// caller's thread takes the answer as it arrives and tells the receiver, and between two parts it
// waits at most 10 ms, so the window keeps turning while the network is slow or silent. The
// network thread alone opens, uses and closes its handles: closing one from another thread while
// a call waits on it would free a value that Windows hands out again (to the next file's request,
// which the waiting call would then read). Stopping asks the network thread to end and waits for it
// a little; one still waiting on the network is left to end by its own time-outs, with its handles.
#include <windows.h>
#include <wininet.h>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <memory>
#include <thread>

#include "platform/TransporteHttp.h"
#include "platform/windows/ManejadorDeInternet.h"
#include "platform/windows/TextoWin.h"

namespace evalora {

namespace {

using win32::Ancho;
using win32::Estrecho;

constexpr auto kEsperaMaxima = std::chrono::milliseconds(10);
constexpr DWORD kLectura = 64 * 1024;
constexpr size_t kColaMaxima = 8u << 20;  // the network waits when the caller falls this far behind
constexpr DWORD kEsperaDeConexionMs = 30000;
constexpr DWORD kEsperaDeRespuestaMs = 60000;  // the network thread's own limit per call
constexpr auto kEsperaAlDetener = std::chrono::milliseconds(200);

// A header of the answer as WinINet gives it; nothing when it has none.
std::optional<std::wstring> Consultar(HINTERNET peticion, DWORD nivel) {
  DWORD tamano = 0;
  DWORD indice = 0;
  HttpQueryInfoW(peticion, nivel, nullptr, &tamano, &indice);
  if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || tamano == 0) return std::nullopt;
  std::wstring texto(tamano / sizeof(wchar_t) + 1, L'\0');
  indice = 0;
  if (!HttpQueryInfoW(peticion, nivel, texto.data(), &tamano, &indice)) return std::nullopt;
  texto.resize(tamano / sizeof(wchar_t));
  return texto;
}

// The final answer's Content-Length; nothing when it has none (or not a number).
std::optional<uint64_t> LongitudAnunciada(HINTERNET peticion) {
  const auto texto = Consultar(peticion, HTTP_QUERY_CONTENT_LENGTH);
  if (!texto || texto->empty() || texto->find_first_not_of(L"0123456789") != std::wstring::npos) return std::nullopt;
  return std::stoull(*texto);
}

// The status line and headers of the final answer.
RespuestaHttp Respuesta(HINTERNET peticion) {
  RespuestaHttp r;
  const std::string crudas = Estrecho(Consultar(peticion, HTTP_QUERY_RAW_HEADERS_CRLF).value_or(L""));
  size_t desde = 0;
  while (desde < crudas.size()) {
    size_t fin = crudas.find("\r\n", desde);
    if (fin == std::string::npos) fin = crudas.size();
    const std::string linea = crudas.substr(desde, fin - desde);
    desde = fin + 2;
    if (linea.empty()) continue;
    if (r.lineaDeEstado.empty()) {
      r.lineaDeEstado = linea;
    } else {
      r.cabeceras.push_back(linea);
    }
  }
  const auto primero = r.lineaDeEstado.find(' ');
  r.estado = primero == std::string::npos ? 0 : std::atoi(r.lineaDeEstado.c_str() + primero + 1);
  const auto segundo = primero == std::string::npos ? std::string::npos : r.lineaDeEstado.find(' ', primero + 1);
  r.textoDeEstado = segundo == std::string::npos ? std::string() : r.lineaDeEstado.substr(segundo + 1);
  return r;
}

// What the network thread hands over, and how the caller stops it.
struct Curso {
  std::mutex m;
  std::condition_variable cv;
  std::optional<RespuestaHttp> respuesta;
  std::deque<std::string> partes;
  size_t enCola = 0;
  bool terminado = false;
  FinDelTransporte fin = FinDelTransporte::kCortado;
  bool detener = false;

  void Terminar(FinDelTransporte como) {
    std::lock_guard<std::mutex> l(m);
    fin = como;
    terminado = true;
    cv.notify_all();
  }
  bool Detenido() {
    std::lock_guard<std::mutex> l(m);
    return detener;
  }
};

// A handle of the network thread, closed by it when it ends.
using Manejador = win32::ManejadorDeInternet;

void Red(const PeticionHttp& p, Curso& c) {
  const std::wstring proxy = Ancho(p.proxy);
  const std::wstring sinProxy = Ancho(p.sinProxy);
  const bool conProxy = !p.proxy.empty() || !p.sinProxy.empty();
  Manejador sesion{InternetOpenW(L"netDownload", conProxy ? INTERNET_OPEN_TYPE_PROXY : INTERNET_OPEN_TYPE_PRECONFIG,
                                 conProxy ? proxy.c_str() : nullptr, conProxy ? sinProxy.c_str() : nullptr, 0)};
  if (!sesion.h) return c.Terminar(FinDelTransporte::kSinSesion);
  DWORD espera = kEsperaDeConexionMs;
  InternetSetOptionW(sesion.h, INTERNET_OPTION_CONNECT_TIMEOUT, &espera, sizeof espera);
  DWORD respuesta = kEsperaDeRespuestaMs;
  InternetSetOptionW(sesion.h, INTERNET_OPTION_RECEIVE_TIMEOUT, &respuesta, sizeof respuesta);
  InternetSetOptionW(sesion.h, INTERNET_OPTION_SEND_TIMEOUT, &respuesta, sizeof respuesta);
  const std::wstring usuario = Ancho(p.usuario.value_or(""));
  const std::wstring clave = Ancho(p.clave.value_or(""));
  Manejador conexion{InternetConnectW(sesion.h, Ancho(p.host).c_str(), static_cast<INTERNET_PORT>(p.puerto),
                                      p.usuario ? usuario.c_str() : nullptr, p.clave ? clave.c_str() : nullptr,
                                      INTERNET_SERVICE_HTTP, 0, 0)};
  if (!conexion.h) return c.Terminar(FinDelTransporte::kSinConexion);
  // Every byte from the server, and none of them into the user's Internet cache.
  const DWORD opciones = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE |
                         (p.esquema == "https" ? INTERNET_FLAG_SECURE : 0);
  Manejador peticion{HttpOpenRequestW(conexion.h, L"GET", Ancho(p.ruta).c_str(), L"HTTP/1.0", nullptr, nullptr,
                                      opciones, 0)};
  if (!peticion.h) return c.Terminar(FinDelTransporte::kSinPeticion);
  if (p.desde) {
    std::wstring rango = L"Range: bytes=" + std::to_wstring(*p.desde) + L"-\r\n";
    if (!p.siRango.empty()) rango += L"If-Range: " + Ancho(p.siRango) + L"\r\n";
    if (!HttpAddRequestHeadersW(peticion.h, rango.c_str(), static_cast<DWORD>(-1),
                                HTTP_ADDREQ_FLAG_ADD | HTTP_ADDREQ_FLAG_REPLACE)) {
      return c.Terminar(FinDelTransporte::kSinPeticion);
    }
  }
  if (c.Detenido()) return c.Terminar(FinDelTransporte::kDetenido);
  if (!HttpSendRequestW(peticion.h, nullptr, 0, nullptr, 0)) return c.Terminar(FinDelTransporte::kSinRespuesta);
  {
    std::lock_guard<std::mutex> l(c.m);
    c.respuesta = Respuesta(peticion.h);
    c.cv.notify_all();
  }
  // The announced length bounds the body, as for any HTTP client: what a server sends beyond it is
  // not the file's, and a connection that closes before it is a cut body. WinINet itself reports
  // both as a normal end.
  std::optional<uint64_t> restante = LongitudAnunciada(peticion.h);
  std::string parte(kLectura, '\0');
  FinDelTransporte como = FinDelTransporte::kCompleto;
  while (!restante || *restante > 0) {
    {
      std::unique_lock<std::mutex> l(c.m);
      c.cv.wait(l, [&] { return c.detener || c.enCola < kColaMaxima; });
      if (c.detener) {
        como = FinDelTransporte::kDetenido;
        break;
      }
    }
    const DWORD pedir = restante && *restante < kLectura ? static_cast<DWORD>(*restante) : kLectura;
    DWORD leidos = 0;
    if (!InternetReadFile(peticion.h, parte.data(), pedir, &leidos)) {
      como = FinDelTransporte::kCortado;
      break;
    }
    if (leidos == 0) {
      if (restante) como = FinDelTransporte::kCortado;
      break;
    }
    if (restante) *restante -= leidos;
    std::lock_guard<std::mutex> l(c.m);
    c.partes.emplace_back(parte.data(), leidos);
    c.enCola += leidos;
    c.cv.notify_all();
  }
  c.Terminar(como);
}

class TransporteWinInet : public TransporteHttp {
 public:
  FinDelTransporte Transferir(const PeticionHttp& p, ReceptorHttp& receptor) override {
    // Shared with the network thread, which may outlive this call.
    auto c = std::make_shared<Curso>();
    std::thread red([c, p] { Red(p, *c); });
    if (!Atender(*c, receptor)) {
      red.join();
      return c->fin;
    }
    {
      std::lock_guard<std::mutex> l(c->m);
      c->detener = true;
      c->cv.notify_all();
    }
    std::unique_lock<std::mutex> l(c->m);
    if (c->cv.wait_for(l, kEsperaAlDetener, [&] { return c->terminado; })) {
      l.unlock();
      red.join();
    } else {
      red.detach();
    }
    return FinDelTransporte::kDetenido;
  }

 private:
  // Tells the receiver what arrives until the transfer ends; true when the receiver stopped it.
  static bool Atender(Curso& c, ReceptorHttp& receptor) {
    bool cabecerasDichas = false;
    for (;;) {
      std::optional<RespuestaHttp> respuesta;
      std::deque<std::string> partes;
      bool terminado = false;
      {
        std::unique_lock<std::mutex> l(c.m);
        c.cv.wait_for(l, kEsperaMaxima, [&] {
          return c.terminado || !c.partes.empty() || (c.respuesta.has_value() && !cabecerasDichas);
        });
        if (!cabecerasDichas && c.respuesta) respuesta = c.respuesta;
        partes.swap(c.partes);
        c.enCola = 0;
        terminado = c.terminado;
        c.cv.notify_all();
      }
      if (respuesta) {
        cabecerasDichas = true;
        if (!receptor.Cabeceras(*respuesta)) return true;
      }
      for (const auto& parte : partes) {
        if (!receptor.Datos(parte.data(), parte.size())) return true;
      }
      if (terminado) return false;
      if (!receptor.Esperando()) return true;
    }
  }
};

}  // namespace

std::unique_ptr<TransporteHttp> NuevoTransporteHttp() { return std::make_unique<TransporteWinInet>(); }

}  // namespace evalora

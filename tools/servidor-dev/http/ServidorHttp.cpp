#include "http/ServidorHttp.h"

#include "Red.h"
#include "core/Texto.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <fstream>

namespace evalora::servidor {

namespace fs = std::filesystem;

namespace {

std::string TextoDeEstado(int estado) {
  switch (estado) {
    case 200:
      return "OK";
    case 206:
      return "Partial Content";
    case 416:
      return "Range Not Satisfiable";
    case 400:
      return "Bad Request";
    case 403:
      return "Forbidden";
    case 404:
      return "Not Found";
    case 500:
      return "Internal Server Error";
    case 503:
      return "Service Unavailable";
    default:
      return "Estado " + std::to_string(estado);
  }
}

void SoloEstado(int fd, int estado) {
  const std::string respuesta = "HTTP/1.0 " + std::to_string(estado) + " " + TextoDeEstado(estado) +
                                "\r\nServer: evalora-servidor-dev\r\nContent-Length: 0\r\n\r\n";
  EnviarTodo(fd, respuesta.data(), respuesta.size());
}

std::optional<uint64_t> Numero(const std::string& texto) {
  if (texto.empty() || texto.size() > 18 || texto.find_first_not_of("0123456789") != std::string::npos) {
    return std::nullopt;
  }
  return std::stoull(texto);
}

// "%20" and friends; nothing when an escape is broken.
std::optional<std::string> Decodificar(const std::string& ruta) {
  std::string salida;
  for (size_t i = 0; i < ruta.size(); ++i) {
    if (ruta[i] != '%') {
      salida += ruta[i];
      continue;
    }
    if (i + 2 >= ruta.size() || !std::isxdigit(static_cast<unsigned char>(ruta[i + 1])) ||
        !std::isxdigit(static_cast<unsigned char>(ruta[i + 2]))) {
      return std::nullopt;
    }
    salida += static_cast<char>(std::stoi(ruta.substr(i + 1, 2), nullptr, 16));
    i += 2;
  }
  return salida;
}

// A header of a request's head; nothing when it has none.
std::optional<std::string> Cabecera(const std::string& cabeza, const std::string& nombre) {
  size_t desde = cabeza.find("\r\n");
  while (desde != std::string::npos) {
    desde += 2;
    const size_t fin = cabeza.find("\r\n", desde);
    const std::string linea = cabeza.substr(desde, fin == std::string::npos ? std::string::npos : fin - desde);
    if (linea.empty()) break;
    const auto dos = linea.find(':');
    if (dos != std::string::npos && IgualesSinMayusculas(RecortarBlancos(linea.substr(0, dos)), nombre)) {
      return RecortarBlancos(linea.substr(dos + 1));
    }
    desde = fin;
  }
  return std::nullopt;
}

// A date as HTTP writes it ("Tue, 10 Mar 2026 09:30:00 GMT").
std::string FechaHttp(time_t segundos) {
  static const char* const kDias[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  static const char* const kMeses[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                       "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  tm t{};
  gmtime_r(&segundos, &t);
  char texto[40];
  std::snprintf(texto, sizeof texto, "%s, %02d %s %04d %02d:%02d:%02d GMT", kDias[t.tm_wday], t.tm_mday,
                kMeses[t.tm_mon], t.tm_year + 1900, t.tm_hour, t.tm_min, t.tm_sec);
  return texto;
}

}  // namespace

PedidoDeRango LeerRango(const std::string& cabeza) {
  PedidoDeRango r;
  r.siRango = Cabecera(cabeza, "If-Range");
  const auto rango = Cabecera(cabeza, "Range");
  if (!rango || rango->rfind("bytes=", 0) != 0) return r;
  const auto guion = rango->find('-', 6);
  if (guion == std::string::npos || guion == 6) return r;
  const auto desde = Numero(rango->substr(6, guion - 6));
  const std::string resto = rango->substr(guion + 1);
  const auto hasta = resto.empty() ? std::nullopt : Numero(resto);
  if (!desde || (!resto.empty() && (!hasta || *hasta < *desde))) return r;
  r.desde = desde;
  r.hasta = hasta;
  return r;
}

std::optional<std::pair<Fallas, std::string>> LeerFallas(const std::string& ruta) {
  const std::string prefijo = "/_fallas/";
  if (ruta.rfind(prefijo, 0) != 0) return std::make_pair(Fallas{}, ruta);
  const auto fin = ruta.find('/', prefijo.size());
  if (fin == std::string::npos) return std::nullopt;
  Fallas f;
  const std::string lista = ruta.substr(prefijo.size(), fin - prefijo.size());
  size_t inicio = 0;
  while (inicio <= lista.size()) {
    size_t coma = lista.find(',', inicio);
    if (coma == std::string::npos) coma = lista.size();
    const std::string elemento = lista.substr(inicio, coma - inicio);
    const auto igual = elemento.find('=');
    const std::string nombre = elemento.substr(0, igual);
    if (igual == std::string::npos) {
      if (nombre == "sin-longitud") {
        f.sinLongitud = true;
      } else if (nombre == "dos-longitudes") {
        f.dosLongitudes = true;
      } else if (nombre == "continuar") {
        f.continuar = true;
      } else if (nombre == "callar") {
        f.callar = true;
      } else if (nombre == "sin-rangos") {
        f.sinRangos = true;
      } else if (nombre == "cambiante") {
        f.cambiante = true;
      } else if (nombre == "rango-erroneo") {
        f.rangoErroneo = true;
      } else {
        return std::nullopt;
      }
      inicio = coma + 1;
      continue;
    }
    const auto leido = igual == std::string::npos ? std::nullopt : Numero(elemento.substr(igual + 1));
    if (!leido) return std::nullopt;
    const uint64_t valor = *leido;
    if (nombre == "estado" && valor >= 100 && valor <= 999) {
      f.estado = static_cast<int>(valor);
    } else if (nombre == "cortar") {
      f.cortar = valor;
    } else if (nombre == "cortar-cada" && valor > 0) {
      f.cortarCada = valor;
    } else if (nombre == "lento" && valor > 0) {
      f.lento = valor;
    } else if (nombre == "de-mas") {
      f.deMas = valor;
    } else if (nombre == "fallar-primeras" && valor < 1000) {
      f.fallarPrimeras = static_cast<int>(valor);
    } else if (nombre == "otro-tamano" && valor <= (1u << 26)) {
      f.otroTamano = valor;
    } else {
      return std::nullopt;
    }
    inicio = coma + 1;
  }
  return std::make_pair(f, ruta.substr(fin));
}

ServidorHttp::ServidorHttp(fs::path contenido) : contenido_(std::move(contenido)) {}

ServidorHttp::~ServidorHttp() { Detener(); }

uint16_t ServidorHttp::Escuchar(uint16_t puerto) {
  uint16_t escuchando = 0;
  escucha_ = EscucharEnLoopback(puerto, escuchando, 64);
  return escucha_ < 0 ? 0 : escuchando;
}

void ServidorHttp::Atender() {
  while (!detenido_) {
    const int fd = ::accept4(escucha_, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0) {
      if (detenido_) break;
      continue;
    }
    if (!sesiones_.Iniciar(fd, [this](int conexion) { Sesion(conexion); })) break;
  }
}

void ServidorHttp::Detener() {
  if (detenido_.exchange(true)) return;
  if (escucha_ >= 0) ::shutdown(escucha_, SHUT_RDWR);
  sesiones_.Detener();
  if (escucha_ >= 0) ::close(escucha_);
}

std::vector<std::string> ServidorHttp::Pedidos() {
  std::lock_guard<std::mutex> bloqueo(candado_);
  return pedidos_;
}

void ServidorHttp::Sesion(int fd) {
  std::string cabecera;
  char bloque[1024];
  while (cabecera.find("\r\n\r\n") == std::string::npos && cabecera.size() < 16384) {
    const ssize_t n = ::recv(fd, bloque, sizeof bloque, 0);
    if (n <= 0) return;
    cabecera.append(bloque, static_cast<size_t>(n));
  }
  const auto finDeLinea = cabecera.find("\r\n");
  const std::string linea = cabecera.substr(0, finDeLinea);
  const auto primero = linea.find(' ');
  const auto segundo = linea.find(' ', primero + 1);
  if (primero == std::string::npos || segundo == std::string::npos) return SoloEstado(fd, 400);
  const std::string metodo = linea.substr(0, primero);
  std::string ruta = linea.substr(primero + 1, segundo - primero - 1);
  const PedidoDeRango rango = LeerRango(cabecera);
  {
    std::lock_guard<std::mutex> bloqueo(candado_);
    pedidos_.push_back(metodo + " " + ruta + (rango.desde ? " bytes=" + std::to_string(*rango.desde) + "-" : ""));
    if (!anotarEn_.empty()) std::ofstream(anotarEn_, std::ios::app) << pedidos_.back() << "\n";
  }
  if (metodo != "GET") return SoloEstado(fd, 400);
  ruta = ruta.substr(0, ruta.find('?'));
  if (ruta == "/_enviados") {
    // How many bytes of files this server has sent: what a benchmark's contender fetched.
    const std::string cuenta = std::to_string(enviados_.load());
    const std::string respuesta =
        "HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\nContent-Length: " + std::to_string(cuenta.size()) + "\r\n\r\n" +
        cuenta;
    EnviarTodo(fd, respuesta.data(), respuesta.size());
    return;
  }
  Responder(fd, ruta, rango);
}

void ServidorHttp::Responder(int fd, const std::string& pedida, const PedidoDeRango& pedido) {
  const auto conFallas = LeerFallas(pedida);
  if (!conFallas) return SoloEstado(fd, 400);
  const Fallas& f = conFallas->first;
  const auto ruta = Decodificar(conFallas->second);
  if (!ruta) return SoloEstado(fd, 400);
  if (f.fallarPrimeras > 0) {
    std::lock_guard<std::mutex> bloqueo(candado_);
    if (fallidas_[pedida]++ < f.fallarPrimeras) return SoloEstado(fd, 500);
  }
  if (f.callar) {
    // Holds the connection, silent, until the client gives up or the server stops.
    char nada;
    while (!detenido_ && ::recv(fd, &nada, 1, 0) > 0) {
    }
    return;
  }
  if (f.continuar && !EnviarTodo(fd, "HTTP/1.1 100 Continue\r\n\r\n", 25)) return;
  if (f.estado) return SoloEstado(fd, f.estado);
  if (f.otroTamano) {
    const std::string pagina =
        "HTTP/1.0 200 OK\r\nContent-Type: text/html\r\nContent-Length: " + std::to_string(*f.otroTamano) + "\r\n\r\n" +
        std::string(*f.otroTamano, 'P');
    EnviarTodo(fd, pagina.data(), pagina.size());
    return;
  }
  // Only files inside the content folder: no "..", no links out of it.
  if (ruta->find("/../") != std::string::npos || (ruta->size() >= 3 && ruta->substr(ruta->size() - 3) == "/..")) {
    return SoloEstado(fd, 403);
  }
  std::error_code error;
  const fs::path archivo = fs::weakly_canonical(contenido_ / fs::path(*ruta).relative_path(), error);
  const fs::path base = fs::weakly_canonical(contenido_, error);
  // Inside the folder by whole components: "/contenido-privado" is not below "/contenido".
  const fs::path relativa = archivo.lexically_relative(base);
  if (error || relativa.empty() || *relativa.begin() == ".." || relativa.is_absolute() ||
      !fs::is_regular_file(archivo, error)) {
    return SoloEstado(fd, 404);
  }
  struct stat datos {};
  if (::stat(archivo.c_str(), &datos) != 0) return SoloEstado(fd, 404);
  const uint64_t tamano = static_cast<uint64_t>(datos.st_size);
  // A file that changes: each request meets the next version, its bytes and its validators new.
  uint64_t version = 0;
  if (f.cambiante) {
    std::lock_guard<std::mutex> bloqueo(candado_);
    version = versiones_[conFallas->second]++;
  }
  const uint64_t nanos = static_cast<uint64_t>(datos.st_mtim.tv_sec) * 1000000000u + datos.st_mtim.tv_nsec;
  char etiqueta[64];
  std::snprintf(etiqueta, sizeof etiqueta, "\"%llx-%llx-%llx\"", static_cast<unsigned long long>(tamano),
                static_cast<unsigned long long>(nanos), static_cast<unsigned long long>(version));
  const std::string modificado = FechaHttp(datos.st_mtim.tv_sec + static_cast<time_t>(version));
  // "bytes=N-" is answered from N when If-Range (if any) names this version; else the whole file.
  std::optional<uint64_t> desde = f.sinRangos ? std::nullopt : pedido.desde;
  if (desde && pedido.siRango && *pedido.siRango != etiqueta && *pedido.siRango != modificado) desde.reset();
  if (desde && *desde >= tamano) {
    const std::string respuesta = "HTTP/1.0 416 Range Not Satisfiable\r\nServer: evalora-servidor-dev\r\n"
                                  "Content-Range: bytes */" + std::to_string(tamano) + "\r\nContent-Length: 0\r\n\r\n";
    EnviarTodo(fd, respuesta.data(), respuesta.size());
    return;
  }
  const uint64_t inicio = desde.value_or(0);
  // One past the last byte sent: the end of the file, or of the range asked for.
  const uint64_t tope = desde && pedido.hasta ? std::min(*pedido.hasta + 1, tamano) : tamano;
  std::string cabecera = std::string(desde ? "HTTP/1.0 206 Partial Content" : "HTTP/1.0 200 OK") +
                         "\r\nServer: evalora-servidor-dev\r\nContent-Type: application/octet-stream\r\n";
  if (!f.sinLongitud) cabecera += "Content-Length: " + std::to_string(tope - inicio) + "\r\n";
  if (f.dosLongitudes) cabecera += "Content-Length: " + std::to_string(tope - inicio + 1) + "\r\n";
  if (desde) {
    cabecera += "Content-Range: bytes " + std::to_string(inicio + (f.rangoErroneo ? 1 : 0)) + "-" +
                std::to_string(tope - 1) + "/" + std::to_string(tamano) + "\r\n";
  }
  if (!f.sinRangos) cabecera += "Accept-Ranges: bytes\r\n";
  cabecera += "ETag: " + std::string(etiqueta) + "\r\nLast-Modified: " + modificado + "\r\n\r\n";
  if (!EnviarTodo(fd, cabecera.data(), cabecera.size())) return;
  std::ifstream entrada(archivo, std::ios::binary);
  entrada.seekg(static_cast<std::streamoff>(inicio));
  uint64_t limite = tope - inicio;
  if (f.cortar) limite = std::min(limite, *f.cortar);
  if (f.cortarCada) limite = std::min(limite, (inicio / *f.cortarCada + 1) * *f.cortarCada - inicio);
  const size_t trozo = f.lento ? static_cast<size_t>(std::max<uint64_t>(1, f.lento / 20)) : 65536;
  std::vector<char> trozoLeido(trozo);
  const char mezcla = static_cast<char>(version * 0x3B);
  uint64_t enviados = 0;
  while (enviados < limite && !detenido_) {
    const size_t cuantos = static_cast<size_t>(std::min<uint64_t>(trozo, limite - enviados));
    entrada.read(trozoLeido.data(), static_cast<std::streamsize>(cuantos));
    const auto leidos = entrada.gcount();
    if (leidos <= 0) return;
    if (mezcla) {
      for (std::streamsize i = 0; i < leidos; ++i) trozoLeido[static_cast<size_t>(i)] ^= mezcla;
    }
    if (!EnviarTodo(fd, trozoLeido.data(), static_cast<size_t>(leidos))) return;
    enviados += static_cast<uint64_t>(leidos);
    enviados_ += static_cast<uint64_t>(leidos);
    if (f.lento) std::this_thread::sleep_for(std::chrono::milliseconds(1000 * cuantos / f.lento));
  }
  if (!f.cortar && f.deMas) {
    const std::string sobra(static_cast<size_t>(std::min<uint64_t>(f.deMas, 1 << 26)), 'X');
    EnviarTodo(fd, sobra.data(), sobra.size());
  }
}

}  // namespace evalora::servidor

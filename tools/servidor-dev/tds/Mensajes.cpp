#include "tds/Mensajes.h"

#include "Red.h"

#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "core/Unicode.h"
#include "tds/Escritor.h"

namespace evalora::tds {

namespace {

bool LeerExacto(int fd, uint8_t* destino, size_t cuantos) {
  while (cuantos > 0) {
    const ssize_t n = ::recv(fd, destino, cuantos, 0);
    if (n <= 0) return false;
    destino += n;
    cuantos -= static_cast<size_t>(n);
  }
  return true;
}

// Reads little-endian numbers and UTF-16 texts with bounds checks.
class Lector {
 public:
  explicit Lector(const std::vector<uint8_t>& b, size_t desde = 0) : b_(b), pos_(desde) {}
  bool Quedan(size_t n) const { return pos_ + n <= b_.size(); }
  size_t Pos() const { return pos_; }
  void Saltar(size_t n) { pos_ += n; }
  uint32_t U8() { return b_[pos_++]; }
  uint32_t U16() {
    const uint32_t v = b_[pos_] | (b_[pos_ + 1] << 8);
    pos_ += 2;
    return v;
  }
  uint32_t U32() {
    const uint32_t v = U16();
    return v | (U16() << 16);
  }
  uint64_t U64() {
    const uint64_t v = U32();
    return v | (static_cast<uint64_t>(U32()) << 32);
  }
  std::string Utf16(size_t caracteres) {
    std::u16string u;
    for (size_t i = 0; i < caracteres; ++i) u.push_back(static_cast<char16_t>(U16()));
    return Utf16AUtf8(u);
  }
  std::string Bytes(size_t n) {
    std::string s(reinterpret_cast<const char*>(b_.data() + pos_), n);
    pos_ += n;
    return s;
  }

 private:
  const std::vector<uint8_t>& b_;
  size_t pos_;
};

// At TDS 7.2 and later a batch and an RPC start with ALL_HEADERS: its u32 total length.
size_t SaltarEncabezados(const std::vector<uint8_t>& datos) {
  if (datos.size() < 4) return 0;
  const uint32_t total = datos[0] | (datos[1] << 8) | (datos[2] << 16) | (static_cast<uint32_t>(datos[3]) << 24);
  return (total >= 4 && total <= datos.size() && total <= 4096) ? total : 0;
}

std::optional<Parametro> LeerValor(Lector& l) {
  Parametro p;
  if (!l.Quedan(1)) return std::nullopt;
  const uint32_t tipo = l.U8();
  switch (tipo) {
    case 0xA7:    // VARCHAR
    case 0xAF:    // CHAR
    case 0xE7:    // NVARCHAR
    case 0xEF: {  // NCHAR
      if (!l.Quedan(7)) return std::nullopt;
      const uint32_t maximo = l.U16();
      l.Saltar(5);  // collation
      const bool ancho = tipo == 0xE7 || tipo == 0xEF;
      std::string bytes;
      if (maximo == 0xFFFF) {  // PLP: u64 total, chunks of u32 length, ended by 0
        if (!l.Quedan(8)) return std::nullopt;
        const uint64_t total = l.U64();
        if (total == ~0ull) return p;
        while (true) {
          if (!l.Quedan(4)) return std::nullopt;
          const uint32_t trozo = l.U32();
          if (trozo == 0) break;
          if (!l.Quedan(trozo)) return std::nullopt;
          bytes += l.Bytes(trozo);
        }
      } else {
        if (!l.Quedan(2)) return std::nullopt;
        const uint32_t largo = l.U16();
        if (largo == 0xFFFF) return p;
        if (!l.Quedan(largo)) return std::nullopt;
        bytes = l.Bytes(largo);
      }
      p.nulo = false;
      p.esTexto = true;
      if (ancho) {
        std::u16string u;
        for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
          u.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                            (static_cast<unsigned char>(bytes[i + 1]) << 8)));
        }
        p.texto = Utf16AUtf8(u);
      } else {
        p.texto = bytes;  // the client sends UTF-8
      }
      return p;
    }
    case 0x26:    // INTN
    case 0x68:    // BITN
    case 0x6D: {  // FLTN
      if (!l.Quedan(2)) return std::nullopt;
      l.U8();  // declared size
      const uint32_t largo = l.U8();
      if (largo == 0) return p;
      if (!l.Quedan(largo) || largo > 8) return std::nullopt;
      uint64_t bits = 0;
      for (uint32_t i = 0; i < largo; ++i) bits |= static_cast<uint64_t>(l.U8()) << (8 * i);
      p.nulo = false;
      if (tipo == 0x6D) {
        if (largo == 8) {
          std::memcpy(&p.real, &bits, 8);
        } else {
          float f;
          const uint32_t b32 = static_cast<uint32_t>(bits);
          std::memcpy(&f, &b32, 4);
          p.real = f;
        }
        p.entero = static_cast<int64_t>(p.real);
      } else {
        // sign-extend
        const int desplazamiento = 64 - static_cast<int>(largo) * 8;
        p.entero = static_cast<int64_t>(bits << desplazamiento) >> desplazamiento;
        if (tipo == 0x68) p.entero = bits != 0;
        p.real = static_cast<double>(p.entero);
      }
      return p;
    }
    default:
      return std::nullopt;
  }
}

}  // namespace

bool LeerMensaje(int fd, Mensaje& mensaje) {
  constexpr size_t kMensajeMaximo = 16u << 20;
  mensaje.datos.clear();
  while (true) {
    uint8_t cabecera[8];
    if (!LeerExacto(fd, cabecera, sizeof cabecera)) return false;
    const size_t largo = (cabecera[2] << 8) | cabecera[3];
    if (largo < 8) return false;
    mensaje.tipo = cabecera[0];
    const size_t antes = mensaje.datos.size();
    // A message whose packets never mark its end would grow without limit: past 16 MiB the
    // session ends.
    if (antes + largo > kMensajeMaximo) return false;
    mensaje.datos.resize(antes + largo - 8);
    if (!LeerExacto(fd, mensaje.datos.data() + antes, largo - 8)) return false;
    if (cabecera[1] & 0x01) return true;
  }
}

bool EnviarRespuesta(int fd, const std::vector<uint8_t>& datos) {
  constexpr size_t kMaximo = 4096 - 8;
  uint8_t numero = 1;
  size_t desde = 0;
  do {
    const size_t trozo = std::min(kMaximo, datos.size() - desde);
    const bool ultimo = desde + trozo == datos.size();
    const size_t largo = trozo + 8;
    const uint8_t cabecera[8] = {0x04,
                                 static_cast<uint8_t>(ultimo ? 0x01 : 0x00),
                                 static_cast<uint8_t>(largo >> 8),
                                 static_cast<uint8_t>(largo & 0xFF),
                                 0,
                                 51,
                                 numero++,
                                 0};
    if (!servidor::EnviarTodo(fd, cabecera, 8) || !servidor::EnviarTodo(fd, datos.data() + desde, trozo)) return false;
    desde += trozo;
  } while (desde < datos.size());
  return true;
}

std::vector<uint8_t> RespuestaPrelogin() {
  // VERSION (6 bytes), ENCRYPTION (1: not supported), INSTOPT (1), THREADID (0), MARS (1).
  const uint8_t opciones[] = {0x00, 0x01, 0x02, 0x03, 0x04};
  const uint8_t largos[] = {6, 1, 1, 0, 1};
  const uint8_t datos[] = {0x0F, 0x00, 0x07, 0xD0, 0x00, 0x00, /*enc*/ 0x02, /*inst*/ 0x00, /*mars*/ 0x00};
  Escritor e;
  uint32_t desplazamiento = 5 * 5 + 1;
  for (size_t i = 0; i < 5; ++i) {
    e.U8(opciones[i]);
    e.U16BE(desplazamiento);
    e.U16BE(largos[i]);
    desplazamiento += largos[i];
  }
  e.U8(0xFF);
  for (uint8_t b : datos) e.U8(b);
  return e.Datos();
}

std::optional<Login> LeerLogin(const std::vector<uint8_t>& datos) {
  if (datos.size() < 86) return std::nullopt;
  Lector l(datos, 4);
  Login login;
  login.versionTds = l.U32();
  auto texto = [&](size_t en, bool clave) -> std::optional<std::string> {
    Lector campo(datos, en);
    const size_t desde = campo.U16();
    const size_t caracteres = campo.U16();
    if (desde + caracteres * 2 > datos.size()) return std::nullopt;
    std::vector<uint8_t> bytes(datos.begin() + static_cast<long>(desde),
                               datos.begin() + static_cast<long>(desde + caracteres * 2));
    if (clave) {
      for (uint8_t& b : bytes) {
        b ^= 0xA5;
        b = static_cast<uint8_t>(((b << 4) | (b >> 4)) & 0xFF);
      }
    }
    std::u16string u = BytesAUtf16(bytes);
    while (!u.empty() && u.back() == u'\0') u.pop_back();
    return Utf16AUtf8(u);
  };
  const auto usuario = texto(40, false);
  const auto clave = texto(44, true);
  const auto base = texto(68, false);
  if (!usuario || !clave || !base) return std::nullopt;
  login.usuario = *usuario;
  login.clave = *clave;
  login.baseDeDatos = *base;
  return login;
}

std::optional<std::string> LeerLote(const std::vector<uint8_t>& datos) {
  const size_t desde = SaltarEncabezados(datos);
  if ((datos.size() - desde) % 2 != 0) return std::nullopt;
  Lector l(datos, desde);
  return l.Utf16((datos.size() - desde) / 2);
}

std::optional<LlamadaRpc> LeerRpc(const std::vector<uint8_t>& datos) {
  Lector l(datos, SaltarEncabezados(datos));
  if (!l.Quedan(2)) return std::nullopt;
  LlamadaRpc llamada;
  const uint32_t largo = l.U16();
  if (largo == 0xFFFF) {
    if (!l.Quedan(2)) return std::nullopt;
    llamada.numero = static_cast<uint16_t>(l.U16());
  } else {
    if (!l.Quedan(largo * 2)) return std::nullopt;
    llamada.procedimiento = l.Utf16(largo);
  }
  if (!l.Quedan(2)) return std::nullopt;
  l.U16();  // option flags
  while (l.Quedan(1)) {
    const uint32_t nombre = l.U8();
    if (!l.Quedan(nombre * 2 + 1)) return std::nullopt;
    l.Saltar(nombre * 2);
    l.U8();  // status
    auto valor = LeerValor(l);
    if (!valor) return std::nullopt;
    llamada.parametros.push_back(std::move(*valor));
  }
  return llamada;
}

}  // namespace evalora::tds

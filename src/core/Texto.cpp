#include "core/Texto.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "core/Unicode.h"

namespace evalora {

std::string Reemplazar(std::string texto, const std::string& que, const std::string& por) {
  for (size_t i = texto.find(que); i != std::string::npos; i = texto.find(que, i + por.size())) {
    texto.replace(i, que.size(), por);
  }
  return texto;
}

std::string RecortarBlancosIzquierda(const std::string& texto) {
  const auto inicio = texto.find_first_not_of(' ');
  return inicio == std::string::npos ? std::string() : texto.substr(inicio);
}

std::string RecortarBlancosDerecha(const std::string& texto) {
  const auto fin = texto.find_last_not_of(' ');
  return fin == std::string::npos ? std::string() : texto.substr(0, fin + 1);
}

std::string RecortarBlancos(const std::string& texto) {
  return RecortarBlancosDerecha(RecortarBlancosIzquierda(texto));
}

char32_t MayusculaDe(char32_t c) {
  if (c >= U'a' && c <= U'z') return c - 0x20;
  if (c < 0x80) return c;
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 0x20;
  if (c == 0xFF) return 0x178;
  if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) return (c % 2 == 1) ? c - 1 : c;
  if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return (c % 2 == 0) ? c - 1 : c;
  if (c == 0x3C2) return 0x3A3;
  if (c >= 0x3B1 && c <= 0x3C9) return c - 0x20;
  if (c >= 0x430 && c <= 0x44F) return c - 0x20;
  if (c >= 0x450 && c <= 0x45F) return c - 0x50;
  return c;
}

char32_t MinusculaDe(char32_t c) {
  if (c >= U'A' && c <= U'Z') return c + 0x20;
  if (c < 0x80) return c;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 0x20;
  if (c == 0x178) return 0xFF;
  if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) return (c % 2 == 0) ? c + 1 : c;
  if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return (c % 2 == 1) ? c + 1 : c;
  if (c >= 0x391 && c <= 0x3A9 && c != 0x3A2) return c + 0x20;
  if (c >= 0x410 && c <= 0x42F) return c + 0x20;
  if (c >= 0x400 && c <= 0x40F) return c + 0x50;
  return c;
}

namespace {
template <typename Regla>
std::string Convertir(const std::string& texto, Regla regla) {
  bool soloAscii = true;
  for (char c : texto) soloAscii = soloAscii && static_cast<unsigned char>(c) < 0x80;
  if (soloAscii) {
    std::string salida = texto;
    for (char& c : salida) c = static_cast<char>(regla(static_cast<unsigned char>(c)));
    return salida;
  }
  std::u32string codigos = Utf8ACodigos(texto);
  for (char32_t& c : codigos) c = regla(c);
  return CodigosAUtf8(codigos);
}
}  // namespace

std::string Mayusculas(const std::string& texto) { return Convertir(texto, MayusculaDe); }
std::string Minusculas(const std::string& texto) { return Convertir(texto, MinusculaDe); }

bool IgualesSinMayusculas(const std::string& a, const std::string& b) {
  return a == b || Mayusculas(a) == Mayusculas(b);
}

std::optional<double> ANumero(const std::string& texto) {
  const std::string limpio = RecortarBlancos(texto);
  size_t i = 0;
  const size_t n = limpio.size();
  auto digitos = [&] {
    size_t contados = 0;
    while (i < n && limpio[i] >= '0' && limpio[i] <= '9') ++i, ++contados;
    return contados;
  };
  if (i < n && (limpio[i] == '+' || limpio[i] == '-')) ++i;
  size_t cifras = digitos();
  if (i < n && limpio[i] == '.') {
    ++i;
    cifras += digitos();
  }
  if (cifras == 0) return std::nullopt;
  if (i < n && (limpio[i] == 'e' || limpio[i] == 'E')) {
    ++i;
    if (i < n && (limpio[i] == '+' || limpio[i] == '-')) ++i;
    if (digitos() == 0) return std::nullopt;
  }
  if (i != n) return std::nullopt;
  return std::strtod(limpio.c_str(), nullptr);
}

double RedondearPar(double valor, int decimales) {
  // Halves go to the even neighbour, whatever rounding mode the process has: the download
  // computes this three times for every block, so it stays plain arithmetic (no pow for the usual
  // scales, no call into the maths library).
  static constexpr double kPotencias[] = {1.0, 10.0, 100.0, 1000.0, 10000.0};
  const double escala =
      decimales >= 0 && decimales < 5 ? kPotencias[decimales] : std::pow(10.0, static_cast<double>(decimales));
  const double x = valor * escala;
  if (!(std::fabs(x) < 0x1p52)) return x / escala;       // whole already (or not a number)
  const auto entero = static_cast<int64_t>(x);           // toward zero
  const double resto = x - static_cast<double>(entero);  // exact below 2^52
  int64_t redondeado = entero;
  if (resto > 0.5 || (resto == 0.5 && (entero & 1) != 0)) {
    ++redondeado;
  } else if (resto < -0.5 || (resto == -0.5 && (entero & 1) != 0)) {
    --redondeado;
  }
  // A negative value that rounds to zero keeps its sign.
  if (redondeado == 0) return std::copysign(0.0, x) / escala;
  return static_cast<double>(redondeado) / escala;
}

std::string FormatoAlmohadillas(double valor) {
  const double entero = std::round(valor);
  if (entero == 0.0 || !std::isfinite(entero)) return std::string();
  return std::to_string(static_cast<long long>(entero));
}

size_t LongitudEnCaracteres(const std::string& texto) { return Utf8ACodigos(texto).size(); }

std::string SubcadenaEnCaracteres(const std::string& texto, size_t desde, size_t cuantos) {
  const std::u32string codigos = Utf8ACodigos(texto);
  if (desde >= codigos.size()) return "";
  return CodigosAUtf8(codigos.substr(desde, cuantos));
}

}  // namespace evalora

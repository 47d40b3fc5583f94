#include "platform/linux/ColmenaWine.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "core/Texto.h"
#include "core/Unicode.h"

namespace evalora::wine {

namespace {

int ValorHex(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

void SaltarBlancos(const std::string& linea, size_t& pos) {
  while (pos < linea.size() && (linea[pos] == ' ' || linea[pos] == '\t')) ++pos;
}

std::string Hex(uint64_t numero) {
  char texto[24];
  std::snprintf(texto, sizeof texto, "%llx", static_cast<unsigned long long>(numero));
  return texto;
}

// The key line's Unix time and the "#time=" FILETIME of a key changed now.
void MarcarAhora(SeccionDeColmena& seccion) {
  using namespace std::chrono;
  const auto ahora = system_clock::now().time_since_epoch();
  const auto segundos = duration_cast<std::chrono::seconds>(ahora).count();
  const uint64_t filetime = (static_cast<uint64_t>(segundos) + 11644473600ull) * 10000000ull +
                            static_cast<uint64_t>(duration_cast<nanoseconds>(ahora).count() % 1000000000) / 100;
  seccion.marca = std::to_string(segundos);
  const std::string tiempo = "#time=" + Hex(filetime);
  auto existente = std::find_if(seccion.opciones.begin(), seccion.opciones.end(),
                                [](const std::string& o) { return o.rfind("#time=", 0) == 0; });
  if (existente != seccion.opciones.end()) {
    *existente = tiempo;
  } else {
    seccion.opciones.insert(seccion.opciones.begin(), tiempo);
  }
  seccion.modificada = true;
}

// Parses the hex byte list of "hex:" data: "0a,ff,…" (blanks allowed around the bytes).
std::optional<std::vector<uint8_t>> LeerBytes(const std::string& texto) {
  std::vector<uint8_t> bytes;
  size_t pos = 0;
  SaltarBlancos(texto, pos);
  if (pos == texto.size()) return bytes;
  while (true) {
    SaltarBlancos(texto, pos);
    int valor = 0;
    int cifras = 0;
    while (pos < texto.size() && ValorHex(texto[pos]) >= 0 && cifras < 2) {
      valor = valor * 16 + ValorHex(texto[pos++]);
      ++cifras;
    }
    if (cifras == 0) return std::nullopt;
    bytes.push_back(static_cast<uint8_t>(valor));
    SaltarBlancos(texto, pos);
    if (pos == texto.size()) return bytes;
    if (texto[pos] != ',') return std::nullopt;
    ++pos;
    SaltarBlancos(texto, pos);
    if (pos == texto.size()) return bytes;  // a list cut after its comma
  }
}

std::optional<uint32_t> LeerTipoEntreParentesis(const std::string& linea, size_t& pos) {
  // at "(N):" after "str" or "hex"
  if (pos >= linea.size() || linea[pos] != '(') return std::nullopt;
  ++pos;
  uint64_t tipo = 0;
  size_t cifras = 0;
  while (pos < linea.size() && ValorHex(linea[pos]) >= 0) {
    tipo = tipo * 16 + static_cast<uint64_t>(ValorHex(linea[pos++]));
    if (++cifras > 8) return std::nullopt;
  }
  if (cifras == 0 || pos + 1 >= linea.size() || linea[pos] != ')' || linea[pos + 1] != ':') return std::nullopt;
  pos += 2;
  return static_cast<uint32_t>(tipo);
}

std::optional<ValorDeColmena> LeerValor(const std::string& linea) {
  ValorDeColmena valor;
  size_t pos = 0;
  if (linea[0] == '@') {
    pos = 1;
  } else {
    pos = 1;
    auto nombre = LeerTextoEscapado(linea, pos, '"');
    if (!nombre) return std::nullopt;
    valor.nombre = Utf16AUtf8(*nombre);
  }
  SaltarBlancos(linea, pos);
  if (pos >= linea.size() || linea[pos] != '=') return std::nullopt;
  ++pos;
  SaltarBlancos(linea, pos);
  auto empieza = [&](const char* prefijo) {
    return linea.compare(pos, std::char_traits<char>::length(prefijo), prefijo) == 0;
  };

  std::optional<uint32_t> tipoTexto;
  if (empieza("\"")) {
    tipoTexto = win::REG_SZ;
  } else if (empieza("str:\"")) {
    tipoTexto = win::REG_SZ;
    pos += 4;
  } else if (empieza("str(")) {
    pos += 3;
    tipoTexto = LeerTipoEntreParentesis(linea, pos);
    if (!tipoTexto || pos >= linea.size() || linea[pos] != '"') return std::nullopt;
  }
  if (tipoTexto) {
    ++pos;  // the opening quote
    auto texto = LeerTextoEscapado(linea, pos, '"');
    if (!texto) return std::nullopt;
    texto->push_back(u'\0');
    valor.dato = {*tipoTexto, Utf16ABytes(*texto)};
    return valor;
  }
  if (empieza("dword:")) {
    pos += 6;
    uint32_t numero = 0;
    size_t cifras = 0;
    while (pos < linea.size() && ValorHex(linea[pos]) >= 0 && cifras < 8) {
      numero = numero * 16 + static_cast<uint32_t>(ValorHex(linea[pos++]));
      ++cifras;
    }
    if (cifras == 0) return std::nullopt;
    valor.dato = DatoDeDword(numero);
    return valor;
  }
  uint32_t tipo = win::REG_BINARY;
  if (empieza("hex:")) {
    pos += 4;
  } else if (empieza("hex(")) {
    pos += 3;
    auto leido = LeerTipoEntreParentesis(linea, pos);
    if (!leido) return std::nullopt;
    tipo = *leido;
  } else {
    return std::nullopt;
  }
  auto bytes = LeerBytes(linea.substr(pos));
  if (!bytes) return std::nullopt;
  valor.dato = {tipo, std::move(*bytes)};
  return valor;
}

bool EsTextoTerminado(const DatoDelRegistro& dato) {
  const auto& b = dato.bytes;
  return b.size() >= 2 && b.size() % 2 == 0 && b[b.size() - 1] == 0 && b[b.size() - 2] == 0;
}

std::string EscribirValor(const ValorDeColmena& valor) {
  std::string linea = valor.nombre.empty() ? "@=" : "\"" + EscaparTexto(Utf8AUtf16(valor.nombre), "\"\"") + "\"=";
  const DatoDelRegistro& dato = valor.dato;
  const bool esTexto = dato.tipo == win::REG_SZ || dato.tipo == win::REG_EXPAND_SZ || dato.tipo == win::REG_MULTI_SZ;
  if (esTexto && EsTextoTerminado(dato)) {
    if (dato.tipo != win::REG_SZ) linea += "str(" + Hex(dato.tipo) + "):";
    std::u16string texto = BytesAUtf16(dato.bytes);
    texto.pop_back();  // the terminating NUL is not written
    return linea + "\"" + EscaparTexto(texto, "\"\"") + "\"";
  }
  if (dato.tipo == win::REG_DWORD && dato.bytes.size() == 4) {
    char numero[16];
    std::snprintf(numero, sizeof numero, "%08x", DwordDeDato(dato));
    return linea + "dword:" + numero;
  }
  linea += dato.tipo == win::REG_BINARY ? "hex:" : "hex(" + Hex(dato.tipo) + "):";
  AnadirBytesEnHex(linea, dato.bytes, "\n");
  return linea;
}

std::vector<std::string> PartirLineas(const std::string& texto) {
  std::vector<std::string> lineas;
  size_t inicio = 0;
  while (inicio < texto.size()) {
    size_t fin = texto.find('\n', inicio);
    if (fin == std::string::npos) fin = texto.size();
    std::string linea = texto.substr(inicio, fin - inicio);
    if (!linea.empty() && linea.back() == '\r') linea.pop_back();
    lineas.push_back(std::move(linea));
    inicio = fin + 1;
  }
  return lineas;
}

// Orders keys as Wine writes them: a key before its subkeys, siblings by name without case.
bool AntesEnElArbol(const std::string& a, const std::string& b) {
  const auto ca = ComponentesDeClave(Plegar(a));
  const auto cb = ComponentesDeClave(Plegar(b));
  return std::lexicographical_compare(ca.begin(), ca.end(), cb.begin(), cb.end());
}

}  // namespace

std::string Plegar(const std::string& nombre) { return Mayusculas(nombre); }

std::vector<std::string> ComponentesDeClave(const std::string& ruta) {
  std::vector<std::string> componentes;
  size_t inicio = 0;
  while (inicio <= ruta.size()) {
    size_t fin = ruta.find('\\', inicio);
    if (fin == std::string::npos) fin = ruta.size();
    if (fin > inicio) componentes.push_back(ruta.substr(inicio, fin - inicio));
    inicio = fin + 1;
  }
  return componentes;
}

std::string UnirClave(const std::vector<std::string>& componentes) {
  std::string ruta;
  for (const auto& c : componentes) {
    if (!ruta.empty()) ruta += '\\';
    ruta += c;
  }
  return ruta;
}

std::string EscaparTexto(const std::u16string& texto, const char* escapar) {
  static const char kEscapes[33] = ".......abtnvfr.............e....";
  std::string salida;
  for (size_t i = 0; i < texto.size(); ++i) {
    const char16_t c = texto[i];
    const bool sigueHex = i + 1 < texto.size() && texto[i + 1] < 128 && ValorHex(static_cast<char>(texto[i + 1])) >= 0;
    char buffer[16];
    if (c > 127) {
      std::snprintf(buffer, sizeof buffer, sigueHex ? "\\x%04x" : "\\x%x", static_cast<unsigned>(c));
      salida += buffer;
    } else if (c < 32) {
      const bool sigueOctal = i + 1 < texto.size() && texto[i + 1] >= u'0' && texto[i + 1] <= u'7';
      if (kEscapes[c] != '.') {
        salida += '\\';
        salida += kEscapes[c];
      } else {
        std::snprintf(buffer, sizeof buffer, sigueOctal ? "\\%03o" : "\\%o", static_cast<unsigned>(c));
        salida += buffer;
      }
    } else {
      if (c == u'\\' || c == static_cast<char16_t>(escapar[0]) || c == static_cast<char16_t>(escapar[1]))
        salida += '\\';
      salida += static_cast<char>(c);
    }
  }
  return salida;
}

std::optional<std::u16string> LeerTextoEscapado(const std::string& linea, size_t& pos, char fin) {
  std::u16string salida;
  while (pos < linea.size()) {
    const char c = linea[pos];
    if (c == fin) {
      ++pos;
      return salida;
    }
    if (c != '\\') {
      // An unescaped character, possibly several bytes of UTF-8.
      size_t largo = 1;
      const auto b = static_cast<unsigned char>(c);
      if (b >= 0xF0)
        largo = 4;
      else if (b >= 0xE0)
        largo = 3;
      else if (b >= 0xC0)
        largo = 2;
      salida += Utf8AUtf16(linea.substr(pos, largo));
      pos += largo;
      continue;
    }
    if (++pos >= linea.size()) return std::nullopt;
    const char e = linea[pos++];
    switch (e) {
      case 'a':
        salida.push_back(7);
        break;
      case 'b':
        salida.push_back(8);
        break;
      case 'e':
        salida.push_back(27);
        break;
      case 'f':
        salida.push_back(12);
        break;
      case 'n':
        salida.push_back(10);
        break;
      case 'r':
        salida.push_back(13);
        break;
      case 't':
        salida.push_back(9);
        break;
      case 'v':
        salida.push_back(11);
        break;
      case 'x': {
        unsigned valor = 0;
        int cifras = 0;
        while (cifras < 4 && pos < linea.size() && ValorHex(linea[pos]) >= 0) {
          valor = valor * 16 + static_cast<unsigned>(ValorHex(linea[pos++]));
          ++cifras;
        }
        salida.push_back(cifras ? static_cast<char16_t>(valor) : u'x');
        break;
      }
      default:
        if (e >= '0' && e <= '7') {
          unsigned valor = static_cast<unsigned>(e - '0');
          for (int cifras = 1; cifras < 3 && pos < linea.size() && linea[pos] >= '0' && linea[pos] <= '7'; ++cifras) {
            valor = valor * 8 + static_cast<unsigned>(linea[pos++] - '0');
          }
          salida.push_back(static_cast<char16_t>(valor));
        } else {
          salida += Utf8AUtf16(std::string(1, e));
        }
    }
  }
  return std::nullopt;
}

bool SeccionDeColmena::EsEnlace() const {
  return std::find(opciones.begin(), opciones.end(), "#link") != opciones.end();
}

const ValorDeColmena* SeccionDeColmena::Valor(const std::string& nombre) const {
  const std::string plegado = Plegar(nombre);
  for (const auto& v : valores) {
    if (Plegar(v.nombre) == plegado) return &v;
  }
  return nullptr;
}

std::optional<ColmenaWine> ColmenaWine::Leer(const std::string& texto, std::vector<std::string>* avisos) {
  const auto lineas = PartirLineas(texto);
  if (lineas.empty() || lineas[0] != kCabecera) return std::nullopt;
  auto avisar = [&](size_t numero, const std::string& que) {
    if (avisos) avisos->push_back("línea " + std::to_string(numero + 1) + ": " + que);
  };
  ColmenaWine colmena;
  colmena.cabecera_.push_back(lineas[0]);
  SeccionDeColmena* actual = nullptr;
  for (size_t i = 1; i < lineas.size(); ++i) {
    const std::string& linea = lineas[i];
    if (!linea.empty() && linea[0] == '[') {
      size_t pos = 1;
      auto ruta = LeerTextoEscapado(linea, pos, ']');
      if (ruta) {
        colmena.secciones_.emplace_back();
        actual = &colmena.secciones_.back();
        actual->ruta = UnirClave(ComponentesDeClave(Utf16AUtf8(*ruta)));
        actual->marca = RecortarBlancos(linea.substr(pos));
        actual->original.push_back(linea);
        continue;
      }
      avisar(i, "clave ilegible");
    }
    if (!actual) {
      colmena.cabecera_.push_back(linea);
      continue;
    }
    actual->original.push_back(linea);
    if (linea.empty()) continue;
    if (linea[0] == '#') {
      actual->opciones.push_back(linea);
      continue;
    }
    if (linea[0] == '"' || linea[0] == '@') {
      std::string completa = linea;
      std::vector<std::string> crudas{linea};
      while (!completa.empty() && completa.back() == '\\' && i + 1 < lineas.size()) {
        completa.pop_back();
        const std::string& siguiente = lineas[++i];
        actual->original.push_back(siguiente);
        crudas.push_back(siguiente);
        completa += RecortarBlancosIzquierda(siguiente);
      }
      if (!completa.empty() && completa.back() == '\\') {
        // The file ends in the middle of the value: it ends here, so that nothing written after
        // it is taken for its continuation.
        completa.pop_back();
        actual->original.back().pop_back();
        crudas.back().pop_back();
        avisar(i, "valor sin terminar al final del archivo en [" + actual->ruta + "]");
      }
      if (auto valor = LeerValor(completa)) {
        actual->valores.push_back(std::move(*valor));
      } else {
        avisar(i, "valor ilegible en [" + actual->ruta + "]");
        actual->otras.insert(actual->otras.end(), crudas.begin(), crudas.end());
      }
      continue;
    }
    if (linea[0] != ';') avisar(i, "línea desconocida en [" + actual->ruta + "]");
    actual->otras.push_back(linea);
  }
  colmena.Reindexar();
  return colmena;
}

ColmenaWine ColmenaWine::Nueva(const std::string& relativoA) {
  ColmenaWine colmena;
  colmena.cabecera_ = {kCabecera, ";; All keys relative to " + relativoA, "", "#arch=win64", ""};
  return colmena;
}

std::string ColmenaWine::Escribir() const {
  std::string texto;
  for (const auto& linea : cabecera_) texto += linea + "\n";
  for (const auto& seccion : secciones_) {
    if (!seccion.modificada) {
      for (const auto& linea : seccion.original) texto += linea + "\n";
      continue;
    }
    texto += "[" + EscaparTexto(Utf8AUtf16(seccion.ruta), "[]") + "]";
    if (!seccion.marca.empty()) texto += " " + seccion.marca;
    texto += "\n";
    for (const auto& opcion : seccion.opciones) texto += opcion + "\n";
    for (const auto& valor : seccion.valores) texto += EscribirValor(valor) + "\n";
    for (const auto& otra : seccion.otras) texto += otra + "\n";
    texto += "\n";
  }
  return texto;
}

void ColmenaWine::Reindexar() {
  indice_.clear();
  for (size_t i = 0; i < secciones_.size(); ++i) indice_.emplace(Plegar(secciones_[i].ruta), i);
}

const SeccionDeColmena* ColmenaWine::Seccion(const std::string& ruta) const {
  auto it = indice_.find(Plegar(UnirClave(ComponentesDeClave(ruta))));
  return it == indice_.end() ? nullptr : &secciones_[it->second];
}

bool ColmenaWine::ExisteClave(const std::string& ruta) const {
  const std::string plegada = Plegar(UnirClave(ComponentesDeClave(ruta)));
  if (plegada.empty() || indice_.count(plegada)) return true;
  auto it = indice_.lower_bound(plegada + "\\");
  return it != indice_.end() && it->first.rfind(plegada + "\\", 0) == 0;
}

std::vector<std::string> ColmenaWine::Subclaves(const std::string& ruta) const {
  const std::string plegada = Plegar(UnirClave(ComponentesDeClave(ruta)));
  const std::string prefijo = plegada.empty() ? "" : plegada + "\\";
  std::map<std::string, std::string> nombres;  // upper case → as written
  for (auto it = indice_.lower_bound(prefijo); it != indice_.end() && it->first.rfind(prefijo, 0) == 0; ++it) {
    const std::string resto = it->first.substr(prefijo.size());
    const std::string plegado = resto.substr(0, resto.find('\\'));
    if (plegado.empty() || nombres.count(plegado)) continue;
    const auto componentes = ComponentesDeClave(secciones_[it->second].ruta);
    const size_t nivel = ComponentesDeClave(plegada).size();
    nombres.emplace(plegado, nivel < componentes.size() ? componentes[nivel] : plegado);
  }
  std::vector<std::string> salida;
  for (auto& [plegado, nombre] : nombres) salida.push_back(nombre);
  return salida;
}

std::string ColmenaWine::ResolverEnlaces(const std::string& ruta) const {
  static const std::string kMaquina = "\\REGISTRY\\MACHINE\\";
  auto componentes = ComponentesDeClave(ruta);
  for (int saltos = 0; saltos < 16; ++saltos) {
    bool cambio = false;
    for (size_t n = 1; n <= componentes.size() && !cambio; ++n) {
      const std::vector<std::string> prefijo(componentes.begin(), componentes.begin() + static_cast<long>(n));
      const SeccionDeColmena* seccion = Seccion(UnirClave(prefijo));
      if (!seccion || !seccion->EsEnlace()) continue;
      const ValorDeColmena* destino = seccion->Valor("SymbolicLinkValue");
      if (!destino) continue;
      const std::string texto = Utf16AUtf8(BytesAUtf16(destino->dato.bytes));
      if (Plegar(texto).rfind(kMaquina, 0) != 0) continue;
      auto nuevos = ComponentesDeClave(texto.substr(kMaquina.size()));
      nuevos.insert(nuevos.end(), componentes.begin() + static_cast<long>(n), componentes.end());
      componentes = std::move(nuevos);
      cambio = true;
    }
    if (!cambio) break;
  }
  return UnirClave(componentes);
}

SeccionDeColmena& ColmenaWine::SeccionParaEscribir(const std::string& ruta) {
  const std::string limpia = UnirClave(ComponentesDeClave(ruta));
  auto it = indice_.find(Plegar(limpia));
  if (it != indice_.end()) {
    MarcarAhora(secciones_[it->second]);
    return secciones_[it->second];
  }
  SeccionDeColmena nueva;
  nueva.ruta = limpia;
  MarcarAhora(nueva);
  auto lugar = std::find_if(secciones_.begin(), secciones_.end(),
                            [&](const SeccionDeColmena& s) { return AntesEnElArbol(limpia, s.ruta); });
  const auto posicion = static_cast<size_t>(lugar - secciones_.begin());
  secciones_.insert(lugar, std::move(nueva));
  Reindexar();
  return secciones_[posicion];
}

void ColmenaWine::EstablecerValor(const std::string& ruta, const std::string& nombre, const DatoDelRegistro& dato) {
  SeccionDeColmena& seccion = SeccionParaEscribir(ruta);
  const std::string plegado = Plegar(nombre);
  for (auto& v : seccion.valores) {
    if (Plegar(v.nombre) == plegado) {
      v.dato = dato;
      return;
    }
  }
  auto lugar = std::find_if(seccion.valores.begin(), seccion.valores.end(),
                            [&](const ValorDeColmena& v) { return plegado < Plegar(v.nombre); });
  seccion.valores.insert(lugar, ValorDeColmena{nombre, dato});
}

bool ColmenaWine::BorrarValor(const std::string& ruta, const std::string& nombre) {
  auto it = indice_.find(Plegar(UnirClave(ComponentesDeClave(ruta))));
  if (it == indice_.end()) return false;
  SeccionDeColmena& seccion = secciones_[it->second];
  const std::string plegado = Plegar(nombre);
  auto valor = std::find_if(seccion.valores.begin(), seccion.valores.end(),
                            [&](const ValorDeColmena& v) { return Plegar(v.nombre) == plegado; });
  if (valor == seccion.valores.end()) return false;
  seccion.valores.erase(valor);
  MarcarAhora(seccion);
  return true;
}

void ColmenaWine::BorrarArbol(const std::string& ruta) {
  auto componentes = ComponentesDeClave(ruta);
  const std::string plegada = Plegar(UnirClave(componentes));
  std::erase_if(secciones_, [&](const SeccionDeColmena& s) {
    const std::string p = Plegar(s.ruta);
    return plegada.empty() || p == plegada || p.rfind(plegada + "\\", 0) == 0;
  });
  Reindexar();
  // The parent stays a key even when it loses its last subkey and has no values: Wine writes
  // such a key as a section of its own.
  if (componentes.size() > 1) {
    componentes.pop_back();
    const std::string padre = UnirClave(componentes);
    if (!ExisteClave(padre)) SeccionParaEscribir(padre);
  }
}

}  // namespace evalora::wine

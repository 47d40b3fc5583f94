#include "platform/Registro.h"

#include <algorithm>
#include <cstdio>

#include "core/Texto.h"
#include "core/Unicode.h"

namespace evalora {

std::optional<std::pair<win::HKEY, std::string>> AnalizarClave(const std::string& texto) {
  const auto barra = texto.find('\\');
  const std::string raiz = Mayusculas(texto.substr(0, barra));
  const std::string ruta = barra == std::string::npos ? "" : texto.substr(barra + 1);
  const std::pair<const char*, win::HKEY> raices[] = {
      {"HKLM", win::HKEY_LOCAL_MACHINE},  {"HKEY_LOCAL_MACHINE", win::HKEY_LOCAL_MACHINE},
      {"HKCU", win::HKEY_CURRENT_USER},   {"HKEY_CURRENT_USER", win::HKEY_CURRENT_USER},
      {"HKCR", win::HKEY_CLASSES_ROOT},   {"HKEY_CLASSES_ROOT", win::HKEY_CLASSES_ROOT},
      {"HKU", win::HKEY_USERS},           {"HKEY_USERS", win::HKEY_USERS},
      {"HKCC", win::HKEY_CURRENT_CONFIG}, {"HKEY_CURRENT_CONFIG", win::HKEY_CURRENT_CONFIG},
  };
  for (const auto& [nombre, clave] : raices) {
    if (raiz == nombre) return std::make_pair(clave, ruta);
  }
  return std::nullopt;
}

long BorrarArbol(Registro& registro, win::HKEY raiz, const std::string& ruta) {
  if (ruta.find_first_not_of('\\') == std::string::npos) return win::kAccesoDenegado;  // a whole root: never
  if (const long r = registro.AbrirClave(raiz, ruta); r != win::kExito) return r;
  std::string nombre;
  // Always the first subkey: each one is gone once deleted.
  while (registro.EnumerarSubclave(raiz, ruta, 0, nombre) == win::kExito) {
    if (const long r = BorrarArbol(registro, raiz, ruta.empty() ? nombre : ruta + "\\" + nombre); r != win::kExito) {
      return r;
    }
  }
  return registro.BorrarClave(raiz, ruta);
}

DatoDelRegistro DatoDeTexto(const std::string& texto, uint32_t tipo) {
  std::u16string unidades = Utf8AUtf16(texto);
  unidades.push_back(u'\0');
  return {tipo, Utf16ABytes(unidades)};
}

DatoDelRegistro DatoDeMultiTexto(const std::vector<std::string>& textos) {
  std::u16string unidades;
  for (const auto& t : textos) {
    unidades += Utf8AUtf16(t);
    unidades.push_back(u'\0');
  }
  unidades.push_back(u'\0');
  return {win::REG_MULTI_SZ, Utf16ABytes(unidades)};
}

DatoDelRegistro DatoDeDword(uint32_t numero) {
  return {win::REG_DWORD,
          {static_cast<uint8_t>(numero), static_cast<uint8_t>(numero >> 8), static_cast<uint8_t>(numero >> 16),
           static_cast<uint8_t>(numero >> 24)}};
}

std::string TextoDeDato(const DatoDelRegistro& dato) {
  std::u16string unidades = BytesAUtf16(dato.bytes);
  const auto fin = unidades.find(u'\0');
  if (fin != std::u16string::npos) unidades.resize(fin);
  return Utf16AUtf8(unidades);
}

std::vector<std::string> TextosDeDato(const DatoDelRegistro& dato) {
  std::vector<std::string> textos;
  const std::u16string unidades = BytesAUtf16(dato.bytes);
  size_t inicio = 0;
  while (inicio < unidades.size()) {
    size_t fin = unidades.find(u'\0', inicio);
    if (fin == std::u16string::npos) fin = unidades.size();
    if (fin == inicio) break;  // the empty string ends the list
    textos.push_back(Utf16AUtf8(unidades.substr(inicio, fin - inicio)));
    inicio = fin + 1;
  }
  return textos;
}

uint32_t DwordDeDato(const DatoDelRegistro& dato) {
  uint32_t numero = 0;
  for (size_t i = 0; i < 4 && i < dato.bytes.size(); ++i) numero |= static_cast<uint32_t>(dato.bytes[i]) << (8 * i);
  return numero;
}

namespace {

std::string EscaparParaReg(const std::string& texto) {
  std::string salida;
  for (char c : texto) {
    if (c == '\\' || c == '"') salida += '\\';
    salida += c;
  }
  return salida;
}

}  // namespace

std::string LineaDeValor(const std::string& nombre, const DatoDelRegistro& dato) {
  std::string linea = nombre.empty() ? "@=" : "\"" + EscaparParaReg(nombre) + "\"=";
  const auto& b = dato.bytes;
  if (dato.tipo == win::REG_SZ && b.size() >= 2 && b.size() % 2 == 0 && b[b.size() - 1] == 0 && b[b.size() - 2] == 0) {
    const std::u16string unidades = BytesAUtf16(b);
    const bool simple = std::all_of(unidades.begin(), unidades.end() - 1, [](char16_t c) { return c >= 32; });
    if (simple) return linea + "\"" + EscaparParaReg(TextoDeDato(dato)) + "\"";
  }
  if (dato.tipo == win::REG_DWORD && b.size() == 4) {
    char numero[16];
    std::snprintf(numero, sizeof numero, "%08x", DwordDeDato(dato));
    return linea + "dword:" + numero;
  }
  char tipo[16];
  std::snprintf(tipo, sizeof tipo, "hex(%x):", dato.tipo);
  linea += dato.tipo == win::REG_BINARY ? "hex:" : tipo;
  AnadirBytesEnHex(linea, b, "\r\n");
  return linea;
}

void AnadirBytesEnHex(std::string& linea, const std::vector<uint8_t>& bytes, const char* salto) {
  size_t columna = linea.size() - (linea.rfind('\n') == std::string::npos ? 0 : linea.rfind('\n') + 1);
  for (size_t i = 0; i < bytes.size(); ++i) {
    char par[4];
    std::snprintf(par, sizeof par, "%02x", bytes[i]);
    linea += par;
    columna += 2;
    if (i + 1 < bytes.size()) {
      linea += ',';
      if (++columna > 76) {
        linea += std::string("\\") + salto + "  ";
        columna = 2;
      }
    }
  }
}

}  // namespace evalora

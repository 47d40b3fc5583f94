#include "download/DescargaParcial.h"

#include <vector>

#include "core/Texto.h"

namespace evalora {

namespace {

constexpr const char* kCabecera = "Evalora: descarga parcial 1";
constexpr const char* kFin = "fin";
constexpr size_t kTamanoMaximo = 16384;

// A count of bytes written in decimal digits only (no sign, no blanks).
std::optional<int64_t> Numero(const std::string& texto) {
  if (texto.empty() || texto.size() > 18 || texto.find_first_not_of("0123456789") != std::string::npos) {
    return std::nullopt;
  }
  return std::stoll(texto);
}

bool SinSaltos(const std::string& texto) { return texto.find_first_of("\r\n") == std::string::npos; }

}  // namespace

std::string NombreDelParcial(const std::string& fichero) { return fichero + ".EVLparcial"; }
std::string NombreDelRegistro(const std::string& fichero) { return fichero + ".EVLreanudar"; }

std::optional<RegistroDeParcial> LeerRegistroDeParcial(const SistemaDeArchivos& archivos, const std::string& fichero,
                                                       bool* habia) {
  const auto texto = archivos.LeerArchivo(NombreDelRegistro(fichero), kTamanoMaximo);
  if (habia) *habia = texto.has_value();
  if (!texto) return std::nullopt;
  std::vector<std::string> lineas;
  size_t inicio = 0;
  for (size_t fin; (fin = texto->find('\n', inicio)) != std::string::npos; inicio = fin + 1) {
    lineas.push_back(texto->substr(inicio, fin - inicio));
  }
  // Every line, in its order, and the last one: a record cut short is no record.
  if (inicio != texto->size() || lineas.size() != 7 || lineas[0] != kCabecera || lineas[6] != kFin) {
    return std::nullopt;
  }
  auto valor = [&](size_t i, const char* clave) -> std::optional<std::string> {
    const std::string prefijo = std::string(clave) + "=";
    if (lineas[i].rfind(prefijo, 0) != 0) return std::nullopt;
    return lineas[i].substr(prefijo.size());
  };
  const auto url = valor(1, "url"), total = valor(2, "total"), etag = valor(3, "etag"), fecha = valor(4, "fecha"),
             asegurados = valor(5, "asegurados");
  if (!url || !total || !etag || !fecha || !asegurados) return std::nullopt;
  RegistroDeParcial r;
  r.url = *url;
  r.etag = *etag;
  r.fecha = *fecha;
  const auto t = Numero(*total), a = Numero(*asegurados);
  if (!t || !a || *a > *t) return std::nullopt;
  r.total = *t;
  r.asegurados = *a;
  return r;
}

bool GuardarRegistroDeParcial(SistemaDeArchivos& archivos, const std::string& fichero, const RegistroDeParcial& r) {
  if (!SinSaltos(r.url) || !SinSaltos(r.etag) || !SinSaltos(r.fecha)) return false;
  const std::string texto = std::string(kCabecera) + "\nurl=" + r.url + "\ntotal=" + std::to_string(r.total) +
                            "\netag=" + r.etag + "\nfecha=" + r.fecha + "\nasegurados=" + std::to_string(r.asegurados) +
                            "\n" + kFin + "\n";
  auto archivo = archivos.AbrirParaContinuar(NombreDelRegistro(fichero), 0);
  if (!archivo) return false;
  const bool bien = archivo->Escribir(texto.data(), texto.size()) && archivo->Asegurar();
  return archivo->Cerrar() && bien;
}

void DescartarParcial(SistemaDeArchivos& archivos, const std::string& fichero) {
  // The record first: a body without its record is never continued.
  archivos.BorrarArchivo(NombreDelRegistro(fichero), true);
  archivos.BorrarArchivo(NombreDelParcial(fichero), true);
}

std::optional<RangoDeContenido> LeerRangoDeContenido(const std::string& valor) {
  const std::string v = RecortarBlancos(valor);
  if (Minusculas(v.substr(0, 6)) != "bytes ") return std::nullopt;
  const std::string resto = RecortarBlancos(v.substr(6));
  const auto guion = resto.find('-');
  const auto barra = resto.find('/');
  if (guion == std::string::npos || barra == std::string::npos || guion > barra) return std::nullopt;
  const auto primero = Numero(resto.substr(0, guion));
  const auto ultimo = Numero(resto.substr(guion + 1, barra - guion - 1));
  const auto total = Numero(resto.substr(barra + 1));
  if (!primero || !ultimo || !total || *primero > *ultimo || *ultimo >= *total) return std::nullopt;
  return RangoDeContenido{*primero, *ultimo, *total};
}

std::string EtagFuerte(const std::optional<std::string>& etag) {
  if (!etag || etag->size() < 2 || etag->front() != '"' || etag->back() != '"') return {};
  return *etag;
}

}  // namespace evalora

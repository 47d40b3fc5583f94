#include "catalogue/VersionDelCatalogo.h"

#include <cstdint>
#include <limits>

#include "core/Texto.h"

namespace evalora {

namespace {

// A 32-bit whole number from its decimal text (blanks around it allowed); nothing otherwise.
std::optional<int32_t> Entero32(const std::string& texto) {
  const std::string limpio = RecortarBlancos(texto);
  if (limpio.empty() || limpio.size() > 10 || limpio.find_first_not_of("0123456789") != std::string::npos) {
    return std::nullopt;
  }
  const long long valor = std::stoll(limpio);
  if (valor > std::numeric_limits<int32_t>::max()) return std::nullopt;
  return static_cast<int32_t>(valor);
}

}  // namespace

std::string TextoVersionDesactualizada(const std::string& sitioWeb) {
  return "La versión del Asistente de instalación que está utilizando no corresponde con la versión más reciente. "
         "Ingresa a " +
         sitioWeb + " para obtener la última versión.";
}

std::string FormaConPuntos(const VersionDelEjecutable& v) {
  return std::to_string(v.Mayor) + "." + std::to_string(v.Menor) + "." + std::to_string(v.Revision);
}

VeredictoDeVersion JuzgarVersion(const std::optional<FilaDeVersion>& fila, const VersionDelEjecutable& propia) {
  if (!fila || !fila->activa) return VeredictoDeVersion::kMantenimiento;
  if (RecortarBlancos(fila->version) == FormaConPuntos(propia)) return VeredictoDeVersion::kVigente;
  std::string sinPuntos;
  for (char c : fila->version) {
    if (c != '.') sinPuntos += c;
  }
  const auto delCatalogo = Entero32(sinPuntos);
  const auto empaquetada =
      Entero32(std::to_string(propia.Mayor) + std::to_string(propia.Menor) + std::to_string(propia.Revision));
  if (!delCatalogo || !empaquetada) return VeredictoDeVersion::kFallo;
  return *empaquetada > *delCatalogo ? VeredictoDeVersion::kVigente : VeredictoDeVersion::kDesactualizada;
}

}  // namespace evalora

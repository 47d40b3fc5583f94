#pragma once
// Whether this build may still run, from the catalogue's row for its kind and product version.

#include <optional>
#include <string>

#include "platform/InformacionDelEjecutable.h"

namespace evalora {

inline constexpr const char* kTextoMantenimiento =
    "En este momento nuestros servidores están en mantenimiento por lo que la descarga no está disponible. Por "
    "favor reintenta más tarde.";

// The outdated-build notice, naming the web site (a host name) where the latest build is.
std::string TextoVersionDesactualizada(const std::string& sitioWeb);

struct FilaDeVersion {
  bool activa = false;
  std::string version;  // "2020.6.3"
};

enum class VeredictoDeVersion {
  kVigente,         // may run
  kMantenimiento,   // no row, or the service is switched off
  kDesactualizada,  // an older build
  kFallo,           // the row could not be read (a "Version" that is no number)
};

// The build's dotted form (2020.6.3: major, minor, revision) and its packed form (202063).
std::string FormaConPuntos(const VersionDelEjecutable& version);

// `primeraFila` is nothing when the catalogue has no row. Same when the trimmed texts match;
// newer when the packed form, as a number, is greater than the catalogue's version without
// its dots (so 2020.6.10 counts as newer than 2020.6.0.9).
VeredictoDeVersion JuzgarVersion(const std::optional<FilaDeVersion>& primeraFila, const VersionDelEjecutable& propia);

}  // namespace evalora

#pragma once
// What stays of a download that stopped before its end, for the next attempt or the next run to
// go on from: the body received so far, under the final name + ".EVLparcial", and beside it, under
// the final name + ".EVLreanudar", what that body belongs to (the address, the whole size, the
// server's validators) and how much of it is surely on the disk itself. Neither name is one of
// the "EVL….tmp" files the sweeps delete, nor one a user gives a file.

#include <cstdint>
#include <optional>
#include <string>

#include "platform/SistemaDeArchivos.h"

namespace evalora {

struct RegistroDeParcial {
  std::string url;
  int64_t total = 0;       // the whole file's size
  std::string etag;        // the server's strong ETag, or empty
  std::string fecha;       // its Last-Modified, or empty
  int64_t asegurados = 0;  // bytes of the body known to be on the disk (they survive a power cut)

  // What an If-Range names: the ETag when there is one, else the date.
  const std::string& SiRango() const { return etag.empty() ? fecha : etag; }
};

std::string NombreDelParcial(const std::string& fichero);
std::string NombreDelRegistro(const std::string& fichero);

// The record of the partial body of `fichero`; nothing when there is none or it is not whole (a
// power cut while it was written); `habia` tells whether a record file could be read at all.
std::optional<RegistroDeParcial> LeerRegistroDeParcial(const SistemaDeArchivos& archivos, const std::string& fichero,
                                                       bool* habia = nullptr);
// Writes the record and waits until it is on the disk.
bool GuardarRegistroDeParcial(SistemaDeArchivos& archivos, const std::string& fichero, const RegistroDeParcial& r);
// Deletes the partial body of `fichero` and its record, whichever is there.
void DescartarParcial(SistemaDeArchivos& archivos, const std::string& fichero);

// A Content-Range of bytes: "bytes <primero>-<ultimo>/<total>".
struct RangoDeContenido {
  int64_t primero = 0;
  int64_t ultimo = 0;
  int64_t total = 0;
};
std::optional<RangoDeContenido> LeerRangoDeContenido(const std::string& valor);

// The validator an answer gives for a later If-Range: a strong ETag (a weak one, "W/…", never
// names the same bytes), and the Last-Modified date.
std::string EtagFuerte(const std::optional<std::string>& etag);

}  // namespace evalora

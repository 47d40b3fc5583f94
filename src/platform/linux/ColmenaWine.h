#pragma once
// One of Wine's text registry files (system.reg, user.reg, userdef.reg) in memory: read
// tolerantly, changed key by key, and written back keeping every line of the keys it did not
// change exactly as they were.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/Registro.h"

namespace evalora::wine {

struct ValorDeColmena {
  std::string nombre;  // empty: the key's default value "@"
  DatoDelRegistro dato;
};

struct SeccionDeColmena {
  std::string ruta;                   // components joined by '\', as written
  std::string marca;                  // what follows ']' on the key line (Unix time)
  std::vector<std::string> opciones;  // "#time=…", "#class=…", "#link" and other option lines
  std::vector<ValorDeColmena> valores;
  std::vector<std::string> otras;     // lines that were not understood, kept as they were
  std::vector<std::string> original;  // the section's text as read, for writing it back unchanged
  bool modificada = false;

  bool EsEnlace() const;
  const ValorDeColmena* Valor(const std::string& nombre) const;
};

class ColmenaWine {
 public:
  static constexpr const char* kCabecera = "WINE REGISTRY Version 2";

  // Nothing when the first line is not the header (Wine would not load the file either). Lines
  // it cannot read are skipped and described in `avisos`.
  static std::optional<ColmenaWine> Leer(const std::string& texto, std::vector<std::string>* avisos = nullptr);
  // An empty file: the header, the comment that says what the keys are relative to, and the
  // 64-bit mark.
  static ColmenaWine Nueva(const std::string& relativoA);
  std::string Escribir() const;

  // `ruta` is a path below the hive's root without links; the root itself always exists.
  bool ExisteClave(const std::string& ruta) const;
  const SeccionDeColmena* Seccion(const std::string& ruta) const;
  // Names of the subkeys in the order Wine enumerates them (without regard to case).
  std::vector<std::string> Subclaves(const std::string& ruta) const;
  // Follows the "#link" keys that point inside this hive ("\Registry\Machine\…").
  std::string ResolverEnlaces(const std::string& ruta) const;

  // The key's section, created (with its place in the file's order) when missing; marked changed.
  SeccionDeColmena& SeccionParaEscribir(const std::string& ruta);
  void EstablecerValor(const std::string& ruta, const std::string& nombre, const DatoDelRegistro& dato);
  bool BorrarValor(const std::string& ruta, const std::string& nombre);
  // Removes a key and everything below it.
  void BorrarArbol(const std::string& ruta);

 private:
  void Reindexar();

  std::vector<std::string> cabecera_;
  std::vector<SeccionDeColmena> secciones_;
  std::map<std::string, size_t> indice_;  // path in upper case → section
};

// The case-free form under which names are compared.
std::string Plegar(const std::string& nombre);
// Splits a key path at '\' and drops empty components.
std::vector<std::string> ComponentesDeClave(const std::string& ruta);
std::string UnirClave(const std::vector<std::string>& componentes);

// The escapes of Wine's files, exposed for tests.
std::string EscaparTexto(const std::u16string& texto, const char* escapar);
// Reads an escaped string from `linea` at `pos` up to the unescaped `fin`; `pos` ends after it.
std::optional<std::u16string> LeerTextoEscapado(const std::string& linea, size_t& pos, char fin);

}  // namespace evalora::wine

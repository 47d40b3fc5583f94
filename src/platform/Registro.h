#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/CodigosWin.h"

namespace evalora {

// One registry value: its type and its bytes as Windows keeps them (text as UTF-16LE with its
// terminating NUL, a REG_DWORD as 4 little-endian bytes).
struct DatoDelRegistro {
  uint32_t tipo = win::REG_NONE;
  std::vector<uint8_t> bytes;
};

struct InfoDeClave {
  uint32_t subclaves = 0;
  uint32_t valores = 0;
};

// The registry. Keys are named by a root (win::HKEY_…) and a path below it ("SOFTWARE\Microsoft");
// key and value names compare without regard to case; an empty value name is the key's default
// value. Every call returns a Windows error code (win::kExito on success).
class Registro {
 public:
  virtual ~Registro() = default;

  virtual long AbrirClave(win::HKEY raiz, const std::string& ruta) = 0;  // does it exist
  virtual long ConsultarValor(win::HKEY raiz, const std::string& ruta, const std::string& nombre,
                              DatoDelRegistro& dato) = 0;
  // Subkeys and values by index from 0; win::kNoHayMasElementos past the last one.
  virtual long EnumerarSubclave(win::HKEY raiz, const std::string& ruta, uint32_t indice, std::string& nombre) = 0;
  virtual long EnumerarValor(win::HKEY raiz, const std::string& ruta, uint32_t indice, std::string& nombre,
                             DatoDelRegistro& dato) = 0;
  virtual long ConsultarInfo(win::HKEY raiz, const std::string& ruta, InfoDeClave& info) = 0;

  // Creates the key and any missing parent; an existing key is success.
  virtual long CrearClave(win::HKEY raiz, const std::string& ruta) = 0;
  // Creates the key when it is missing and sets the value.
  virtual long EstablecerValor(win::HKEY raiz, const std::string& ruta, const std::string& nombre,
                               const DatoDelRegistro& dato) = 0;
  virtual long BorrarValor(win::HKEY raiz, const std::string& ruta, const std::string& nombre) = 0;
  // Deletes a key that has no subkeys (win::kAccesoDenegado when it has some).
  virtual long BorrarClave(win::HKEY raiz, const std::string& ruta) = 0;

  // Why the last call that failed was refused, in words for the person at the machine; empty
  // when the error code says all there is.
  virtual std::string MotivoDelUltimoError() const = 0;
};

// A key as people write it ("HKLM\Software\X", "HKEY_CURRENT_USER\…", any case): its root and
// its path ("Software\X"); nothing for an unknown root.
std::optional<std::pair<win::HKEY, std::string>> AnalizarClave(const std::string& texto);

// Deletes a key with everything below it, deepest first.
long BorrarArbol(Registro& registro, win::HKEY raiz, const std::string& ruta);

// Helpers for building and reading values.
DatoDelRegistro DatoDeTexto(const std::string& texto, uint32_t tipo = win::REG_SZ);
DatoDelRegistro DatoDeMultiTexto(const std::vector<std::string>& textos);
DatoDelRegistro DatoDeDword(uint32_t numero);
// The text of a REG_SZ/REG_EXPAND_SZ value up to its first NUL.
std::string TextoDeDato(const DatoDelRegistro& dato);
// The strings of a REG_MULTI_SZ value.
std::vector<std::string> TextosDeDato(const DatoDelRegistro& dato);
uint32_t DwordDeDato(const DatoDelRegistro& dato);
// One value as a line of a .reg file ("\"name\"=dword:0000001a"); a text with line breaks or
// other control characters, or without its terminating NUL, is written as hex(1) data.
std::string LineaDeValor(const std::string& nombre, const DatoDelRegistro& dato);
// Appends the bytes as "0a,ff,…" to `linea`, continuing on a new line ("\" + salto + two blanks)
// once the line passes 76 columns, as registry files write binary data.
void AnadirBytesEnHex(std::string& linea, const std::vector<uint8_t>& bytes, const char* salto);

}  // namespace evalora

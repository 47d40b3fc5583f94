#pragma once
// Installs one TrueType font into the Windows fonts folder and the font table (and takes it out
// again). Its operations keep their errors: the last one is in Error().

#include <cstdint>
#include <optional>
#include <string>

#include "platform/Plataforma.h"

namespace evalora {

struct ErrorDeFuente {
  uint32_t numero;
  std::string texto;
};

class gdiInstallFont {
 public:
  // Looks up the Windows fonts folder (error 0x80040001 when the shell has none).
  explicit gdiInstallFont(const Plataforma& plataforma);

  void archivoTTF(const std::string& nombre);  // trims blanks
  const std::string& archivoTTF() const { return archivoTTF_; }
  void PathTTF(const std::string& carpeta);  // trims blanks, ends in "\"
  const std::string& PathTTF() const { return pathTTF_; }
  const std::string& DirectorioFuentesSistema() const { return directorio_; }

  void Instalar();
  void Desinstalar(bool borrarArchivo = false);

  // The error the last operation (or the creation) ended with.
  const std::optional<ErrorDeFuente>& Error() const { return error_; }

 private:
  bool Fallar(uint32_t numero, std::string texto);

  const Plataforma& plataforma_;
  std::string archivoTTF_;
  std::string pathTTF_;
  std::string directorio_;
  std::optional<ErrorDeFuente> error_;
};

}  // namespace evalora

#pragma once
// The registry of a Wine prefix: system.reg is HKEY_LOCAL_MACHINE (HKEY_CLASSES_ROOT is its
// Software\Classes, HKEY_CURRENT_CONFIG its current hardware profile), user.reg is
// HKEY_CURRENT_USER and userdef.reg is HKEY_USERS\.Default. Reads follow the files as they
// change; a write replaces its file in one step and is refused while Wine's server runs for the
// prefix, because Wine would overwrite the change when it saves.

#include <sys/types.h>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/Registro.h"
#include "platform/linux/ColmenaWine.h"

namespace evalora {

class RegistroWine : public Registro {
 public:
  explicit RegistroWine(std::filesystem::path prefijo);

  long AbrirClave(win::HKEY raiz, const std::string& ruta) override;
  long ConsultarValor(win::HKEY raiz, const std::string& ruta, const std::string& nombre,
                      DatoDelRegistro& dato) override;
  long EnumerarSubclave(win::HKEY raiz, const std::string& ruta, uint32_t indice, std::string& nombre) override;
  long EnumerarValor(win::HKEY raiz, const std::string& ruta, uint32_t indice, std::string& nombre,
                     DatoDelRegistro& dato) override;
  long ConsultarInfo(win::HKEY raiz, const std::string& ruta, InfoDeClave& info) override;
  long CrearClave(win::HKEY raiz, const std::string& ruta) override;
  long EstablecerValor(win::HKEY raiz, const std::string& ruta, const std::string& nombre,
                       const DatoDelRegistro& dato) override;
  long BorrarValor(win::HKEY raiz, const std::string& ruta, const std::string& nombre) override;
  long BorrarClave(win::HKEY raiz, const std::string& ruta) override;
  std::string MotivoDelUltimoError() const override { return motivo_; }

  // Whether Wine's server holds its lock for this prefix.
  bool ServidorWineActivo() const;

 private:
  struct Archivo {
    std::filesystem::path ruta;
    std::string relativoA;
    std::optional<wine::ColmenaWine> colmena;  // nothing: the file is not a registry file
    std::string problema;                      // why it could not be read
    bool existe = false;
    // identity of the file last read
    ino_t inodo = 0;
    off_t tamano = -1;
    long long modificado = -1;
  };
  struct Ubicacion {
    Archivo* archivo = nullptr;  // nullptr: the root of HKEY_USERS
    std::string ruta;            // inside the file, links followed
  };

  long Ubicar(win::HKEY raiz, const std::string& ruta, Ubicacion& ubicacion);
  long Cargar(Archivo& archivo);
  long PrepararEscritura(win::HKEY raiz, const std::string& ruta, Ubicacion& ubicacion);
  long Guardar(Archivo& archivo);
  long Fallo(long codigo, std::string motivo);

  std::filesystem::path prefijo_;
  Archivo sistema_;
  Archivo usuario_;
  Archivo predeterminado_;
  std::string motivo_;
};

}  // namespace evalora

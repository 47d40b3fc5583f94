#pragma once
// The registry of a Wine prefix: system.reg is HKEY_LOCAL_MACHINE (HKEY_CLASSES_ROOT is its
// Software\Classes, HKEY_CURRENT_CONFIG its current hardware profile), user.reg is
// HKEY_CURRENT_USER and userdef.reg is HKEY_USERS\.Default. While no Wine server runs for the
// prefix, reads follow the files as they change and a write replaces its file in one step. While
// one runs, the files may be older than what it holds (it saves now and then, and when it ends):
// both go through Wine itself. A read asks Wine for the key (its reg.exe exports it) and lays
// that over the file; a change is imported by its reg.exe. Changes made through Wine are kept
// over what the files say until the server has ended and saved them.

#include <sys/types.h>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/Registro.h"
#include "platform/linux/ColmenaWine.h"
#include "platform/linux/Wine.h"

namespace evalora {

class RegistroWine : public Registro {
 public:
  // `wine`: Wine's loader, through which changes are made while Wine's server runs; nothing:
  // such changes are refused.
  explicit RegistroWine(std::filesystem::path prefijo, std::optional<std::filesystem::path> wine = BuscarWine());

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

  // Whether Wine's server runs for this prefix.
  bool ServidorWineActivo() const;

 private:
  struct Cambio {
    enum class Clase { kCrearClave, kEstablecerValor, kBorrarValor, kBorrarClave } clase;
    std::string ruta;  // inside the file, links followed
    std::string nombre;
    DatoDelRegistro dato;
  };
  struct Archivo {
    std::filesystem::path ruta;
    std::string relativoA;
    std::string raizReg;  // the file's root as a .reg file names it
    std::vector<Cambio> enWine;  // made through Wine; the file may not hold them yet
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

  // `paraLeer`: while Wine's server runs, Wine's view of the key is laid over the file's first (a
  // change goes through Wine anyway and needs only where the key lives).
  long Ubicar(win::HKEY raiz, const std::string& ruta, Ubicacion& ubicacion, bool paraLeer = true);
  // Lays Wine's view of the key `ruta` (and all below it) over the file's.
  void LeerDeWine(Archivo& archivo, const std::string& ruta);
  long Cargar(Archivo& archivo);
  long PrepararEscritura(win::HKEY raiz, const std::string& ruta, Ubicacion& ubicacion);
  // Makes the change in the file, or through Wine while its server runs.
  long Escribir(Archivo& archivo, const Cambio& cambio);
  long Guardar(Archivo& archivo);
  long ImportarEnWine(const Archivo& archivo, const Cambio& cambio);
  static void Aplicar(const Cambio& cambio, wine::ColmenaWine& colmena);
  long Fallo(long codigo, std::string motivo);

  std::filesystem::path prefijo_;
  std::optional<std::filesystem::path> wine_;
  Archivo sistema_;
  Archivo usuario_;
  Archivo predeterminado_;
  std::string motivo_;
};

}  // namespace evalora

#pragma once
// Files and folders of a Wine prefix, named by Windows paths. Drive letters resolve through the
// prefix's dosdevices; every component matches without regard to case, as on Windows; '/' is a
// separator too; UNC paths do not resolve. Read-only is kept as the absence of write permission,
// hidden and system in the user.DOSATTRIB extended attribute, as Wine and Samba keep them.

#include <sys/stat.h>

#include <array>
#include <filesystem>
#include <random>

#include "platform/SistemaDeArchivos.h"
#include "platform/linux/IndiceDeNombres.h"

namespace evalora {

class SistemaDeArchivosPrefijo : public SistemaDeArchivos {
 public:
  explicit SistemaDeArchivosPrefijo(std::filesystem::path prefijo);
  ~SistemaDeArchivosPrefijo() override;
  SistemaDeArchivosPrefijo(const SistemaDeArchivosPrefijo&) = delete;
  SistemaDeArchivosPrefijo& operator=(const SistemaDeArchivosPrefijo&) = delete;

  std::optional<std::filesystem::path> RutaAnfitrion(const std::string& ruta) const override;
  bool ExisteArchivo(const std::string& ruta) const override;
  bool ExisteCarpeta(const std::string& ruta) const override;
  bool CrearCarpeta(const std::string& ruta) override;
  bool CopiarArchivo(const std::string& origen, const std::string& destino, bool sobrescribir) override;
  bool BorrarArchivo(const std::string& ruta, bool forzar) override;
  bool BorrarCarpeta(const std::string& ruta, bool forzar) override;
  bool Renombrar(const std::string& origen, const std::string& destino, bool reemplazar) override;
  std::vector<std::string> ListarArchivos(const std::string& carpeta) const override;
  std::vector<std::string> ListarSubcarpetas(const std::string& carpeta) const override;
  std::optional<int64_t> Tamano(const std::string& ruta) const override;
  std::optional<uint32_t> LeerAtributos(const std::string& ruta) const override;
  bool EstablecerAtributos(const std::string& ruta, uint32_t atributos) override;
  std::optional<std::string> CrearArchivoTemporal(const std::string& carpeta) override;
  std::unique_ptr<EscrituraDeArchivo> AbrirParaEscribir(const std::string& ruta) override;
  std::unique_ptr<EscrituraDeArchivo> AbrirParaContinuar(const std::string& ruta, int64_t desde) override;
  std::optional<std::string> LeerArchivo(const std::string& ruta, size_t maximo) const override;
  // Linux has no share modes: a file that exists is free.
  bool ArchivoLibre(const std::string& ruta) const override { return ExisteArchivo(ruta); }
  long UltimoError() const override { return ultimoError_; }

 private:
  bool Fallo(int numeroErrno);
  std::vector<std::string> Listar(const std::string& carpeta, bool carpetas) const;
  const std::string* CarpetaDeUnidad(char letra) const;  // nothing when the drive does not resolve
  // A Windows path's Linux path, and what is there (stat, links followed) if anything.
  struct Resuelta {
    std::string ruta;
    std::optional<struct stat> estado;
  };
  std::optional<Resuelta> Resolver(const std::string& ruta) const;
  std::optional<struct stat> EstadoDe(const std::string& ruta) const;  // what Resolver finds there

  struct Unidad {
    std::string rutaDelEnlace;  // dosdevices' entry of the letter
    std::string enlace;         // where it pointed when it was resolved ("": not a link)
    std::string carpeta;        // the folder it resolved to ("": not resolved)
  };

  std::filesystem::path prefijo_;
  mutable std::array<Unidad, 256> unidades_;  // by drive letter
  mutable int dosdevices_ = -1;               // the prefix's dosdevices folder, open
  mutable IndiceDeNombres nombres_;           // the names of folders already searched, by their upper case
  std::mt19937 azar_;
  long ultimoError_ = 0;
};

// The Windows error code of a Linux errno.
long ErrorWindowsDeErrno(int numero);

// Splits a Windows path into its drive letter (lower case) and components, with "." dropped and
// ".." applied; nothing for UNC paths and paths without a drive.
struct RutaWindows {
  char unidad = 0;
  std::vector<std::string> componentes;
};
std::optional<RutaWindows> AnalizarRutaWindows(const std::string& ruta);

}  // namespace evalora

#pragma once
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace evalora {

// A file open for writing.
class EscrituraDeArchivo {
 public:
  virtual ~EscrituraDeArchivo() = default;
  // Writes all the bytes; false when the disk did not take every one (full, removed, …).
  virtual bool Escribir(const char* datos, size_t cuantos) = 0;
  // Waits until what was written is on the disk itself, so that it survives a power cut; false
  // when the disk did not confirm it.
  virtual bool Asegurar() = 0;
  // Closes the file; false when what was written may not be on disk. Further calls do nothing.
  virtual bool Cerrar() = 0;
};

// Files and folders, named by Windows paths ("C:\Program Files\Evalora 2020 Cloud\Utilerías").
// Every operation reports failure through its result and never throws.
class SistemaDeArchivos {
 public:
  virtual ~SistemaDeArchivos() = default;

  // Where a Windows path lives on this machine; nothing when it cannot be resolved (a UNC path,
  // a drive that does not exist, a path without a drive).
  virtual std::optional<std::filesystem::path> RutaAnfitrion(const std::string& ruta) const = 0;

  virtual bool ExisteArchivo(const std::string& ruta) const = 0;  // a file, not a folder
  virtual bool ExisteCarpeta(const std::string& ruta) const = 0;  // a folder, not a file

  // Creates one folder; fails when it exists or its parent does not.
  virtual bool CrearCarpeta(const std::string& ruta) = 0;
  // Copies one file; without `sobrescribir` an existing target makes it fail, and a read-only
  // target always does.
  virtual bool CopiarArchivo(const std::string& origen, const std::string& destino, bool sobrescribir) = 0;
  // Deletes one file; a read-only file only with `forzar`.
  virtual bool BorrarArchivo(const std::string& ruta, bool forzar) = 0;
  // Deletes a folder with all it contains; read-only content only with `forzar`.
  virtual bool BorrarCarpeta(const std::string& ruta, bool forzar) = 0;
  // Moves or renames a file or folder; an existing target makes it fail unless `reemplazar`
  // (files only), in which case the target is replaced in one step.
  virtual bool Renombrar(const std::string& origen, const std::string& destino, bool reemplazar) = 0;

  // Names (not paths) of the files or subfolders of a folder, in a stable order (without regard
  // to case). Empty when the folder does not exist.
  virtual std::vector<std::string> ListarArchivos(const std::string& carpeta) const = 0;
  virtual std::vector<std::string> ListarSubcarpetas(const std::string& carpeta) const = 0;

  // Size of a file in bytes; nothing when it is not a file.
  virtual std::optional<int64_t> Tamano(const std::string& ruta) const = 0;

  // Windows file attributes (win::kAtributo…). Setting takes read-only, hidden, system and
  // archive; 0 makes the item normal.
  virtual std::optional<uint32_t> LeerAtributos(const std::string& ruta) const = 0;
  virtual bool EstablecerAtributos(const std::string& ruta, uint32_t atributos) = 0;

  // Creates an empty file "EVL" + hexadecimal digits + ".tmp" in the folder, exclusively (never
  // one that existed), and returns its Windows path.
  virtual std::optional<std::string> CrearArchivoTemporal(const std::string& carpeta) = 0;

  // Opens an existing file to write it anew (its content is dropped); nothing when it cannot be.
  virtual std::unique_ptr<EscrituraDeArchivo> AbrirParaEscribir(const std::string& ruta) = 0;

  // Opens a file to write on from byte `desde`: what it holds up to there stays, the rest is
  // dropped. A missing file is created when `desde` is 0. Nothing when it cannot be opened or
  // holds fewer than `desde` bytes.
  virtual std::unique_ptr<EscrituraDeArchivo> AbrirParaContinuar(const std::string& ruta, int64_t desde) = 0;
  // The whole content of a small file; nothing when it is missing, cannot be read or is longer
  // than `maximo` bytes.
  virtual std::optional<std::string> LeerArchivo(const std::string& ruta, size_t maximo) const = 0;

  // Whether a file exists and no program has it open any more: it opens with no sharing. (A
  // file a program is still writing is not yet whole.)
  virtual bool ArchivoLibre(const std::string& ruta) const = 0;

  // Why the last folder creation or attribute change failed, as a Windows error code
  // (win::kRutaNoEncontrada, win::kYaExiste, win::kAccesoDenegado, win::kDiscoLleno, …).
  virtual long UltimoError() const = 0;
};

}  // namespace evalora

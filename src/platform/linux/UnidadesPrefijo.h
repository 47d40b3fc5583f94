#pragma once
// The drives of a prefix: the letters in dosdevices whose target exists. The type comes from
// HKLM\Software\Wine\Drives where the letter is listed there ("hd", "floppy", "cdrom", "network",
// "ramdisk"), else from the file system that holds the target (CD-ROM, network, RAM) and, for
// a disk, from /sys/block/<disk>/removable.

#include <filesystem>

#include "platform/Registro.h"
#include "platform/Unidades.h"

namespace evalora {

class UnidadesPrefijo : public Unidades {
 public:
  UnidadesPrefijo(std::filesystem::path prefijo, Registro& registro,
                  std::filesystem::path montajes = "/proc/self/mounts", std::filesystem::path bloques = "/sys/block");
  std::vector<Unidad> Listar() override;

 private:
  int TipoPorMontaje(const std::filesystem::path& destino) const;

  std::filesystem::path prefijo_;
  Registro& registro_;
  std::filesystem::path montajes_;
  std::filesystem::path bloques_;
};

}  // namespace evalora

#pragma once
// The Wine-compatible prefix that plays the Windows machine: its root folder and its least layout.

#include <filesystem>
#include <optional>
#include <string>

namespace evalora {

class Prefijo {
 public:
  explicit Prefijo(std::filesystem::path raiz) : raiz_(std::move(raiz)) {}

  // $EVALORA_PREFIJO, else $WINEPREFIX, else ~/.wine.
  static Prefijo DelEntorno();

  const std::filesystem::path& Raiz() const { return raiz_; }

  // Creates what is missing of drive_c (with Program Files, Program Files (x86), windows\system32
  // and windows\Fonts), dosdevices/c: -> ../drive_c and dosdevices/z: -> /;
  // leaves everything that exists as it is. False with a reason when it cannot.
  bool Preparar(std::string* motivo = nullptr) const;

  // The Windows path of a folder of this machine, through the prefix's drives (the longest
  // drive target that holds it); nothing when no drive reaches it.
  std::optional<std::string> RutaWindows(const std::filesystem::path& anfitrion) const;

 private:
  std::filesystem::path raiz_;
};

}  // namespace evalora

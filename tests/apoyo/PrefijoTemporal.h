#pragma once
// A fresh prefix in a temporary folder for one test, removed afterwards.

#include <filesystem>
#include <string>

namespace evalora::pruebas {

class PrefijoTemporal {
 public:
  PrefijoTemporal();
  ~PrefijoTemporal();
  PrefijoTemporal(const PrefijoTemporal&) = delete;
  PrefijoTemporal& operator=(const PrefijoTemporal&) = delete;

  const std::filesystem::path& Raiz() const { return raiz_; }
  std::filesystem::path DriveC() const { return raiz_ / "drive_c"; }
  // Writes a file (folders created as needed) below the prefix root.
  void Escribir(const std::filesystem::path& relativa, const std::string& contenido) const;
  std::string Leer(const std::filesystem::path& relativa) const;

 private:
  std::filesystem::path raiz_;
};

}  // namespace evalora::pruebas

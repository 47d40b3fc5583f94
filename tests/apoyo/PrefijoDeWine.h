#pragma once
// A prefix that Wine itself made (`wineboot -i`), fresh for one test: a copy of one made once per
// build, so that what the wizard leaves is read back by Wine's own tools. Wine runs with HOME in a
// folder of the test and Wine's menu builder and browser engines switched off; every server the
// test started in the prefix is ended with it. Without Wine installed the test fails.

#include <filesystem>
#include <string>
#include <vector>

namespace evalora::pruebas {

class PrefijoDeWine {
 public:
  PrefijoDeWine();
  ~PrefijoDeWine();
  PrefijoDeWine(const PrefijoDeWine&) = delete;
  PrefijoDeWine& operator=(const PrefijoDeWine&) = delete;

  bool Listo() const { return !raiz_.empty(); }  // false: the test has failed already
  const std::filesystem::path& Raiz() const { return raiz_; }
  std::filesystem::path DriveC() const { return raiz_ / "drive_c"; }

  // Runs a Wine command in the prefix (`wine reg query …`, `wineserver -k`): what it printed
  // (standard output and error) and its exit status.
  struct Salida {
    std::string texto;
    int estado = -1;
  };
  Salida Wine(const std::vector<std::string>& argumentos) const;
  Salida Servidor(const std::vector<std::string>& argumentos) const;  // wineserver
  // Starts Wine's server for the prefix, staying up without clients as while any Wine program
  // runs in it; true once it answers.
  bool ServidorEnMarcha() const;
  // Ends Wine in the prefix and waits until its server has saved the registry and gone.
  void TerminarWine() const;

 private:
  Salida Ejecutar(const std::string& programa, const std::vector<std::string>& argumentos) const;
  std::filesystem::path raiz_;
  std::filesystem::path temporal_;
};

// The environment every Wine of the tests runs with (HOME in `casa`, the DLL overrides).
std::vector<std::string> EntornoDeWine(const std::filesystem::path& casa, const std::filesystem::path& prefijo);

}  // namespace evalora::pruebas

#pragma once
// A prefix that Wine itself made (`wineboot -i`), fresh for one test or scenario: a copy of one
// made once per build (in `base`, one process at a time), so that what the wizard leaves is read
// back with Wine's own tools. Wine runs with HOME in a folder of its own and Wine's menu builder
// and browser engines switched off; the servers started in the prefix end with the object.

#include <filesystem>
#include <string>
#include <vector>

namespace evalora::pruebas {

class WineDePrueba {
 public:
  // Copies the prefix Wine made in `base` (making it first when missing) into `carpeta`;
  // `problema` says why when Listo() is false.
  WineDePrueba(const std::filesystem::path& base, const std::filesystem::path& carpeta);
  ~WineDePrueba();
  WineDePrueba(const WineDePrueba&) = delete;
  WineDePrueba& operator=(const WineDePrueba&) = delete;

  bool Listo() const { return !raiz_.empty(); }
  const std::string& Problema() const { return problema_; }
  const std::filesystem::path& Raiz() const { return raiz_; }

  struct Salida {
    std::string texto;  // standard output and error
    int estado = -1;
  };
  Salida Wine(const std::vector<std::string>& argumentos) const;      // wine …
  Salida Servidor(const std::vector<std::string>& argumentos) const;  // wineserver …
  // Starts Wine's server for the prefix, staying up without clients as while any Wine program
  // runs in it; true once it answers.
  bool ServidorEnMarcha() const;
  // Ends Wine in the prefix and waits until its server has saved the registry and gone.
  void TerminarWine() const;
  // The environment of this prefix's Wine ("NAME=value"): the wizard's own Wine gets it too.
  std::vector<std::string> Entorno() const;

 private:
  Salida Ejecutar(const std::string& programa, const std::vector<std::string>& argumentos) const;
  std::filesystem::path carpeta_;
  std::filesystem::path raiz_;
  std::string problema_;
  bool servidorIniciado_ = false;
};

}  // namespace evalora::pruebas

#pragma once
#include <optional>
#include <string>
#include <vector>

namespace evalora {

struct Impresora {
  std::string nombre;
  std::string puerto;
  std::string controlador;
  std::string procesador = "WinPrint";
  std::string descripcion;
  uint32_t atributos = 0;
};

// The machine's print master: printers, ports and the user's default printer. Every call says
// whether it worked; a list that cannot be read is nothing.
class Impresoras {
 public:
  virtual ~Impresoras() = default;
  virtual std::optional<std::vector<Impresora>> Listar() = 0;
  virtual std::optional<std::vector<std::string>> ListarPuertos() = 0;
  // A local port whose name is its target (a file path, "FILE:", "LPT1:").
  virtual bool AgregarPuerto(const std::string& nombre) = 0;
  virtual bool BorrarPuerto(const std::string& nombre) = 0;
  // The port must exist.
  virtual bool Agregar(const Impresora& impresora) = 0;
  virtual bool Borrar(const std::string& nombre) = 0;
  // The default printer's name; empty when there is none.
  virtual std::string Predeterminada() = 0;
  virtual bool EstablecerPredeterminada(const std::string& nombre) = 0;
};

}  // namespace evalora

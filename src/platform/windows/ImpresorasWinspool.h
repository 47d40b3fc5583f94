#pragma once
// The print spooler of Windows (winspool): printers, the Local Port monitor's ports (added and
// deleted through its XcvData interface, never through the port dialogs) and the user's default
// printer. A printer whose driver Windows has not installed yet gets it first: from the driver
// store where Windows has one, else as Wine installs its drivers.

#include "platform/Impresoras.h"

namespace evalora {

class ImpresorasWinspool : public Impresoras {
 public:
  std::optional<std::vector<Impresora>> Listar() override;
  std::optional<std::vector<std::string>> ListarPuertos() override;
  bool AgregarPuerto(const std::string& nombre) override;
  bool BorrarPuerto(const std::string& nombre) override;
  bool Agregar(const Impresora& impresora) override;
  bool Borrar(const std::string& nombre) override;
  std::string Predeterminada() override;
  bool EstablecerPredeterminada(const std::string& nombre) override;
};

}  // namespace evalora

#pragma once
// The print spooler of Windows (winspool): printers, the Local Port monitor's ports (added and
// deleted through its XcvData interface, never through the port dialogs) and the user's default
// printer. A printer whose driver Windows has not installed yet gets it first: from the driver
// store where Windows has one; under Wine, whose store has none, as Wine installs its own drivers
// (that fallback can only fail on Windows, so it is never taken there).

#include "platform/Impresoras.h"

namespace evalora {

class ImpresorasWinspool : public Impresoras {
 public:
  // `bajoWine`: whether the program runs under Wine (CorreBajoWine()).
  explicit ImpresorasWinspool(bool bajoWine);
  std::optional<std::vector<Impresora>> Listar() override;
  std::optional<std::vector<std::string>> ListarPuertos() override;
  bool AgregarPuerto(const std::string& nombre) override;
  bool BorrarPuerto(const std::string& nombre) override;
  bool Agregar(const Impresora& impresora) override;
  bool Borrar(const std::string& nombre) override;
  std::string Predeterminada() override;
  bool EstablecerPredeterminada(const std::string& nombre) override;

 private:
  bool bajoWine_;
};

// Whether this process runs under Wine: its ntdll exports wine_get_version, Windows' never does.
bool CorreBajoWine();

}  // namespace evalora

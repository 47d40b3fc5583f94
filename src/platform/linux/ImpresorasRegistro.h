#pragma once
// Printers and ports where Windows keeps them, in the registry: one key per printer under
// HKLM\System\CurrentControlSet\Control\Print\Printers, one value per port under the Ports key, and
// per user the Devices and PrinterPorts values and the Windows key's Device, which names the
// default printer.

#include "platform/Impresoras.h"
#include "platform/Registro.h"

namespace evalora {

class ImpresorasRegistro : public Impresoras {
 public:
  explicit ImpresorasRegistro(Registro& registro) : registro_(registro) {}

  std::optional<std::vector<Impresora>> Listar() override;
  std::optional<std::vector<std::string>> ListarPuertos() override;
  bool AgregarPuerto(const std::string& nombre) override;
  bool BorrarPuerto(const std::string& nombre) override;
  bool Agregar(const Impresora& impresora) override;
  bool Borrar(const std::string& nombre) override;
  std::string Predeterminada() override;
  bool EstablecerPredeterminada(const std::string& nombre) override;

 private:
  std::optional<Impresora> Leer(const std::string& nombre);
  Registro& registro_;
};

}  // namespace evalora

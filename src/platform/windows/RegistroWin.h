#pragma once
// The registry of Windows (advapi32), in the program's own view: the keys that Windows' own tools
// (reg, regedit) show, as the Linux build writes them into a prefix.

#include "platform/Registro.h"

namespace evalora {

class RegistroWin : public Registro {
 public:
  long AbrirClave(win::HKEY raiz, const std::string& ruta) override;
  long ConsultarValor(win::HKEY raiz, const std::string& ruta, const std::string& nombre,
                      DatoDelRegistro& dato) override;
  long EnumerarSubclave(win::HKEY raiz, const std::string& ruta, uint32_t indice, std::string& nombre) override;
  long EnumerarValor(win::HKEY raiz, const std::string& ruta, uint32_t indice, std::string& nombre,
                     DatoDelRegistro& dato) override;
  long ConsultarInfo(win::HKEY raiz, const std::string& ruta, InfoDeClave& info) override;
  long CrearClave(win::HKEY raiz, const std::string& ruta) override;
  long EstablecerValor(win::HKEY raiz, const std::string& ruta, const std::string& nombre,
                       const DatoDelRegistro& dato) override;
  long BorrarValor(win::HKEY raiz, const std::string& ruta, const std::string& nombre) override;
  long BorrarClave(win::HKEY raiz, const std::string& ruta) override;
  std::string MotivoDelUltimoError() const override { return ""; }
};

}  // namespace evalora

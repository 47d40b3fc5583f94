// evalora-reg: looks into and changes the registry of the machine's prefix ($EVALORA_PREFIJO,
// else $WINEPREFIX, else ~/.wine) with reg.exe's syntax.

#include <iostream>

#include "OrdenesReg.h"
#include "core/Texto.h"
#include "platform/linux/EntornoLinux.h"
#include "platform/linux/Prefijo.h"
#include "platform/linux/RegistroWine.h"
#include "platform/linux/UsuarioLinux.h"

int main(int argc, char** argv) {
  using namespace evalora;
  const std::vector<std::string> argumentos(argv + 1, argv + argc);
  const Prefijo prefijo = Prefijo::DelEntorno();
  if (!argumentos.empty()) {
    const std::string operacion = Mayusculas(argumentos[0]);
    std::string motivo;
    if ((operacion == "ADD" || operacion == "DELETE") && !prefijo.Preparar(&motivo)) {
      std::cerr << "ERROR: " << motivo << "\n";
      return 1;
    }
  }
  RegistroWine registro(prefijo.Raiz());
  UsuarioLinux usuario(prefijo.Raiz());
  EntornoLinux entorno;
  cQueryReg reg(registro, usuario, entorno);
  return EjecutarOrdenReg(argumentos, reg, std::cin, std::cout, std::cerr);
}

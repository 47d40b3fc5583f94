#pragma once
#include <string>
#include <vector>

namespace evalora {

// Drive types as Windows' scripting runtime numbers them.
enum TipoDeUnidadFisica : int {
  kUnidadDesconocida = 0,
  kUnidadExtraible = 1,
  kUnidadFija = 2,
  kUnidadDeRed = 3,
  kUnidadCdRom = 4,
  kUnidadRam = 5,
};

struct Unidad {
  std::string letra;  // "C:"
  int tipo = kUnidadDesconocida;
};

// The drives of the machine that are ready, in letter order.
class Unidades {
 public:
  virtual ~Unidades() = default;
  virtual std::vector<Unidad> Listar() = 0;
};

}  // namespace evalora

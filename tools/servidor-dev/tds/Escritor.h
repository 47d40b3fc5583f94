#pragma once
// Bytes of a TDS reply: little-endian numbers, UTF-16LE texts with their length prefixes, and the
// tokens the development server sends.

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "core/EscritorDeBytes.h"

namespace evalora::tds {

class Escritor : public EscritorDeBytes {
 public:
  // u8 character count + UTF-16LE.
  void BVarchar(const std::u16string& texto);
  // u16 character count + UTF-16LE.
  void UsVarchar(const std::u16string& texto);
};

enum class TipoDeColumna { kTexto, kEntero, kReal, kBit };

struct Columna {
  std::string nombre;
  TipoDeColumna tipo = TipoDeColumna::kTexto;
};

// A value in a row: NULL, text (UTF-8), integer, real or bit.
using Valor = std::variant<std::monostate, std::string, int32_t, double, bool>;

// DONE status bits.
constexpr uint16_t kDoneMas = 0x01;
constexpr uint16_t kDoneError = 0x02;
constexpr uint16_t kDoneCuenta = 0x10;
constexpr uint16_t kDoneAtencion = 0x20;

void Done(Escritor& e, uint16_t estado, uint64_t filas = 0, uint16_t comando = 0);
void DoneEnProcedimiento(Escritor& e, uint16_t estado, uint64_t filas);  // DONEINPROC
void DoneDeProcedimiento(Escritor& e, uint16_t estado);                  // DONEPROC
void EstadoDeRetorno(Escritor& e, int32_t valor);
void CambioDeBaseDeDatos(Escritor& e, const std::string& nueva, const std::string& anterior);
void CambioDeTamanoDePaquete(Escritor& e, uint32_t nuevo, uint32_t anterior);
void CambioDeIntercalacion(Escritor& e);
void AceptacionDeLogin(Escritor& e, uint32_t versionTds, const std::string& programa);
// class 11 or more is an error.
void Error(Escritor& e, int32_t numero, uint8_t clase, const std::string& mensaje, const std::string& servidor);
void MetadatosDeColumnas(Escritor& e, const std::vector<Columna>& columnas);
void Fila(Escritor& e, const std::vector<Columna>& columnas, const std::vector<Valor>& valores);

}  // namespace evalora::tds

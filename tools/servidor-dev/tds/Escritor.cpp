#include "tds/Escritor.h"

#include <cstring>

#include "core/Unicode.h"

namespace evalora::tds {

void Escritor::BVarchar(const std::u16string& texto) {
  U8(static_cast<uint32_t>(texto.size()));
  Utf16(texto);
}
void Escritor::UsVarchar(const std::u16string& texto) {
  U16(static_cast<uint32_t>(texto.size()));
  Utf16(texto);
}
namespace {

constexpr uint8_t kTokenDone = 0xFD;
constexpr uint8_t kTokenDoneProc = 0xFE;
constexpr uint8_t kTokenDoneInProc = 0xFF;
constexpr uint8_t kTokenEnvChange = 0xE3;
constexpr uint8_t kTokenLoginAck = 0xAD;
constexpr uint8_t kTokenError = 0xAA;
constexpr uint8_t kTokenColMetadata = 0x81;
constexpr uint8_t kTokenRow = 0xD1;
constexpr uint8_t kTokenReturnStatus = 0x79;
// SQL_Latin1_General_CP1_CI_AS
constexpr uint8_t kIntercalacion[5] = {0x09, 0x04, 0xD0, 0x00, 0x34};

// Writes a token whose u16 length covers what `cuerpo` writes.
template <typename Cuerpo>
void ConLargo(Escritor& e, uint8_t token, Cuerpo cuerpo) {
  e.U8(token);
  const size_t largo = e.Tamano();
  e.U16(0);
  cuerpo();
  e.PonerU16(largo, static_cast<uint32_t>(e.Tamano() - largo - 2));
}

}  // namespace

void Done(Escritor& e, uint16_t estado, uint64_t filas, uint16_t comando) {
  e.U8(kTokenDone);
  e.U16(estado);
  e.U16(comando);
  e.U64(filas);
}

void DoneEnProcedimiento(Escritor& e, uint16_t estado, uint64_t filas) {
  e.U8(kTokenDoneInProc);
  e.U16(estado);
  e.U16(0xC1);
  e.U64(filas);
}

void DoneDeProcedimiento(Escritor& e, uint16_t estado) {
  e.U8(kTokenDoneProc);
  e.U16(estado);
  e.U16(0xE0);
  e.U64(0);
}

void EstadoDeRetorno(Escritor& e, int32_t valor) {
  e.U8(kTokenReturnStatus);
  e.U32(static_cast<uint32_t>(valor));
}

void CambioDeBaseDeDatos(Escritor& e, const std::string& nueva, const std::string& anterior) {
  ConLargo(e, kTokenEnvChange, [&] {
    e.U8(1);
    e.BVarchar(Utf8AUtf16(nueva));
    e.BVarchar(Utf8AUtf16(anterior));
  });
}

void CambioDeTamanoDePaquete(Escritor& e, uint32_t nuevo, uint32_t anterior) {
  ConLargo(e, kTokenEnvChange, [&] {
    e.U8(4);
    e.BVarchar(Utf8AUtf16(std::to_string(nuevo)));
    e.BVarchar(Utf8AUtf16(std::to_string(anterior)));
  });
}

void CambioDeIntercalacion(Escritor& e) {
  ConLargo(e, kTokenEnvChange, [&] {
    e.U8(7);
    e.U8(5);
    for (uint8_t b : kIntercalacion) e.U8(b);
    e.U8(0);
  });
}

void AceptacionDeLogin(Escritor& e, uint32_t versionTds, const std::string& programa) {
  ConLargo(e, kTokenLoginAck, [&] {
    e.U8(1);  // SQL interface
    e.U8(versionTds >> 24);
    e.U8((versionTds >> 16) & 0xFF);
    e.U8((versionTds >> 8) & 0xFF);
    e.U8(versionTds & 0xFF);
    e.BVarchar(Utf8AUtf16(programa));
    e.U8(10);  // major
    e.U8(0);   // minor
    e.U16BE(1);
  });
}

void Error(Escritor& e, int32_t numero, uint8_t clase, const std::string& mensaje, const std::string& servidor) {
  ConLargo(e, kTokenError, [&] {
    e.U32(static_cast<uint32_t>(numero));
    e.U8(1);  // state
    e.U8(clase);
    e.UsVarchar(Utf8AUtf16(mensaje));
    e.BVarchar(Utf8AUtf16(servidor));
    e.BVarchar(u"");
    e.U32(1);  // line
  });
}

void MetadatosDeColumnas(Escritor& e, const std::vector<Columna>& columnas) {
  e.U8(kTokenColMetadata);
  e.U16(static_cast<uint32_t>(columnas.size()));
  for (const auto& c : columnas) {
    e.U32(0);       // user type
    e.U16(0x0001);  // nullable
    switch (c.tipo) {
      case TipoDeColumna::kTexto:
        e.U8(0xE7);
        e.U16(8000);
        for (uint8_t b : kIntercalacion) e.U8(b);
        break;
      case TipoDeColumna::kEntero:
        e.U8(0x26);
        e.U8(4);
        break;
      case TipoDeColumna::kReal:
        e.U8(0x6D);
        e.U8(8);
        break;
      case TipoDeColumna::kBit:
        e.U8(0x68);
        e.U8(1);
        break;
    }
    e.BVarchar(Utf8AUtf16(c.nombre));
  }
}

void Fila(Escritor& e, const std::vector<Columna>& columnas, const std::vector<Valor>& valores) {
  e.U8(kTokenRow);
  for (size_t i = 0; i < columnas.size(); ++i) {
    const Valor& v = i < valores.size() ? valores[i] : Valor{};
    const bool nulo = std::holds_alternative<std::monostate>(v);
    switch (columnas[i].tipo) {
      case TipoDeColumna::kTexto: {
        if (nulo) {
          e.U16(0xFFFF);
          break;
        }
        std::string texto;
        if (const auto* t = std::get_if<std::string>(&v)) texto = *t;
        if (const auto* n = std::get_if<int32_t>(&v)) texto = std::to_string(*n);
        if (const auto* d = std::get_if<double>(&v)) texto = std::to_string(*d);
        if (const auto* b = std::get_if<bool>(&v)) texto.assign(1, *b ? '1' : '0');
        const std::u16string u = Utf8AUtf16(texto).substr(0, 4000);
        e.U16(static_cast<uint32_t>(u.size() * 2));
        e.Utf16(u);
        break;
      }
      case TipoDeColumna::kEntero:
        if (nulo) {
          e.U8(0);
        } else {
          e.U8(4);
          const auto* n = std::get_if<int32_t>(&v);
          const auto* b = std::get_if<bool>(&v);
          e.U32(static_cast<uint32_t>(n ? *n : (b ? (*b ? 1 : 0) : 0)));
        }
        break;
      case TipoDeColumna::kReal: {
        if (nulo) {
          e.U8(0);
          break;
        }
        double d = 0;
        if (const auto* x = std::get_if<double>(&v)) d = *x;
        if (const auto* n = std::get_if<int32_t>(&v)) d = *n;
        uint64_t bits = 0;
        std::memcpy(&bits, &d, sizeof bits);
        e.U8(8);
        e.U64(bits);
        break;
      }
      case TipoDeColumna::kBit:
        if (nulo) {
          e.U8(0);
        } else {
          const auto* b = std::get_if<bool>(&v);
          const auto* n = std::get_if<int32_t>(&v);
          e.U8(1);
          e.U8((b && *b) || (n && *n != 0) ? 1 : 0);
        }
        break;
    }
  }
}

}  // namespace evalora::tds

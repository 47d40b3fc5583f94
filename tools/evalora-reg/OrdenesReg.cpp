#include "OrdenesReg.h"

#include <cstdio>
#include <fstream>
#include <istream>
#include <optional>
#include <ostream>

#include "core/Texto.h"
#include "core/Unicode.h"

namespace evalora {

namespace {

constexpr const char* kExito = "La operación se completó correctamente.";
constexpr const char* kNoEncontrado =
    "ERROR: El sistema no pudo encontrar la clave o el valor del Registro especificado.";

struct Orden {
  std::string operacion;
  std::vector<std::string> posicionales;
  std::optional<std::string> valor;  // /v
  bool predeterminado = false;       // /ve
  bool todos = false;                // /va
  bool recursivo = false;            // /s in QUERY
  std::string tipo = "REG_SZ";       // /t
  std::string separador = "\\0";     // /s in ADD
  std::optional<std::string> datos;  // /d
  bool forzar = false;               // /f, /y
};

struct ErrorDeSintaxis {
  std::string texto;
};

Orden Analizar(const std::vector<std::string>& argumentos) {
  if (argumentos.empty()) throw ErrorDeSintaxis{"falta la operación"};
  Orden orden;
  orden.operacion = Mayusculas(argumentos[0]);
  for (size_t i = 1; i < argumentos.size(); ++i) {
    const std::string& a = argumentos[i];
    const std::string opcion = Mayusculas(a);
    auto siguiente = [&]() -> std::string {
      if (i + 1 >= argumentos.size()) throw ErrorDeSintaxis{a + " necesita un argumento"};
      return argumentos[++i];
    };
    if (opcion == "/V")
      orden.valor = siguiente();
    else if (opcion == "/VE")
      orden.predeterminado = true;
    else if (opcion == "/VA")
      orden.todos = true;
    else if (opcion == "/T")
      orden.tipo = Mayusculas(siguiente());
    else if (opcion == "/D")
      orden.datos = siguiente();
    else if (opcion == "/F" || opcion == "/Y")
      orden.forzar = true;
    else if (opcion == "/S") {
      if (orden.operacion == "ADD")
        orden.separador = siguiente();
      else
        orden.recursivo = true;
    } else if (a.size() >= 2 && a.size() <= 4 && a[0] == '/' && a.find('/', 1) == std::string::npos) {
      throw ErrorDeSintaxis{"opción desconocida " + a};  // a path such as /tmp/x.reg is no option
    } else
      orden.posicionales.push_back(a);
  }
  return orden;
}

std::string NombreDeTipo(uint32_t tipo) {
  switch (tipo) {
    case win::REG_NONE:
      return "REG_NONE";
    case win::REG_SZ:
      return "REG_SZ";
    case win::REG_EXPAND_SZ:
      return "REG_EXPAND_SZ";
    case win::REG_BINARY:
      return "REG_BINARY";
    case win::REG_DWORD:
      return "REG_DWORD";
    case win::REG_LINK:
      return "REG_LINK";
    case win::REG_MULTI_SZ:
      return "REG_MULTI_SZ";
    case win::REG_QWORD:
      return "REG_QWORD";
    default: {
      char numero[16];
      std::snprintf(numero, sizeof numero, "0x%x", tipo);
      return numero;
    }
  }
}

std::string Mostrar(const DatoDelRegistro& dato) {
  char numero[32];
  switch (dato.tipo) {
    case win::REG_SZ:
    case win::REG_EXPAND_SZ:
      return TextoDeDato(dato);
    case win::REG_MULTI_SZ: {
      std::string texto;
      for (const auto& t : TextosDeDato(dato)) texto += (texto.empty() ? "" : "\\0") + t;
      return texto;
    }
    case win::REG_DWORD:
      std::snprintf(numero, sizeof numero, "0x%x", DwordDeDato(dato));
      return numero;
    case win::REG_QWORD: {
      unsigned long long q = 0;
      for (size_t i = 0; i < 8 && i < dato.bytes.size(); ++i)
        q |= static_cast<unsigned long long>(dato.bytes[i]) << (8 * i);
      std::snprintf(numero, sizeof numero, "0x%llx", q);
      return numero;
    }
    default: {
      std::string texto;
      for (uint8_t b : dato.bytes) {
        std::snprintf(numero, sizeof numero, "%02X", b);
        texto += numero;
      }
      return texto;
    }
  }
}

void MostrarValor(std::ostream& salida, const std::string& nombre, const DatoDelRegistro& dato) {
  salida << "    " << (nombre.empty() ? "(Predeterminado)" : nombre) << "    " << NombreDeTipo(dato.tipo) << "    "
         << Mostrar(dato) << "\n";
}

std::optional<DatoDelRegistro> DatoDeOrden(const Orden& orden) {
  const std::string datos = orden.datos.value_or("");
  if (orden.tipo == "REG_SZ") return DatoDeTexto(datos, win::REG_SZ);
  if (orden.tipo == "REG_EXPAND_SZ") return DatoDeTexto(datos, win::REG_EXPAND_SZ);
  if (orden.tipo == "REG_MULTI_SZ") {
    std::vector<std::string> textos;
    size_t inicio = 0;
    while (!datos.empty() && inicio <= datos.size()) {
      size_t fin = datos.find(orden.separador, inicio);
      if (fin == std::string::npos) fin = datos.size();
      textos.push_back(datos.substr(inicio, fin - inicio));
      inicio = fin + orden.separador.size();
    }
    return DatoDeMultiTexto(textos);
  }
  if (orden.tipo == "REG_DWORD") {
    if (datos.empty()) return DatoDeDword(0);
    char* fin = nullptr;
    const unsigned long long numero = std::strtoull(datos.c_str(), &fin, 0);
    if (*fin != '\0' || numero > 0xFFFFFFFFull) return std::nullopt;
    return DatoDeDword(static_cast<uint32_t>(numero));
  }
  if (orden.tipo == "REG_BINARY" || orden.tipo == "REG_NONE") {
    if (datos.size() % 2 != 0 || datos.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) {
      return std::nullopt;
    }
    DatoDelRegistro dato{orden.tipo == "REG_BINARY" ? win::REG_BINARY : win::REG_NONE, {}};
    for (size_t i = 0; i < datos.size(); i += 2) {
      dato.bytes.push_back(static_cast<uint8_t>(std::stoul(datos.substr(i, 2), nullptr, 16)));
    }
    return dato;
  }
  return std::nullopt;
}

bool Confirmar(std::istream& entrada, std::ostream& salida, const std::string& pregunta) {
  salida << pregunta << " (Sí/No)? " << std::flush;
  std::string respuesta;
  if (!std::getline(entrada, respuesta)) return false;
  const std::string r = Minusculas(RecortarBlancos(respuesta));
  return r == "s" || r == "sí" || r == "si" || r == "y" || r == "yes";
}

class Ejecucion {
 public:
  Ejecucion(cQueryReg& reg, std::istream& entrada, std::ostream& salida, std::ostream& errores)
      : reg_(reg), registro_(reg.registro()), entrada_(entrada), salida_(salida), errores_(errores) {}

  int Ejecutar(const Orden& orden) {
    if (orden.posicionales.empty()) throw ErrorDeSintaxis{"falta la clave"};
    const auto clave = AnalizarClave(orden.posicionales[0]);
    if (!clave) {
      errores_ << "ERROR: Clave no válida: " << orden.posicionales[0] << "\n";
      return 1;
    }
    raiz_ = clave->first;
    ruta_ = clave->second;
    if (orden.operacion == "QUERY") return Consultar(orden);
    if (orden.operacion == "ADD") return Agregar(orden);
    if (orden.operacion == "DELETE") return Borrar(orden);
    if (orden.operacion == "EXPORT") return Exportar(orden);
    throw ErrorDeSintaxis{"operación desconocida " + orden.operacion};
  }

 private:
  std::string NombreCompleto(const std::string& ruta) const {
    return cQueryReg::NombreDeRaiz(raiz_) + (ruta.empty() ? "" : "\\" + ruta);
  }

  int Fallo(long codigo) {
    if (codigo == win::kArchivoNoEncontrado) {
      errores_ << kNoEncontrado << "\n";
    } else {
      const std::string motivo = registro_.MotivoDelUltimoError();
      errores_ << "ERROR: " << (motivo.empty() ? "código " + std::to_string(codigo) : motivo) << "\n";
    }
    return 1;
  }

  void ListarClave(const std::string& ruta, bool recursivo) {
    salida_ << "\n" << NombreCompleto(ruta) << "\n";
    std::string nombre;
    DatoDelRegistro dato;
    for (uint32_t i = 0; registro_.EnumerarValor(raiz_, ruta, i, nombre, dato) == win::kExito; ++i) {
      MostrarValor(salida_, nombre, dato);
    }
    std::vector<std::string> subclaves;
    for (uint32_t i = 0; registro_.EnumerarSubclave(raiz_, ruta, i, nombre) == win::kExito; ++i) {
      subclaves.push_back(ruta.empty() ? nombre : ruta + "\\" + nombre);
    }
    if (!recursivo) {
      if (!subclaves.empty()) salida_ << "\n";
      for (const auto& s : subclaves) salida_ << NombreCompleto(s) << "\n";
      return;
    }
    for (const auto& s : subclaves) ListarClave(s, true);
  }

  int Consultar(const Orden& orden) {
    if (const long r = registro_.AbrirClave(raiz_, ruta_); r != win::kExito) return Fallo(r);
    if (orden.valor || orden.predeterminado) {
      DatoDelRegistro dato;
      const std::string nombre = orden.valor.value_or("");
      if (const long r = registro_.ConsultarValor(raiz_, ruta_, nombre, dato); r != win::kExito) return Fallo(r);
      salida_ << "\n" << NombreCompleto(ruta_) << "\n";
      MostrarValor(salida_, nombre, dato);
      salida_ << "\n";
      return 0;
    }
    ListarClave(ruta_, orden.recursivo);
    salida_ << "\n";
    return 0;
  }

  int Agregar(const Orden& orden) {
    if (!orden.valor && !orden.predeterminado) {
      if (orden.datos) throw ErrorDeSintaxis{"/d necesita /v o /ve"};
      if (const long r = registro_.CrearClave(raiz_, ruta_); r != win::kExito) return Fallo(r);
      salida_ << kExito << "\n";
      return 0;
    }
    const auto dato = DatoDeOrden(orden);
    if (!dato) {
      errores_ << "ERROR: Tipo o datos no válidos para " << orden.tipo << ".\n";
      return 1;
    }
    const std::string nombre = orden.valor.value_or("");
    DatoDelRegistro existente;
    if (!orden.forzar && registro_.ConsultarValor(raiz_, ruta_, nombre, existente) == win::kExito &&
        !Confirmar(
            entrada_, salida_,
            "El valor " + (nombre.empty() ? "(Predeterminado)" : nombre) + " ya existe, ¿desea sobrescribirlo")) {
      salida_ << "La operación fue cancelada.\n";
      return 1;
    }
    if (const long r = registro_.EstablecerValor(raiz_, ruta_, nombre, *dato); r != win::kExito) return Fallo(r);
    salida_ << kExito << "\n";
    return 0;
  }

  int Borrar(const Orden& orden) {
    if (const long r = registro_.AbrirClave(raiz_, ruta_); r != win::kExito) return Fallo(r);
    if (ruta_.find_first_not_of('\\') == std::string::npos && !orden.valor && !orden.predeterminado && !orden.todos) {
      errores_ << "ERROR: No se puede borrar una raíz del registro.\n";
      return 1;
    }
    const bool unValor = orden.valor || orden.predeterminado;
    const std::string pregunta = unValor ? "¿Eliminar el valor del Registro " + orden.valor.value_or("(Predeterminado)")
                                 : orden.todos ? "¿Eliminar todos los valores de la clave " + NombreCompleto(ruta_)
                                               : "¿Eliminar la clave del Registro " + NombreCompleto(ruta_);
    if (!orden.forzar && !Confirmar(entrada_, salida_, pregunta)) {
      salida_ << "La operación fue cancelada.\n";
      return 1;
    }
    long r = win::kExito;
    if (unValor) {
      r = registro_.BorrarValor(raiz_, ruta_, orden.valor.value_or(""));
    } else if (orden.todos) {
      for (const auto& nombre : reg_.EnumValues(NombreCompleto(ruta_))) {
        if ((r = registro_.BorrarValor(raiz_, ruta_, nombre)) != win::kExito) break;
      }
    } else {
      win::HKEY padre = raiz_;
      r = reg_.DeleteKeyNT(padre, ruta_);
    }
    if (r != win::kExito) return Fallo(r);
    salida_ << kExito << "\n";
    return 0;
  }

  int Exportar(const Orden& orden) {
    if (orden.posicionales.size() < 2) throw ErrorDeSintaxis{"falta el archivo"};
    const std::string archivo = orden.posicionales[1];
    std::string texto;
    if (const long r = reg_.RegSaveKey(NombreCompleto(ruta_), texto); r != win::kExito) return Fallo(r);
    if (!orden.forzar && std::ifstream(archivo).good() &&
        !Confirmar(entrada_, salida_, "El archivo " + archivo + " ya existe, ¿desea sobrescribirlo")) {
      salida_ << "La operación fue cancelada.\n";
      return 1;
    }
    // As the system's editor writes it: UTF-16LE with its byte-order mark.
    std::u16string unidades = u"\xFEFF" + Utf8AUtf16(texto);
    const auto bytes = Utf16ABytes(unidades);
    std::ofstream destino(archivo, std::ios::binary | std::ios::trunc);
    destino.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!destino) {
      errores_ << "ERROR: No se pudo escribir " << archivo << ".\n";
      return 1;
    }
    salida_ << kExito << "\n";
    return 0;
  }

  cQueryReg& reg_;
  Registro& registro_;
  std::istream& entrada_;
  std::ostream& salida_;
  std::ostream& errores_;
  win::HKEY raiz_ = 0;
  std::string ruta_;
};

}  // namespace

int EjecutarOrdenReg(const std::vector<std::string>& argumentos, cQueryReg& registro, std::istream& entrada,
                     std::ostream& salida, std::ostream& errores) {
  try {
    return Ejecucion(registro, entrada, salida, errores).Ejecutar(Analizar(argumentos));
  } catch (const ErrorDeSintaxis& e) {
    errores << "ERROR: Sintaxis no válida (" << e.texto << ").\n"
            << "Uso: evalora-reg QUERY|ADD|DELETE|EXPORT <clave> [opciones]\n";
    return 1;
  }
}

}  // namespace evalora

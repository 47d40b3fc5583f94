#include "Maquina.h"

#include <stdlib.h>

#include <fstream>

#include "platform/windows/EntornoWin.h"
#include "platform/windows/RegistroWin.h"
#include "platform/windows/SistemaDeArchivosWin.h"
#include "platform/windows/TextoWin.h"

namespace evalora::escenario {

namespace fs = std::filesystem;

namespace {

// Where the checks from outside are written, on the machine.
constexpr const char* kComprobacionesDeFuera = "C:\\evalora-escenario\\comprobaciones.txt";

// A check for the outside, one line of fields separated by tabs.
bool DeFuera(const std::vector<std::string>& campos, Maquina& maquina, std::string& hallado);

}  // namespace

struct Maquina::Estado {
  SistemaDeArchivosWin archivos;
  RegistroWin registro;
};

Maquina::Maquina(const fs::path&, fs::path) : estado_(std::make_unique<Estado>()) {}

Maquina::~Maquina() = default;

bool Maquina::UsarPrefijo(const fs::path&, std::string& hallado) {
  hallado = "«prefijo» es de la compilación de Linux: aquí la máquina es la de Windows";
  return false;
}

bool Maquina::Preparar(std::string&) { return true; }

SistemaDeArchivos& Maquina::Archivos() { return estado_->archivos; }

Registro& Maquina::RegistroDeLaMaquina() { return estado_->registro; }

std::optional<fs::path> Maquina::RutaLocal(const std::string& ruta) {
  // The wizard is a 32-bit program in the design: its System32 is SysWOW64 here too.
  const std::string real = RutaQueAlcanza(ruta);
  return fs::path(reinterpret_cast<const char8_t*>(real.c_str()));
}

std::unique_ptr<PlataformaDeEscenario> Maquina::NuevaPlataforma(VersionDelEjecutable version,
                                                                const std::vector<std::string>& variables) {
  return std::make_unique<PlataformaDeEscenario>(version, variables);
}

std::vector<std::string> Maquina::Entorno() const {
  std::vector<std::string> variables;
  for (wchar_t** e = _wenviron; e && *e; ++e) variables.push_back(win32::Estrecho(*e));
  return variables;
}

std::string Maquina::Variable(const std::string& nombre) const { return EntornoWin().Valor(nombre); }

namespace {

bool DeFuera(const std::vector<std::string>& campos, Maquina& maquina, std::string& hallado) {
  std::error_code e;
  const fs::path archivo = *maquina.RutaLocal(kComprobacionesDeFuera);
  fs::create_directories(archivo.parent_path(), e);
  std::ofstream salida(archivo, std::ios::app | std::ios::binary);
  for (size_t i = 0; i < campos.size(); ++i) {
    if (campos[i].find_first_of("\t\r\n") != std::string::npos) {
      hallado = "un texto de comprobación de fuera no puede llevar tabuladores ni saltos de línea";
      return false;
    }
    salida << (i ? "\t" : "") << campos[i];
  }
  salida << "\n";
  if (!salida) hallado = "no se pudo escribir " + std::string(kComprobacionesDeFuera);
  return static_cast<bool>(salida);
}

}  // namespace

bool Maquina::LineaDeWine(const Accion& a, bool empezado, std::string& hallado) {
  // The whole run is under Wine, in a prefix Wine made: "prefijo-de-wine" and "wine-en-marcha"
  // already hold. What Wine's reg.exe reads is checked once Wine has ended.
  if (a.orden == "prefijo-de-wine") {
    if (empezado) hallado = "«prefijo-de-wine» va antes de «inicia» y de las líneas que tocan el prefijo";
    return hallado.empty();
  }
  if (a.orden == "wine-en-marcha") return true;
  const auto& arg = a.argumentos;
  if (arg.size() < 3) {
    hallado = "«wine-valor \"<clave>\" \"<nombre>\" \"<texto>\"»";
    return false;
  }
  return DeFuera({"wine-valor", arg[0].texto, arg[1].texto, arg[2].texto}, *this, hallado);
}

bool Maquina::BaseConSqlcipher(const std::string& ruta, const std::string& clave, const std::string& sql,
                               const std::string& filas, std::string& hallado) {
  // Rows as scenarios write them: CR LF as \r\n.
  std::string escritas;
  for (size_t i = 0; i < filas.size(); ++i) {
    if (filas.compare(i, 2, "\r\n") == 0) {
      escritas += "\\r\\n";
      ++i;
    } else {
      escritas += filas[i];
    }
  }
  return DeFuera({"base", ruta, clave, sql, escritas}, *this, hallado);
}

bool Maquina::Lnkinfo(const std::string& ruta, const std::string& texto, std::string& hallado) {
  if (!estado_->archivos.ExisteArchivo(ruta)) {
    hallado = "no existe";
    return false;
  }
  return DeFuera({"lnkinfo", ruta, texto}, *this, hallado);
}

}  // namespace evalora::escenario

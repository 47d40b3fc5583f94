#include "Maquina.h"

#include <stdlib.h>

#include <cstdio>

#include "Textos.h"
#include "WineDePrueba.h"
#include "platform/linux/EntornoLinux.h"
#include "platform/linux/Prefijo.h"
#include "platform/linux/RegistroWine.h"
#include "platform/linux/SistemaDeArchivosPrefijo.h"
#include "platform/linux/UsuarioLinux.h"

extern char** environ;

namespace evalora::escenario {

namespace fs = std::filesystem;

struct Maquina::Estado {
  fs::path temporal;
  fs::path prefijoWine;
  fs::path prefijo;
  std::unique_ptr<pruebas::WineDePrueba> wine;  // "prefijo-de-wine"
  std::unique_ptr<SistemaDeArchivosPrefijo> archivos;
  std::unique_ptr<RegistroWine> registro;
};

Maquina::Maquina(const fs::path& temporal, fs::path prefijoWine)
    : estado_(std::make_unique<Estado>(Estado{temporal, std::move(prefijoWine), temporal / "prefijo", {}, {}, {}})) {}

Maquina::~Maquina() = default;

bool Maquina::UsarPrefijo(const fs::path& prefijo, std::string& hallado) {
  if (estado_->archivos || estado_->wine) {
    hallado = "«prefijo» va antes de las líneas que tocan el prefijo";
    return false;
  }
  estado_->prefijo = prefijo;
  return true;
}

bool Maquina::Preparar(std::string& hallado) { return Prefijo(estado_->prefijo).Preparar(&hallado); }

SistemaDeArchivos& Maquina::Archivos() {
  if (!estado_->archivos) estado_->archivos = std::make_unique<SistemaDeArchivosPrefijo>(estado_->prefijo);
  return *estado_->archivos;
}

Registro& Maquina::RegistroDeLaMaquina() {
  estado_->registro = std::make_unique<RegistroWine>(estado_->prefijo);  // read afresh: the run writes it too
  return *estado_->registro;
}

std::optional<fs::path> Maquina::RutaLocal(const std::string& ruta) {
  Archivos();
  return estado_->archivos->RutaAnfitrion(ruta);
}

std::unique_ptr<PlataformaDeEscenario> Maquina::NuevaPlataforma(VersionDelEjecutable version,
                                                                const std::vector<std::string>& variables) {
  return std::make_unique<PlataformaDeEscenario>(estado_->prefijo, version, variables);
}

std::vector<std::string> Maquina::Entorno() const {
  std::vector<std::string> variables;
  for (char** e = environ; *e; ++e) variables.emplace_back(*e);
  return variables;
}

std::string Maquina::Variable(const std::string& nombre) const {
  return EntornoLinux(Entorno(), NombreDeUsuarioUnix()).Valor(nombre);
}

bool Maquina::LineaDeWine(const Accion& a, bool empezado, std::string& hallado) {
  const auto& arg = a.argumentos;
  if (a.orden == "prefijo-de-wine") {
    if (empezado || estado_->archivos) {
      hallado = "«prefijo-de-wine» va antes de «inicia» y de las líneas que tocan el prefijo";
      return false;
    }
    estado_->wine = std::make_unique<pruebas::WineDePrueba>(estado_->prefijoWine, estado_->temporal / "wine");
    if (!estado_->wine->Listo()) {
      hallado = "no hay un prefijo hecho por Wine: " + estado_->wine->Problema();
      return false;
    }
    estado_->prefijo = estado_->wine->Raiz();
    // The wizard's own Wine (a registry change while Wine runs) and the programs it starts run
    // with this prefix's HOME and settings, never the user's.
    for (const auto& v : estado_->wine->Entorno()) {
      const auto igual = v.find('=');
      ::setenv(v.substr(0, igual).c_str(), v.substr(igual + 1).c_str(), 1);
    }
    return true;
  }
  if (!estado_->wine) {
    hallado = "«" + a.orden + "» necesita antes «prefijo-de-wine»";
    return false;
  }
  if (a.orden == "wine-en-marcha") {
    if (!estado_->wine->ServidorEnMarcha()) hallado = "el servidor de Wine no arrancó";
    return hallado.empty();
  }
  // wine-valor "<clave>" "<nombre>" "<texto>": Wine ends first (as when its last program
  // closes): what it saved is what counts. An empty text asks only that the key or value be there.
  if (arg.size() < 3) {
    hallado = "«wine-valor \"<clave>\" \"<nombre>\" \"<texto>\"»";
    return false;
  }
  estado_->wine->TerminarWine();
  std::vector<std::string> consulta = {"reg", "query", arg[0].texto};
  if (!arg[1].texto.empty()) consulta.insert(consulta.end(), {"/v", arg[1].texto});
  const auto s = estado_->wine->Wine(consulta);
  estado_->wine->TerminarWine();
  if (s.estado == 0 && s.texto.find(arg[2].texto) != std::string::npos) return true;
  hallado = "reg query (" + std::to_string(s.estado) + "): " + s.texto;
  return false;
}

bool Maquina::BaseConSqlcipher(const std::string&, const std::string&, const std::string&, const std::string&,
                               std::string&) {
  return true;
}

bool Maquina::Lnkinfo(const std::string& ruta, const std::string& texto, std::string& hallado) {
  const auto local = RutaLocal(ruta);
  if (!local) {
    hallado = "no existe";
    return false;
  }
  std::string salida;
  if (FILE* tubo = ::popen(("lnkinfo '" + local->string() + "' 2>&1").c_str(), "r")) {
    char bloque[4096];
    for (size_t n; (n = std::fread(bloque, 1, sizeof bloque, tubo)) > 0;) salida.append(bloque, n);
    ::pclose(tubo);
  }
  const bool bien = BlancosJuntos(salida).find(BlancosJuntos(texto)) != std::string::npos;
  if (!bien) hallado = salida.empty() ? "lnkinfo no dijo nada" : Mostrable(salida);
  return bien;
}

}  // namespace evalora::escenario

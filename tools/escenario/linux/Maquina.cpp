#include "Maquina.h"

#include <stdlib.h>

#include <cstdio>

#include "Textos.h"
#include "platform/linux/EntornoLinux.h"
#include "platform/linux/Prefijo.h"
#include "platform/linux/UsuarioLinux.h"

extern char** environ;

namespace evalora::escenario {

namespace fs = std::filesystem;

Maquina::Maquina(const fs::path& temporal, fs::path prefijoWine)
    : temporal_(temporal), prefijoWine_(std::move(prefijoWine)), prefijo_(temporal / "prefijo") {}

Maquina::~Maquina() = default;

bool Maquina::UsarPrefijo(const fs::path& prefijo, std::string& hallado) {
  if (archivos_ || wine_) {
    hallado = "«prefijo» va antes de las líneas que tocan el prefijo";
    return false;
  }
  prefijo_ = prefijo;
  return true;
}

bool Maquina::Preparar(std::string& hallado) { return Prefijo(prefijo_).Preparar(&hallado); }

SistemaDeArchivos& Maquina::Archivos() {
  if (!archivos_) archivos_ = std::make_unique<SistemaDeArchivosPrefijo>(prefijo_);
  return *archivos_;
}

Registro& Maquina::RegistroDeLaMaquina() {
  registro_ = std::make_unique<RegistroWine>(prefijo_);  // read afresh: the run writes it too
  return *registro_;
}

std::optional<fs::path> Maquina::RutaLocal(const std::string& ruta) {
  Archivos();
  return archivos_->RutaAnfitrion(ruta);
}

std::unique_ptr<PlataformaDeEscenario> Maquina::NuevaPlataforma(VersionDelEjecutable version,
                                                                const std::vector<std::string>& variables) {
  return std::make_unique<PlataformaDeEscenario>(prefijo_, version, variables);
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
    if (empezado || archivos_) {
      hallado = "«prefijo-de-wine» va antes de «inicia» y de las líneas que tocan el prefijo";
      return false;
    }
    wine_ = std::make_unique<pruebas::WineDePrueba>(prefijoWine_, temporal_ / "wine");
    if (!wine_->Listo()) {
      hallado = "no hay un prefijo hecho por Wine: " + wine_->Problema();
      return false;
    }
    prefijo_ = wine_->Raiz();
    // The wizard's own Wine (a registry change while Wine runs) and the programs it starts run
    // with this prefix's HOME and settings, never the user's.
    for (const auto& v : wine_->Entorno()) {
      const auto igual = v.find('=');
      ::setenv(v.substr(0, igual).c_str(), v.substr(igual + 1).c_str(), 1);
    }
    return true;
  }
  if (!wine_) {
    hallado = "«" + a.orden + "» necesita antes «prefijo-de-wine»";
    return false;
  }
  if (a.orden == "wine-en-marcha") {
    if (!wine_->ServidorEnMarcha()) hallado = "el servidor de Wine no arrancó";
    return hallado.empty();
  }
  // wine-valor "<clave>" "<nombre>" "<texto>": Wine ends first (as when its last program
  // closes): what it saved is what counts. An empty text asks only that the key or value be there.
  if (arg.size() < 3) {
    hallado = "«wine-valor \"<clave>\" \"<nombre>\" \"<texto>\"»";
    return false;
  }
  wine_->TerminarWine();
  std::vector<std::string> consulta = {"reg", "query", arg[0].texto};
  if (!arg[1].texto.empty()) consulta.insert(consulta.end(), {"/v", arg[1].texto});
  const auto s = wine_->Wine(consulta);
  wine_->TerminarWine();
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

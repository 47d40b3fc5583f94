// The scenario lines that use Wine itself: a prefix Wine made, Wine running in it while the
// wizard works, and what Wine's own reg.exe reads once Wine has ended.
#include <stdlib.h>

#include "Escenario.h"
#include "platform/Registro.h"

namespace evalora::escenario {

bool Escenario::ConfigurarWine(const Accion& a, std::string& hallado) {
  if (a.orden == "prefijo-de-wine") {
    if (servidores_ || iniciado_ || archivos_) {
      hallado = "«prefijo-de-wine» va antes de «inicia» y de las líneas que tocan el prefijo";
      return false;
    }
    wine_ = std::make_unique<pruebas::WineDePrueba>(opciones_.prefijoWine, temporal_ / "wine");
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
  // wine-en-marcha
  if (!wine_) {
    hallado = "«wine-en-marcha» necesita antes «prefijo-de-wine»";
    return false;
  }
  if (!wine_->ServidorEnMarcha()) {
    hallado = "el servidor de Wine no arrancó";
    return false;
  }
  return true;
}

bool Escenario::ComprobarConWine(const Accion& a, std::string& hallado) {
  const auto& arg = a.argumentos;
  if (!wine_ || arg.size() < 3) {
    hallado = "«wine-valor \"<clave>\" \"<nombre>\" \"<texto>\"» necesita «prefijo-de-wine»";
    return false;
  }
  // Wine ends first (as when its last program closes): what it saved is what counts.
  wine_->TerminarWine();
  std::vector<std::string> consulta = {"reg", "query", arg[0].texto};
  if (!arg[1].texto.empty()) consulta.insert(consulta.end(), {"/v", arg[1].texto});
  const auto s = wine_->Wine(consulta);
  wine_->TerminarWine();
  // An empty text asks only that the key (or value) be there.
  if (s.estado == 0 && s.texto.find(arg[2].texto) != std::string::npos) return true;
  hallado = "reg query (" + std::to_string(s.estado) + "): " + s.texto;
  return false;
}

}  // namespace evalora::escenario

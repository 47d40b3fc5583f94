#include "Peticiones.h"

#include <cctype>

#include "core/Texto.h"

namespace evalora::servidor {

namespace {

bool EsBlanco(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

class Cursor {
 public:
  explicit Cursor(const std::string& t) : t_(t) {}
  void Blancos() {
    while (i_ < t_.size() && EsBlanco(t_[i_])) ++i_;
  }
  bool Fin() {
    Blancos();
    return i_ == t_.size();
  }
  // A word, without regard to case.
  bool Palabra(const std::string& palabra) {
    Blancos();
    if (t_.size() - i_ < palabra.size() || Mayusculas(t_.substr(i_, palabra.size())) != Mayusculas(palabra)) {
      return false;
    }
    i_ += palabra.size();
    return true;
  }
  bool Signo(char c) {
    Blancos();
    if (i_ < t_.size() && t_[i_] == c) {
      ++i_;
      return true;
    }
    return false;
  }
  std::optional<std::string> Identificador() {
    Blancos();
    const size_t inicio = i_;
    while (i_ < t_.size() && (std::isalnum(static_cast<unsigned char>(t_[i_])) || t_[i_] == '_')) ++i_;
    if (i_ == inicio) return std::nullopt;
    return t_.substr(inicio, i_ - inicio);
  }
  std::optional<std::string> Texto() {
    Blancos();
    if (i_ >= t_.size() || t_[i_] != '\'') return std::nullopt;
    std::string valor;
    for (++i_; i_ < t_.size(); ++i_) {
      if (t_[i_] == '\'') {
        if (i_ + 1 < t_.size() && t_[i_ + 1] == '\'') {
          valor += '\'';
          ++i_;
          continue;
        }
        ++i_;
        return valor;
      }
      valor += t_[i_];
    }
    return std::nullopt;
  }
  std::optional<std::string> Numero() {
    Blancos();
    const size_t inicio = i_;
    if (i_ < t_.size() && (t_[i_] == '-' || t_[i_] == '+')) ++i_;
    while (i_ < t_.size() && (std::isdigit(static_cast<unsigned char>(t_[i_])) || t_[i_] == '.')) ++i_;
    if (i_ == inicio) return std::nullopt;
    return t_.substr(inicio, i_ - inicio);
  }

 private:
  const std::string& t_;
  size_t i_ = 0;
};

std::optional<Peticion> ConsultaVersion(Cursor& c) {
  ConsultaDeVersion consulta;
  if (!(c.Palabra("Activa") && c.Signo(',') && c.Palabra("Version") && c.Palabra("FROM") &&
        c.Palabra("TBL_DMVersionDM") && c.Palabra("WHERE") && c.Palabra("SUBSTRING") && c.Signo('(') &&
        c.Palabra("Version") && c.Signo(',') && c.Palabra("6") && c.Signo(',') && c.Palabra("1") && c.Signo(')') &&
        c.Signo('='))) {
    return std::nullopt;
  }
  const auto tipo = c.Numero();
  if (!tipo || !c.Palabra("and") || !c.Palabra("versionEV") || !c.Signo('=')) return std::nullopt;
  const auto version = c.Texto();
  if (!version || !c.Fin()) return std::nullopt;
  consulta.tipo = *tipo;
  consulta.versionEV = *version;
  return consulta;
}

}  // namespace

std::optional<Peticion> LeerPeticion(const std::string& sql) {
  Cursor c(sql);
  if (c.Palabra("SELECT")) return ConsultaVersion(c);
  Cursor tipos(sql);
  if (const auto nombre = tipos.Identificador(); nombre && nombre->rfind("sp_datatype_info", 0) == 0) {
    return InformacionDeTipos{};
  }
  Cursor llamada(sql);
  llamada.Palabra("Exec");
  LlamadaAProcedimiento p;
  const auto nombre = llamada.Identificador();
  if (!nombre) return std::nullopt;
  p.procedimiento = *nombre;
  if (llamada.Fin()) return p;
  do {
    Argumento a;
    if (auto texto = llamada.Texto()) {
      a = {true, *texto};
    } else if (auto numero = llamada.Numero()) {
      a = {false, *numero};
    } else {
      return std::nullopt;
    }
    p.argumentos.push_back(a);
  } while (llamada.Signo(','));
  if (!llamada.Fin()) return std::nullopt;
  return p;
}

std::optional<std::vector<std::string>> LeerFiltroDeAplicaciones(const std::string& filtro) {
  Cursor c(filtro);
  std::vector<std::string> nombres;
  if (c.Fin()) return nombres;
  do {
    if (!c.Palabra("RutaServidor") || !c.Palabra("LIKE")) return std::nullopt;
    const auto patron = c.Texto();
    if (!patron || patron->size() < 2 || patron->front() != '%' || patron->back() != '%') return std::nullopt;
    nombres.push_back(patron->substr(1, patron->size() - 2));
  } while (c.Palabra("OR"));
  if (!c.Fin()) return std::nullopt;
  return nombres;
}

}  // namespace evalora::servidor

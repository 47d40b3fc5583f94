#include "localdb/FormatoRegional.h"

#include <ctime>

namespace evalora {

FormatoRegional LeerFormatoRegional(Registro& registro) {
  FormatoRegional f;
  const std::pair<const char*, std::string*> valores[] = {
      {"sShortDate", &f.fechaCorta}, {"sTimeFormat", &f.hora}, {"s1159", &f.am}, {"s2359", &f.pm}};
  for (const auto& [nombre, destino] : valores) {
    DatoDelRegistro dato;
    if (registro.ConsultarValor(win::HKEY_CURRENT_USER, "Control Panel\\International", nombre, dato) == win::kExito) {
      const std::string texto = TextoDeDato(dato);
      if (!texto.empty()) *destino = texto;
    }
  }
  return f;
}

namespace {

// Windows' picture letters: d, M, y, H, h, m, s, t; text between single quotes as it is.
std::string Aplicar(const std::string& patron, const std::tm& t, const FormatoRegional& f) {
  std::string r;
  for (size_t i = 0; i < patron.size();) {
    const char c = patron[i];
    if (c == '\'') {
      const size_t fin = patron.find('\'', i + 1);
      r += patron.substr(i + 1, (fin == std::string::npos ? patron.size() : fin) - i - 1);
      i = fin == std::string::npos ? patron.size() : fin + 1;
      continue;
    }
    size_t n = 1;
    while (i + n < patron.size() && patron[i + n] == c) ++n;
    auto dos = [](int v, size_t ancho) {
      std::string s = std::to_string(v);
      return ancho >= 2 && s.size() < 2 ? "0" + s : s;
    };
    const int hora12 = t.tm_hour % 12 == 0 ? 12 : t.tm_hour % 12;
    switch (c) {
      case 'd':
        r += dos(t.tm_mday, n);
        break;
      case 'M':
        r += dos(t.tm_mon + 1, n);
        break;
      case 'y':
        r += n >= 3 ? std::to_string(t.tm_year + 1900) : dos((t.tm_year + 1900) % 100, 2);
        break;
      case 'H':
        r += dos(t.tm_hour, n);
        break;
      case 'h':
        r += dos(hora12, n);
        break;
      case 'm':
        r += dos(t.tm_min, n);
        break;
      case 's':
        r += dos(t.tm_sec, n);
        break;
      case 't':
        r += t.tm_hour < 12 ? f.am : f.pm;
        break;
      default:
        r += patron.substr(i, n);
    }
    i += n;
  }
  return r;
}

}  // namespace

std::string FechaYHora(int64_t segundos, const FormatoRegional& formato) {
  const std::time_t momento = static_cast<std::time_t>(segundos);
  std::tm t{};
#ifdef _WIN32
  localtime_s(&t, &momento);  // the C runtime of Windows has the same call with its arguments turned
#else
  localtime_r(&momento, &t);
#endif
  return Aplicar(formato.fechaCorta, t, formato) + " " + Aplicar(formato.hora, t, formato);
}

}  // namespace evalora

#include "ui/FormateaPeso.h"

#include <cstdio>

#include "core/Texto.h"

namespace evalora::ui {

std::string FormateaPeso(double bytes, int redondeo, const std::string& separadorDecimal) {
  static const char* const kUnidades[] = {" bytes", " KB", " MB", " GB"};
  int unidad = 0;
  double v = bytes;
  while (v > 1024 && unidad < 3) {
    v /= 1024;
    ++unidad;
  }
  v = RedondearPar(v, redondeo == kRedondeoEntero ? 0 : 2);
  char texto[64];
  std::snprintf(texto, sizeof texto, "%.2f", v);
  std::string s = texto;
  while (s.back() == '0') s.pop_back();
  if (s.back() == '.') s.pop_back();
  const auto punto = s.find('.');
  if (punto != std::string::npos) s.replace(punto, 1, separadorDecimal);
  if (s == "-0") s = "0";
  return s + kUnidades[unidad];
}

std::string SeparadorDecimal(Registro& registro) {
  DatoDelRegistro dato;
  if (registro.ConsultarValor(win::HKEY_CURRENT_USER, "Control Panel\\International", "sDecimal", dato) ==
      win::kExito) {
    const std::string s = TextoDeDato(dato);
    if (!s.empty()) return s;
  }
  return ".";
}

}  // namespace evalora::ui

#include "platform/LineaDeOrdenes.h"

namespace evalora {

std::vector<std::string> PartirArgumentos(const std::string& linea) {
  std::vector<std::string> argumentos;
  std::string actual;
  bool enArgumento = false;
  bool entreComillas = false;
  size_t i = 0;
  while (i < linea.size()) {
    const char c = linea[i];
    if ((c == ' ' || c == '\t') && !entreComillas) {
      if (enArgumento) argumentos.push_back(std::move(actual));
      actual.clear();
      enArgumento = false;
      ++i;
      continue;
    }
    enArgumento = true;
    if (c == '\\') {
      size_t barras = 0;
      while (i < linea.size() && linea[i] == '\\') ++barras, ++i;
      if (i < linea.size() && linea[i] == '"') {
        actual.append(barras / 2, '\\');
        if (barras % 2 == 1) {
          actual += '"';
          ++i;
        }
        // an even count leaves the quote to toggle below
      } else {
        actual.append(barras, '\\');
      }
      continue;
    }
    if (c == '"') {
      if (entreComillas && i + 1 < linea.size() && linea[i + 1] == '"') {
        actual += '"';
        i += 2;
        continue;
      }
      entreComillas = !entreComillas;
      ++i;
      continue;
    }
    actual += c;
    ++i;
  }
  if (enArgumento) argumentos.push_back(std::move(actual));
  return argumentos;
}

std::string PrimerArgumento(const std::string& linea, std::string* resto) {
  size_t inicio = linea.find_first_not_of(" \t");
  if (inicio == std::string::npos) {
    if (resto) resto->clear();
    return std::string();
  }
  std::string programa;
  size_t fin;
  if (linea[inicio] == '"') {
    const size_t cierre = linea.find('"', inicio + 1);
    fin = cierre == std::string::npos ? linea.size() : cierre + 1;
    programa = linea.substr(inicio + 1, (cierre == std::string::npos ? linea.size() : cierre) - inicio - 1);
  } else {
    fin = linea.find_first_of(" \t", inicio);
    if (fin == std::string::npos) fin = linea.size();
    programa = linea.substr(inicio, fin - inicio);
  }
  if (resto) resto->assign(fin < linea.size() ? linea.substr(fin + 1) : std::string());
  return programa;
}

std::string CitarArgumento(const std::string& argumento) {
  if (!argumento.empty() && argumento.find_first_of(" \t\"") == std::string::npos) return argumento;
  std::string salida = "\"";
  size_t barras = 0;
  for (char c : argumento) {
    if (c == '\\') {
      ++barras;
      continue;
    }
    salida.append(c == '"' ? 2 * barras + 1 : barras, '\\');
    barras = 0;
    salida += c;
  }
  salida.append(2 * barras, '\\');
  return salida + "\"";
}

}  // namespace evalora

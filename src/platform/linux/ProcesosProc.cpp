#include "platform/linux/ProcesosProc.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>

namespace evalora {

std::vector<std::string> ProcesosProc::NombresEnEjecucion() {
  std::map<long, std::string> porNumero;
  std::error_code error;
  for (std::filesystem::directory_iterator it(proc_, error), fin; !error && it != fin; it.increment(error)) {
    const std::string pid = it->path().filename().string();
    if (pid.empty() || !std::all_of(pid.begin(), pid.end(), [](char c) { return c >= '0' && c <= '9'; })) continue;
    std::ifstream archivo(it->path() / "cmdline", std::ios::binary);
    std::string linea((std::istreambuf_iterator<char>(archivo)), std::istreambuf_iterator<char>());
    const std::string primero = linea.substr(0, linea.find('\0'));
    if (primero.empty()) continue;
    const auto barra = primero.find_last_of("/\\");
    const std::string nombre = barra == std::string::npos ? primero : primero.substr(barra + 1);
    if (!nombre.empty()) porNumero.emplace(std::stol(pid), nombre);
  }
  std::vector<std::string> nombres;
  nombres.reserve(porNumero.size());
  for (auto& [pid, nombre] : porNumero) nombres.push_back(std::move(nombre));
  return nombres;
}

}  // namespace evalora

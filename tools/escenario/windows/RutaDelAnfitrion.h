#pragma once
// Paths of the Linux machine the Windows runner is given (the development server's logs, the
// scenario files, the screenshots' folder), as Wine shows them: the Linux root is drive Z:.

#include <filesystem>
#include <string>

namespace evalora::escenario {

// A Linux path (/…) through drive Z:; any other path as it is.
inline std::filesystem::path RutaDelAnfitrion(std::string ruta) {
  if (!ruta.empty() && ruta.front() == '/') ruta = "Z:" + ruta;
  for (char& c : ruta) c = c == '/' ? '\\' : c;
  return std::filesystem::path(reinterpret_cast<const char8_t*>(ruta.c_str()));
}

}  // namespace evalora::escenario

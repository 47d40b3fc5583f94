#include "platform/linux/UsuarioLinux.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

namespace evalora {

std::string NombreDeUsuarioUnix() {
  if (const passwd* pw = ::getpwuid(::geteuid()); pw && pw->pw_name) return pw->pw_name;
  const char* usuario = std::getenv("USER");
  return usuario ? usuario : "";
}

std::string UsuarioLinux::Nombre() { return NombreDeUsuarioUnix(); }

bool UsuarioLinux::EsAdministrador() {
  if (::geteuid() == 0) return true;
  struct stat st {};
  return ::stat(prefijo_.c_str(), &st) == 0 && st.st_uid == ::geteuid();
}

}  // namespace evalora

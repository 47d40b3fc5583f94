#include "platform/linux/IndiceDeNombres.h"

#include <dirent.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "core/Texto.h"

namespace evalora {

namespace {

constexpr uint32_t kAvisosDeCarpeta =
    IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;
// The folders kept at once; the least recently asked about goes first.
constexpr size_t kCarpetasGuardadas = 64;

// Every entry of the folder but "." and "..", as the callback receives it; false when it cannot
// be read.
template <typename Cada>
bool LeerCarpeta(const std::string& carpeta, Cada cada) {
  DIR* dir = ::opendir(carpeta.c_str());
  if (!dir) return false;
  while (const dirent* e = ::readdir(dir)) {
    if (std::strcmp(e->d_name, ".") != 0 && std::strcmp(e->d_name, "..") != 0) cada(std::string(e->d_name));
  }
  ::closedir(dir);
  return true;
}

}  // namespace

std::optional<std::string> BuscarLeyendoLaCarpeta(const std::string& carpeta, const std::string& nombre) {
  std::optional<std::string> encontrado;
  const std::string buscado = Mayusculas(nombre);
  LeerCarpeta(carpeta, [&](std::string entrada) {
    // Names that differ only in case: the same one every time (the smallest in byte order).
    if (Mayusculas(entrada) == buscado && (!encontrado || entrada < *encontrado)) encontrado = std::move(entrada);
  });
  return encontrado;
}

IndiceDeNombres::IndiceDeNombres() : avisos_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {}

IndiceDeNombres::~IndiceDeNombres() {
  if (avisos_ >= 0) ::close(avisos_);
}

std::optional<std::string> IndiceDeNombres::Buscar(const std::string& carpeta, const std::string& nombre) {
  if (avisos_ < 0) return BuscarLeyendoLaCarpeta(carpeta, nombre);
  AtenderAvisos();
  // The same folder (the same inode, by whichever path) always has the same watch.
  const int vigilancia = ::inotify_add_watch(avisos_, carpeta.c_str(), kAvisosDeCarpeta);
  if (vigilancia < 0) return BuscarLeyendoLaCarpeta(carpeta, nombre);
  auto it = carpetas_.find(vigilancia);
  if (it == carpetas_.end()) {
    if (carpetas_.size() >= kCarpetasGuardadas) {
      auto vieja = carpetas_.begin();
      for (auto c = carpetas_.begin(); c != carpetas_.end(); ++c) {
        if (c->second.usada < vieja->second.usada) vieja = c;
      }
      if (vieja->first != vigilancia) Olvidar(vieja->first);
    }
    // Watched before it is read: what changes while it is read comes as a notification too.
    Carpeta nueva;
    if (!LeerCarpeta(carpeta,
                     [&](std::string entrada) { nueva.nombres[Mayusculas(entrada)].insert(std::move(entrada)); })) {
      Olvidar(vigilancia);
      return std::nullopt;
    }
    it = carpetas_.emplace(vigilancia, std::move(nueva)).first;
  }
  it->second.usada = ++turno_;
  const auto nombres = it->second.nombres.find(Mayusculas(nombre));
  if (nombres == it->second.nombres.end() || nombres->second.empty()) return std::nullopt;
  return *nombres->second.begin();
}

void IndiceDeNombres::AtenderAvisos() {
  alignas(inotify_event) char avisos[64 * 1024];
  for (;;) {
    const ssize_t leidos = ::read(avisos_, avisos, sizeof avisos);
    if (leidos < 0 && errno == EINTR) continue;
    if (leidos <= 0) return;
    for (ssize_t i = 0; i < leidos;) {
      const auto* e = reinterpret_cast<const inotify_event*>(avisos + i);
      i += static_cast<ssize_t>(sizeof(inotify_event) + e->len);
      if (e->mask & IN_Q_OVERFLOW) {
        OlvidarTodas();  // some were lost: every folder is read again
        continue;
      }
      const auto it = carpetas_.find(e->wd);
      if (it == carpetas_.end()) continue;
      if (e->mask & IN_IGNORED) {
        carpetas_.erase(it);
      } else if (e->mask & (IN_DELETE_SELF | IN_MOVE_SELF)) {
        Olvidar(e->wd);
      } else if (e->len > 0) {
        const std::string entrada(e->name);
        const std::string clave = Mayusculas(entrada);
        if (e->mask & (IN_CREATE | IN_MOVED_TO)) {
          it->second.nombres[clave].insert(entrada);
        } else if (e->mask & (IN_DELETE | IN_MOVED_FROM)) {
          const auto nombres = it->second.nombres.find(clave);
          if (nombres != it->second.nombres.end()) {
            nombres->second.erase(entrada);
            if (nombres->second.empty()) it->second.nombres.erase(nombres);
          }
        }
      }
    }
  }
}

void IndiceDeNombres::Olvidar(int vigilancia) {
  carpetas_.erase(vigilancia);
  ::inotify_rm_watch(avisos_, vigilancia);
}

void IndiceDeNombres::OlvidarTodas() {
  while (!carpetas_.empty()) Olvidar(carpetas_.begin()->first);
}

}  // namespace evalora

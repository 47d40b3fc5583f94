#include "platform/linux/SistemaDeArchivosPrefijo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "core/Texto.h"
#include "platform/CodigosWin.h"

namespace evalora {

namespace fs = std::filesystem;

namespace {

constexpr const char* kAtributosDos = "user.DOSATTRIB";
constexpr uint32_t kAtributosEnXattr = win::kAtributoOculto | win::kAtributoSistema;

bool EsSoloLectura(const struct stat& st) { return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0; }

bool OrdenSinMayusculas(const std::string& a, const std::string& b) {
  const std::string pa = Mayusculas(a);
  const std::string pb = Mayusculas(b);
  return pa != pb ? pa < pb : a < b;
}

}  // namespace

std::optional<RutaWindows> AnalizarRutaWindows(const std::string& ruta) {
  std::string texto = ruta;
  std::replace(texto.begin(), texto.end(), '/', '\\');
  if (texto.rfind("\\\\", 0) == 0) return std::nullopt;
  if (texto.size() < 2 || texto[1] != ':' || !std::isalpha(static_cast<unsigned char>(texto[0]))) return std::nullopt;
  RutaWindows salida;
  salida.unidad = static_cast<char>(std::tolower(static_cast<unsigned char>(texto[0])));
  size_t inicio = 2;
  while (inicio <= texto.size()) {
    size_t fin = texto.find('\\', inicio);
    if (fin == std::string::npos) fin = texto.size();
    const std::string componente = texto.substr(inicio, fin - inicio);
    if (componente == "..") {
      if (!salida.componentes.empty()) salida.componentes.pop_back();
    } else if (!componente.empty() && componente != ".") {
      salida.componentes.push_back(componente);
    }
    inicio = fin + 1;
  }
  return salida;
}

SistemaDeArchivosPrefijo::SistemaDeArchivosPrefijo(fs::path prefijo)
    : prefijo_(std::move(prefijo)), azar_(std::random_device{}()) {}

SistemaDeArchivosPrefijo::~SistemaDeArchivosPrefijo() {
  if (dosdevices_ >= 0) ::close(dosdevices_);
}

const std::string* SistemaDeArchivosPrefijo::CarpetaDeUnidad(char letra) const {
  // The drive's own folder, with the dosdevices link resolved; resolved again when the link
  // points elsewhere (or is not a link). The link is read through the folder kept open, which is
  // opened again when it no longer has the link (a prefix made anew in the same place).
  auto& conocida = unidades_[static_cast<unsigned char>(letra)];
  if (conocida.rutaDelEnlace.empty()) {
    conocida.rutaDelEnlace = (prefijo_ / "dosdevices" / (std::string(1, letra) + ":")).string();
  }
  const char nombre[] = {letra, ':', '\0'};
  char destino[4096];
  ssize_t largo = -1;
  for (int intento = 0; intento < 2 && largo < 0; ++intento) {
    if (intento > 0 || dosdevices_ < 0) {
      if (dosdevices_ >= 0) ::close(dosdevices_);
      dosdevices_ = ::open((prefijo_ / "dosdevices").c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    }
    if (dosdevices_ < 0) break;
    largo = ::readlinkat(dosdevices_, nombre, destino, sizeof destino);
    if (largo < 0 && errno != ENOENT) break;  // not a link: nothing to open again for
  }
  const bool esEnlace = largo > 0 && static_cast<size_t>(largo) < sizeof destino;
  if (!esEnlace || conocida.carpeta.empty() ||
      conocida.enlace.compare(0, std::string::npos, destino, static_cast<size_t>(largo)) != 0) {
    std::error_code error;
    const fs::path carpeta = fs::canonical(conocida.rutaDelEnlace, error);
    if (error || !fs::is_directory(carpeta, error)) {
      conocida.carpeta.clear();
      return nullptr;
    }
    conocida.enlace = esEnlace ? std::string(destino, static_cast<size_t>(largo)) : std::string();
    conocida.carpeta = carpeta.string();
  }
  return &conocida.carpeta;
}

std::optional<SistemaDeArchivosPrefijo::Resuelta> SistemaDeArchivosPrefijo::Resolver(const std::string& ruta) const {
  const auto analizada = AnalizarRutaWindows(ruta);
  if (!analizada) return std::nullopt;
  const auto unidad = CarpetaDeUnidad(analizada->unidad);
  if (!unidad) return std::nullopt;
  std::string actual = *unidad;
  if (actual.back() == '/') actual.pop_back();  // the drive is the root: "" + "/" + component
  const auto& partes = analizada->componentes;
  // The longest beginning that exists as written (usually the whole path, or all of it but the
  // last name) is taken as it is; each name after it is looked for in any case.
  std::vector<size_t> fines;
  std::string entera = actual;
  for (const auto& componente : partes) {
    entera += "/" + componente;
    fines.push_back(entera.size());
  }
  Resuelta resuelta;
  struct stat st {};
  size_t exactas = partes.size();
  for (; exactas > 0; --exactas) {
    if (::lstat(entera.substr(0, fines[exactas - 1]).c_str(), &st) == 0) break;
  }
  bool existe = exactas == partes.size();  // as written, to the end (links not followed yet)
  if (exactas > 0) actual = entera.substr(0, fines[exactas - 1]);
  bool buscar = true;
  for (size_t i = exactas; i < partes.size(); ++i) {
    const std::string exacta = actual + "/" + partes[i];
    if (buscar && (i == exactas || ::lstat(exacta.c_str(), &st) != 0)) {
      // The same name in another case, as Windows would find it.
      if (const auto encontrado = nombres_.Buscar(actual.empty() ? "/" : actual, partes[i])) {
        actual += "/" + *encontrado;
        existe = i + 1 == partes.size() && ::lstat(actual.c_str(), &st) == 0;
        continue;
      }
      buscar = false;
    }
    actual = exacta;
    existe = buscar;
  }
  if (actual.empty()) actual.push_back('/');
  if (partes.empty()) existe = ::lstat(actual.c_str(), &st) == 0;
  // What the path names, its links followed.
  if (existe && (!S_ISLNK(st.st_mode) || ::stat(actual.c_str(), &st) == 0)) resuelta.estado = st;
  resuelta.ruta = std::move(actual);
  return resuelta;
}

std::optional<struct stat> SistemaDeArchivosPrefijo::EstadoDe(const std::string& ruta) const {
  const auto resuelta = Resolver(ruta);
  return resuelta ? resuelta->estado : std::nullopt;
}

std::optional<fs::path> SistemaDeArchivosPrefijo::RutaAnfitrion(const std::string& ruta) const {
  auto resuelta = Resolver(ruta);
  if (!resuelta) return std::nullopt;
  return fs::path(std::move(resuelta->ruta));
}

bool SistemaDeArchivosPrefijo::ExisteArchivo(const std::string& ruta) const {
  const auto st = EstadoDe(ruta);
  return st && !S_ISDIR(st->st_mode);
}

bool SistemaDeArchivosPrefijo::ExisteCarpeta(const std::string& ruta) const {
  const auto st = EstadoDe(ruta);
  return st && S_ISDIR(st->st_mode);
}

long ErrorWindowsDeErrno(int numero) {
  switch (numero) {
    case ENOENT:
    case ENOTDIR:
    case ENAMETOOLONG:
      return win::kRutaNoEncontrada;
    case EEXIST:
      return win::kYaExiste;
    case EACCES:
    case EPERM:
    case EROFS:
      return win::kAccesoDenegado;
    case ENOSPC:
    case EDQUOT:
      return win::kDiscoLleno;
    default:
      return win::kErrorDeEscritura;
  }
}

bool SistemaDeArchivosPrefijo::Fallo(int numeroErrno) {
  ultimoError_ = ErrorWindowsDeErrno(numeroErrno);
  return false;
}

bool SistemaDeArchivosPrefijo::CrearCarpeta(const std::string& ruta) {
  const auto anfitrion = RutaAnfitrion(ruta);
  if (!anfitrion) return Fallo(ENOENT);
  return ::mkdir(anfitrion->c_str(), 0777) == 0 || Fallo(errno);
}

bool SistemaDeArchivosPrefijo::CopiarArchivo(const std::string& origen, const std::string& destino, bool sobrescribir) {
  const auto desde = Resolver(origen);
  const auto hacia = Resolver(destino);
  if (!desde || !desde->estado || S_ISDIR(desde->estado->st_mode) || !hacia) return false;
  if (const auto& stDestino = hacia->estado) {
    if (!sobrescribir || S_ISDIR(stDestino->st_mode) || EsSoloLectura(*stDestino)) return false;
  }
  std::error_code error;
  fs::copy_file(desde->ruta, hacia->ruta, fs::copy_options::overwrite_existing, error);
  return !error;
}

bool SistemaDeArchivosPrefijo::BorrarArchivo(const std::string& ruta, bool forzar) {
  const auto resuelta = Resolver(ruta);
  if (!resuelta) return false;
  const auto& st = resuelta->estado;
  if (!st || S_ISDIR(st->st_mode) || (EsSoloLectura(*st) && !forzar)) return false;
  return ::unlink(resuelta->ruta.c_str()) == 0;
}

bool SistemaDeArchivosPrefijo::BorrarCarpeta(const std::string& ruta, bool forzar) {
  const auto resuelta = Resolver(ruta);
  if (!resuelta || !resuelta->estado || !S_ISDIR(resuelta->estado->st_mode)) return false;
  const auto& st = resuelta->estado;
  const fs::path anfitrion(resuelta->ruta);
  // Read-only content (the folder itself included) stops the deletion unless it is forced.
  auto permitir = [&](const fs::path& elemento, const struct stat& estado) {
    if (!EsSoloLectura(estado)) return true;
    if (!forzar) return false;
    ::chmod(elemento.c_str(), (estado.st_mode & 07777) | S_IWUSR);
    return true;
  };
  if (!permitir(anfitrion, *st)) return false;
  std::error_code error;
  for (fs::recursive_directory_iterator it(anfitrion, error), fin; !error && it != fin; it.increment(error)) {
    struct stat dentro {};
    if (::lstat(it->path().c_str(), &dentro) != 0 || S_ISLNK(dentro.st_mode)) continue;
    if (!permitir(it->path(), dentro)) return false;
  }
  if (error) return false;
  fs::remove_all(anfitrion, error);
  return !error;
}

bool SistemaDeArchivosPrefijo::Renombrar(const std::string& origen, const std::string& destino, bool reemplazar) {
  const auto desde = Resolver(origen);
  const auto hacia = Resolver(destino);
  if (!desde || !desde->estado || !hacia) return false;
  const char* de = desde->ruta.c_str();
  if (const auto& stDestino = hacia->estado) {
    const auto& stOrigen = *desde->estado;
    if (stDestino->st_dev == stOrigen.st_dev && stDestino->st_ino == stOrigen.st_ino) {
      // Only the case of the name changes.
      const auto analizada = AnalizarRutaWindows(destino);
      if (!analizada || analizada->componentes.empty()) return false;
      const fs::path nueva = fs::path(hacia->ruta).parent_path() / analizada->componentes.back();
      return ::rename(de, nueva.c_str()) == 0;
    }
    if (!reemplazar || S_ISDIR(stDestino->st_mode)) return false;
    return ::rename(de, hacia->ruta.c_str()) == 0;
  }
  if (::renameat2(AT_FDCWD, de, AT_FDCWD, hacia->ruta.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
  return ::rename(de, hacia->ruta.c_str()) == 0;
}

std::vector<std::string> SistemaDeArchivosPrefijo::Listar(const std::string& carpeta, bool carpetas) const {
  std::vector<std::string> nombres;
  const auto anfitrion = RutaAnfitrion(carpeta);
  if (!anfitrion) return nombres;
  std::error_code error;
  for (fs::directory_iterator it(*anfitrion, error), fin; !error && it != fin; it.increment(error)) {
    std::error_code tipo;
    if (it->is_directory(tipo) == carpetas) nombres.push_back(it->path().filename().string());
  }
  std::sort(nombres.begin(), nombres.end(), OrdenSinMayusculas);
  return nombres;
}

std::vector<std::string> SistemaDeArchivosPrefijo::ListarArchivos(const std::string& carpeta) const {
  return Listar(carpeta, false);
}

std::vector<std::string> SistemaDeArchivosPrefijo::ListarSubcarpetas(const std::string& carpeta) const {
  return Listar(carpeta, true);
}

std::optional<int64_t> SistemaDeArchivosPrefijo::Tamano(const std::string& ruta) const {
  const auto st = EstadoDe(ruta);
  if (!st || S_ISDIR(st->st_mode)) return std::nullopt;
  return static_cast<int64_t>(st->st_size);
}

std::optional<uint32_t> SistemaDeArchivosPrefijo::LeerAtributos(const std::string& ruta) const {
  const auto resuelta = Resolver(ruta);
  if (!resuelta || !resuelta->estado) return std::nullopt;
  const auto& st = resuelta->estado;
  uint32_t atributos = S_ISDIR(st->st_mode) ? win::kAtributoCarpeta : win::kAtributoArchivo;
  if (EsSoloLectura(*st)) atributos |= win::kAtributoSoloLectura;
  char texto[64] = {};
  const ssize_t largo = ::getxattr(resuelta->ruta.c_str(), kAtributosDos, texto, sizeof texto - 1);
  if (largo > 2 && texto[0] == '0' && (texto[1] == 'x' || texto[1] == 'X')) {
    atributos |= static_cast<uint32_t>(std::strtoul(texto + 2, nullptr, 16)) & kAtributosEnXattr;
  }
  return atributos;
}

bool SistemaDeArchivosPrefijo::EstablecerAtributos(const std::string& ruta, uint32_t atributos) {
  const auto anfitrion = RutaAnfitrion(ruta);
  struct stat st {};
  if (!anfitrion) return Fallo(ENOENT);
  if (::stat(anfitrion->c_str(), &st) != 0) return Fallo(errno);
  mode_t modo = st.st_mode & 07777;
  modo = (atributos & win::kAtributoSoloLectura) ? (modo & ~static_cast<mode_t>(0222)) : (modo | S_IWUSR);
  if (modo != (st.st_mode & 07777) && ::chmod(anfitrion->c_str(), modo) != 0) return Fallo(errno);
  const uint32_t enXattr = atributos & kAtributosEnXattr;
  const bool tenia = ::getxattr(anfitrion->c_str(), kAtributosDos, nullptr, 0) >= 0;
  if (enXattr == 0 && !tenia) return true;
  char texto[16];
  const int largo = std::snprintf(texto, sizeof texto, "0x%x", enXattr);
  return ::setxattr(anfitrion->c_str(), kAtributosDos, texto, static_cast<size_t>(largo), 0) == 0 || Fallo(errno);
}

std::optional<std::string> SistemaDeArchivosPrefijo::CrearArchivoTemporal(const std::string& carpeta) {
  const auto resuelta = Resolver(carpeta);
  if (!resuelta || !resuelta->estado || !S_ISDIR(resuelta->estado->st_mode)) return std::nullopt;
  const std::string anfitrion = resuelta->ruta + (resuelta->ruta.back() == '/' ? "" : "/");
  uint32_t numero = std::uniform_int_distribution<uint32_t>(1, 0xFFFF)(azar_);
  for (uint32_t intento = 0; intento < 0xFFFF; ++intento, numero = numero % 0xFFFF + 1) {
    char nombre[16];
    std::snprintf(nombre, sizeof nombre, "EVL%X.tmp", numero);
    const int fd = ::open((anfitrion + nombre).c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666);
    if (fd >= 0) {
      ::close(fd);
      const bool conBarra = !carpeta.empty() && (carpeta.back() == '\\' || carpeta.back() == '/');
      return carpeta + (conBarra ? "" : "\\") + nombre;
    }
    if (errno != EEXIST) return std::nullopt;
  }
  return std::nullopt;
}

namespace {

class EscrituraPosix : public EscrituraDeArchivo {
 public:
  explicit EscrituraPosix(int fd) : fd_(fd) {}
  ~EscrituraPosix() override { Cerrar(); }
  bool Escribir(const char* datos, size_t cuantos) override {
    size_t escrito = 0;
    while (escrito < cuantos) {
      const ssize_t r = ::write(fd_, datos + escrito, cuantos - escrito);
      if (r < 0 && errno == EINTR) continue;
      if (r <= 0) return false;
      escrito += static_cast<size_t>(r);
    }
    return true;
  }
  bool Asegurar() override { return ::fdatasync(fd_) == 0; }
  bool Cerrar() override {
    if (fd_ < 0) return true;
    const bool bien = ::close(fd_) == 0;
    fd_ = -1;
    return bien;
  }

 private:
  int fd_;
};

}  // namespace

std::unique_ptr<EscrituraDeArchivo> SistemaDeArchivosPrefijo::AbrirParaEscribir(const std::string& ruta) {
  const auto anfitrion = Resolver(ruta);
  if (!anfitrion) return nullptr;
  // Emptied only when it has something: a truncation (O_TRUNC even of an empty file) makes ext4
  // write the whole file out when it is closed, a long stall after a large download into a new
  // temporary file.
  const int fd = ::open(anfitrion->ruta.c_str(), O_WRONLY | O_CLOEXEC);
  if (fd < 0) return nullptr;
  struct stat datos {};
  if (::fstat(fd, &datos) != 0 || (datos.st_size > 0 && ::ftruncate(fd, 0) != 0)) {
    ::close(fd);
    return nullptr;
  }
  return std::make_unique<EscrituraPosix>(fd);
}

std::unique_ptr<EscrituraDeArchivo> SistemaDeArchivosPrefijo::AbrirParaContinuar(const std::string& ruta,
                                                                                 int64_t desde) {
  const auto anfitrion = Resolver(ruta);
  if (!anfitrion || desde < 0) return nullptr;
  const int fd = ::open(anfitrion->ruta.c_str(), O_WRONLY | O_CLOEXEC | (desde == 0 ? O_CREAT : 0), 0666);
  if (fd < 0) return nullptr;
  struct stat datos {};
  // Cut only when there is more than is kept (see AbrirParaEscribir), then on from there.
  const bool bien = ::fstat(fd, &datos) == 0 && S_ISREG(datos.st_mode) && datos.st_size >= desde &&
                    (datos.st_size == desde || ::ftruncate(fd, desde) == 0) && ::lseek(fd, desde, SEEK_SET) == desde;
  if (!bien) {
    ::close(fd);
    return nullptr;
  }
  return std::make_unique<EscrituraPosix>(fd);
}

std::optional<std::string> SistemaDeArchivosPrefijo::LeerArchivo(const std::string& ruta, size_t maximo) const {
  const auto anfitrion = Resolver(ruta);
  if (!anfitrion) return std::nullopt;
  const int fd = ::open(anfitrion->ruta.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  std::string contenido;
  char bloque[4096];
  bool bien = true;
  for (;;) {
    const ssize_t r = ::read(fd, bloque, sizeof bloque);
    if (r < 0 && errno == EINTR) continue;
    if (r <= 0) {
      bien = r == 0;
      break;
    }
    contenido.append(bloque, static_cast<size_t>(r));
    if (contenido.size() > maximo) {
      bien = false;
      break;
    }
  }
  ::close(fd);
  if (!bien) return std::nullopt;
  return contenido;
}

}  // namespace evalora

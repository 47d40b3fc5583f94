#include "platform/linux/RegistroWine.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "core/Texto.h"

namespace evalora {

namespace {

using wine::ComponentesDeClave;
using wine::Plegar;
using wine::UnirClave;

std::string Unir(const std::string& base, const std::string& ruta) {
  const std::string limpia = UnirClave(ComponentesDeClave(ruta));
  if (limpia.empty()) return base;
  return base.empty() ? limpia : base + "\\" + limpia;
}

// Wine always links System\CurrentControlSet to ControlSet001, also in a prefix whose
// system.reg does not hold the link (or its target) yet.
std::string ConjuntoDeControlActual(const wine::ColmenaWine& colmena, const std::string& ruta) {
  auto componentes = ComponentesDeClave(ruta);
  if (componentes.size() >= 2 && Plegar(componentes[0]) == "SYSTEM" && Plegar(componentes[1]) == "CURRENTCONTROLSET") {
    const wine::SeccionDeColmena* seccion = colmena.Seccion(componentes[0] + "\\" + componentes[1]);
    if (!seccion || seccion->EsEnlace()) componentes[1] = "ControlSet001";
  }
  return UnirClave(componentes);
}

}  // namespace

RegistroWine::RegistroWine(std::filesystem::path prefijo) : prefijo_(std::move(prefijo)) {
  sistema_.ruta = prefijo_ / "system.reg";
  sistema_.relativoA = "\\\\Machine";
  usuario_.ruta = prefijo_ / "user.reg";
  usuario_.relativoA = "\\\\User\\\\S-1-5-21-0-0-0-1000";
  predeterminado_.ruta = prefijo_ / "userdef.reg";
  predeterminado_.relativoA = "\\\\User\\\\.Default";
}

long RegistroWine::Fallo(long codigo, std::string motivo) {
  motivo_ = std::move(motivo);
  return codigo;
}

long RegistroWine::Cargar(Archivo& archivo) {
  struct stat st {};
  // An empty file (one cut short before Wine wrote anything) holds no keys, as a missing one.
  if (::stat(archivo.ruta.c_str(), &st) != 0 || (S_ISREG(st.st_mode) && st.st_size == 0)) {
    archivo.existe = false;
    archivo.colmena = wine::ColmenaWine::Nueva(archivo.relativoA);
    archivo.inodo = 0;
    archivo.tamano = -1;
    return win::kExito;
  }
  const long long modificado = static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
  if (archivo.existe && archivo.inodo == st.st_ino && archivo.tamano == st.st_size &&
      archivo.modificado == modificado) {
    return archivo.colmena ? win::kExito : Fallo(win::kRegistroDanado, archivo.problema);
  }
  std::ifstream entrada(archivo.ruta, std::ios::binary);
  std::stringstream texto;
  texto << entrada.rdbuf();
  if (!entrada) {
    archivo.existe = false;
    return Fallo(win::kAccesoDenegado, "No se pudo leer " + archivo.ruta.string() + ".");
  }
  archivo.existe = true;
  archivo.inodo = st.st_ino;
  archivo.tamano = st.st_size;
  archivo.modificado = modificado;
  archivo.colmena = wine::ColmenaWine::Leer(texto.str());
  if (!archivo.colmena) {
    archivo.problema = archivo.ruta.string() + " no es un archivo de registro de Wine; no se modifica.";
    return Fallo(win::kRegistroDanado, archivo.problema);
  }
  return win::kExito;
}

long RegistroWine::Ubicar(win::HKEY raiz, const std::string& ruta, Ubicacion& ubicacion) {
  motivo_.clear();
  std::string dentro;
  switch (raiz) {
    case win::HKEY_LOCAL_MACHINE:
      ubicacion.archivo = &sistema_;
      dentro = Unir("", ruta);
      break;
    case win::HKEY_CLASSES_ROOT:
      ubicacion.archivo = &sistema_;
      dentro = Unir("Software\\Classes", ruta);
      break;
    case win::HKEY_CURRENT_CONFIG:
      ubicacion.archivo = &sistema_;
      dentro = Unir("System\\CurrentControlSet\\Hardware Profiles\\Current", ruta);
      break;
    case win::HKEY_CURRENT_USER:
      ubicacion.archivo = &usuario_;
      dentro = Unir("", ruta);
      break;
    case win::HKEY_USERS: {
      auto componentes = ComponentesDeClave(ruta);
      if (componentes.empty()) {
        ubicacion.archivo = nullptr;
        ubicacion.ruta.clear();
        return win::kExito;
      }
      if (Plegar(componentes[0]) != ".DEFAULT") {
        return Fallo(win::kArchivoNoEncontrado, "En este equipo HKEY_USERS solo contiene .Default.");
      }
      ubicacion.archivo = &predeterminado_;
      componentes.erase(componentes.begin());
      dentro = UnirClave(componentes);
      break;
    }
    default:
      return Fallo(win::kIdentificadorNoValido, "Esta raíz del registro no existe en un prefijo de Wine.");
  }
  if (const long resultado = Cargar(*ubicacion.archivo); resultado != win::kExito) return resultado;
  const wine::ColmenaWine& colmena = *ubicacion.archivo->colmena;
  dentro = colmena.ResolverEnlaces(dentro);
  if (ubicacion.archivo == &sistema_) dentro = ConjuntoDeControlActual(colmena, dentro);
  ubicacion.ruta = dentro;
  return win::kExito;
}

long RegistroWine::AbrirClave(win::HKEY raiz, const std::string& ruta) {
  Ubicacion u;
  if (const long r = Ubicar(raiz, ruta, u); r != win::kExito) return r;
  if (!u.archivo || u.archivo->colmena->ExisteClave(u.ruta)) return win::kExito;
  return win::kArchivoNoEncontrado;
}

long RegistroWine::ConsultarValor(win::HKEY raiz, const std::string& ruta, const std::string& nombre,
                                  DatoDelRegistro& dato) {
  Ubicacion u;
  if (const long r = Ubicar(raiz, ruta, u); r != win::kExito) return r;
  if (!u.archivo) return win::kArchivoNoEncontrado;
  const wine::SeccionDeColmena* seccion = u.archivo->colmena->Seccion(u.ruta);
  const wine::ValorDeColmena* valor = seccion ? seccion->Valor(nombre) : nullptr;
  if (!valor) return win::kArchivoNoEncontrado;
  dato = valor->dato;
  return win::kExito;
}

long RegistroWine::EnumerarSubclave(win::HKEY raiz, const std::string& ruta, uint32_t indice, std::string& nombre) {
  Ubicacion u;
  if (const long r = Ubicar(raiz, ruta, u); r != win::kExito) return r;
  std::vector<std::string> subclaves;
  if (!u.archivo) {
    subclaves = {".Default"};
  } else {
    if (!u.archivo->colmena->ExisteClave(u.ruta)) return win::kArchivoNoEncontrado;
    subclaves = u.archivo->colmena->Subclaves(u.ruta);
  }
  if (indice >= subclaves.size()) return win::kNoHayMasElementos;
  nombre = subclaves[indice];
  return win::kExito;
}

long RegistroWine::EnumerarValor(win::HKEY raiz, const std::string& ruta, uint32_t indice, std::string& nombre,
                                 DatoDelRegistro& dato) {
  Ubicacion u;
  if (const long r = Ubicar(raiz, ruta, u); r != win::kExito) return r;
  if (!u.archivo) return win::kNoHayMasElementos;
  if (!u.archivo->colmena->ExisteClave(u.ruta)) return win::kArchivoNoEncontrado;
  const wine::SeccionDeColmena* seccion = u.archivo->colmena->Seccion(u.ruta);
  if (!seccion || indice >= seccion->valores.size()) return win::kNoHayMasElementos;
  nombre = seccion->valores[indice].nombre;
  dato = seccion->valores[indice].dato;
  return win::kExito;
}

long RegistroWine::ConsultarInfo(win::HKEY raiz, const std::string& ruta, InfoDeClave& info) {
  Ubicacion u;
  if (const long r = Ubicar(raiz, ruta, u); r != win::kExito) return r;
  if (!u.archivo) {
    info = {1, 0};
    return win::kExito;
  }
  if (!u.archivo->colmena->ExisteClave(u.ruta)) return win::kArchivoNoEncontrado;
  const wine::SeccionDeColmena* seccion = u.archivo->colmena->Seccion(u.ruta);
  info.subclaves = static_cast<uint32_t>(u.archivo->colmena->Subclaves(u.ruta).size());
  info.valores = seccion ? static_cast<uint32_t>(seccion->valores.size()) : 0;
  return win::kExito;
}

bool RegistroWine::ServidorWineActivo() const {
  struct stat st {};
  if (::stat(prefijo_.c_str(), &st) != 0) return false;
  char carpeta[160];
  std::snprintf(carpeta, sizeof carpeta, "/tmp/.wine-%u/server-%llx-%llx/lock", static_cast<unsigned>(::getuid()),
                static_cast<unsigned long long>(st.st_dev), static_cast<unsigned long long>(st.st_ino));
  const int fd = ::open(carpeta, O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct flock candado {};
  candado.l_type = F_WRLCK;
  candado.l_whence = SEEK_SET;
  candado.l_start = 0;
  candado.l_len = 1;
  const bool activo = ::fcntl(fd, F_GETLK, &candado) == 0 && candado.l_type != F_UNLCK;
  ::close(fd);
  return activo;
}

long RegistroWine::PrepararEscritura(win::HKEY raiz, const std::string& ruta, Ubicacion& ubicacion) {
  if (const long r = Ubicar(raiz, ruta, ubicacion); r != win::kExito) return r;
  if (!ubicacion.archivo) return Fallo(win::kAccesoDenegado, "No se pueden crear claves en la raíz de HKEY_USERS.");
  if (ServidorWineActivo()) {
    return Fallo(win::kArchivoEnUso, "Wine está usando el registro de " + prefijo_.string() +
                                         ": cierra sus programas (o ejecuta «wineserver -k») y vuelve a intentarlo; "
                                         "si no, Wine desharía este cambio al guardar el suyo.");
  }
  return win::kExito;
}

long RegistroWine::Guardar(Archivo& archivo) {
  const std::string texto = archivo.colmena->Escribir();
  archivo.existe = false;  // read the file again on next use, whether this write succeeds or not
  std::string plantilla = archivo.ruta.string() + ".XXXXXX";
  const int fd = ::mkstemp(plantilla.data());
  if (fd < 0) return Fallo(win::kNoSePuedeEscribir, "No se pudo escribir en " + prefijo_.string() + ".");
  struct stat st {};
  ::fchmod(fd, ::stat(archivo.ruta.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0644);
  size_t escrito = 0;
  while (escrito < texto.size()) {
    const ssize_t n = ::write(fd, texto.data() + escrito, texto.size() - escrito);
    if (n <= 0) break;
    escrito += static_cast<size_t>(n);
  }
  const bool completo = escrito == texto.size() && ::fsync(fd) == 0;
  ::close(fd);
  if (!completo || ::rename(plantilla.c_str(), archivo.ruta.c_str()) != 0) {
    ::unlink(plantilla.c_str());
    return Fallo(win::kNoSePuedeEscribir, "No se pudo escribir " + archivo.ruta.string() + ".");
  }
  return win::kExito;
}

long RegistroWine::CrearClave(win::HKEY raiz, const std::string& ruta) {
  Ubicacion u;
  if (const long r = PrepararEscritura(raiz, ruta, u); r != win::kExito) return r;
  if (u.archivo->colmena->ExisteClave(u.ruta)) return win::kExito;
  u.archivo->colmena->SeccionParaEscribir(u.ruta);
  return Guardar(*u.archivo);
}

long RegistroWine::EstablecerValor(win::HKEY raiz, const std::string& ruta, const std::string& nombre,
                                   const DatoDelRegistro& dato) {
  Ubicacion u;
  if (const long r = PrepararEscritura(raiz, ruta, u); r != win::kExito) return r;
  u.archivo->colmena->EstablecerValor(u.ruta, nombre, dato);
  return Guardar(*u.archivo);
}

long RegistroWine::BorrarValor(win::HKEY raiz, const std::string& ruta, const std::string& nombre) {
  Ubicacion u;
  if (const long r = PrepararEscritura(raiz, ruta, u); r != win::kExito) return r;
  if (!u.archivo->colmena->BorrarValor(u.ruta, nombre)) return win::kArchivoNoEncontrado;
  return Guardar(*u.archivo);
}

long RegistroWine::BorrarClave(win::HKEY raiz, const std::string& ruta) {
  // A root is never deleted, also where it is a key of a file (HKEY_CLASSES_ROOT).
  if (ComponentesDeClave(ruta).empty()) return Fallo(win::kAccesoDenegado, "No se puede borrar una raíz del registro.");
  Ubicacion u;
  if (const long r = PrepararEscritura(raiz, ruta, u); r != win::kExito) return r;
  if (!u.archivo->colmena->ExisteClave(u.ruta)) return win::kArchivoNoEncontrado;
  if (!u.archivo->colmena->Subclaves(u.ruta).empty()) {
    return Fallo(win::kAccesoDenegado, "La clave tiene subclaves; bórralas primero.");
  }
  u.archivo->colmena->BorrarArbol(u.ruta);
  return Guardar(*u.archivo);
}

}  // namespace evalora

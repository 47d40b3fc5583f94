#include "platform/linux/RegistroWine.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "core/Texto.h"
#include "core/Unicode.h"
#include "platform/linux/Prefijo.h"

namespace evalora {

namespace fs = std::filesystem;

namespace {

using wine::ComponentesDeClave;
using wine::Plegar;
using wine::UnirClave;

std::string Unir(const std::string& base, const std::string& ruta) {
  const std::string limpia = UnirClave(ComponentesDeClave(ruta));
  if (limpia.empty()) return base;
  return base.empty() ? limpia : base + "\\" + limpia;
}

}  // namespace

RegistroWine::RegistroWine(std::filesystem::path prefijo, std::optional<std::filesystem::path> wine)
    : prefijo_(std::move(prefijo)), wine_(std::move(wine)) {
  sistema_.ruta = prefijo_ / "system.reg";
  sistema_.relativoA = "\\\\Machine";
  sistema_.raizReg = "HKEY_LOCAL_MACHINE";
  usuario_.ruta = prefijo_ / "user.reg";
  usuario_.relativoA = "\\\\User\\\\S-1-5-21-0-0-0-1000";
  usuario_.raizReg = "HKEY_CURRENT_USER";
  predeterminado_.ruta = prefijo_ / "userdef.reg";
  predeterminado_.relativoA = "\\\\User\\\\.Default";
  predeterminado_.raizReg = "HKEY_USERS\\.Default";
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
  // What went through Wine is in the file once its server has ended (it saves on the way out);
  // until then the file may be older than the change.
  if (!archivo.enWine.empty()) {
    if (ServidorWineActivo()) {
      for (const Cambio& c : archivo.enWine) Aplicar(c, *archivo.colmena);
    } else {
      archivo.enWine.clear();
    }
  }
  return win::kExito;
}

long RegistroWine::Ubicar(win::HKEY raiz, const std::string& ruta, Ubicacion& ubicacion, bool paraLeer) {
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
  // A key that is a link in the hive (System\CurrentControlSet in some Wine versions) leads to its
  // target; any other key, CurrentControlSet included, is the key itself.
  dentro = colmena.ResolverEnlaces(dentro);
  ubicacion.ruta = dentro;
  if (paraLeer && wine_ && ServidorWineActivo()) LeerDeWine(*ubicacion.archivo, dentro);
  return win::kExito;
}

namespace {

// A ".reg" file of ours where Wine's reg.exe reads or writes it: in Wine's folder for temporary
// files, made exclusively, removed when this goes. `fd` stays open for writing until closed.
struct ArchivoParaWine {
  explicit ArchivoParaWine(const fs::path& prefijo) {
    std::error_code e;
    fs::path carpeta = prefijo / "drive_c" / "windows" / "temp";
    if (!fs::is_directory(carpeta, e)) carpeta = prefijo / "drive_c";
    std::string plantilla = (carpeta / "evalora-XXXXXX.reg").string();
    fd = ::mkstemps(plantilla.data(), 4);
    if (fd < 0) return;
    ruta = plantilla;
    rutaWindows = Prefijo(prefijo).RutaWindows(ruta);
  }
  ~ArchivoParaWine() {
    Cerrar();
    if (!ruta.empty()) ::unlink(ruta.c_str());
  }
  void Cerrar() {
    if (fd >= 0) ::close(fd);
    fd = -1;
  }
  int fd = -1;
  std::string ruta;                         // empty: it could not be made
  std::optional<std::string> rutaWindows;  // as Wine names it
};

// A key of `reg export` ("[HKEY_LOCAL_MACHINE\A\B]") as Wine's own file writes it below the root
// `raiz` ("[A\\B]"); nothing for a key outside that root.
std::optional<std::string> ClaveDeColmena(const std::string& linea, const std::string& raiz) {
  if (linea.size() < raiz.size() + 2 || linea.back() != ']' ||
      Plegar(linea.substr(1, raiz.size())) != Plegar(raiz)) {
    return std::nullopt;
  }
  std::string resto = linea.substr(1 + raiz.size(), linea.size() - raiz.size() - 2);
  if (!resto.empty() && resto[0] != '\\') return std::nullopt;
  std::string clave;
  for (const std::string& componente : ComponentesDeClave(resto)) {
    clave += (clave.empty() ? "" : "\\\\") + wine::EscaparTexto(Utf8AUtf16(componente), "[]");
  }
  return "[" + clave + "]";
}

// What `reg export` wrote (UTF-16, "Windows Registry Editor Version 5.00") as the text of one of
// Wine's own files: the same value lines below keys relative to the root.
std::optional<wine::ColmenaWine> ColmenaDeExportacion(const std::vector<uint8_t>& bytes, const std::string& raiz) {
  std::u16string unidades = BytesAUtf16(bytes);
  if (!unidades.empty() && unidades[0] == u'\xFEFF') unidades.erase(0, 1);
  std::istringstream lineas(Utf16AUtf8(unidades));
  std::string texto = std::string(wine::ColmenaWine::kCabecera) + "\n";
  std::string linea;
  bool primera = true;
  while (std::getline(lineas, linea)) {
    if (!linea.empty() && linea.back() == '\r') linea.pop_back();
    if (primera) {
      primera = false;
      if (linea != "Windows Registry Editor Version 5.00") return std::nullopt;
      continue;
    }
    if (!linea.empty() && linea[0] == '[') {
      const auto clave = ClaveDeColmena(linea, raiz);
      if (!clave) return std::nullopt;
      linea = *clave;
    }
    texto += linea + "\n";
  }
  return wine::ColmenaWine::Leer(texto);
}

// Copies the key `ruta` and everything below it from `de` into `a`.
void CopiarArbol(const wine::ColmenaWine& de, const std::string& ruta, wine::ColmenaWine& a) {
  const wine::SeccionDeColmena* seccion = de.Seccion(ruta);
  a.SeccionParaEscribir(ruta);
  if (seccion) {
    for (const wine::ValorDeColmena& v : seccion->valores) a.EstablecerValor(ruta, v.nombre, v.dato);
  }
  for (const std::string& sub : de.Subclaves(ruta)) CopiarArbol(de, ruta.empty() ? sub : ruta + "\\" + sub, a);
}

}  // namespace

void RegistroWine::LeerDeWine(Archivo& archivo, const std::string& ruta) {
  ArchivoParaWine exportacion(prefijo_);
  exportacion.Cerrar();
  if (!exportacion.rutaWindows) return;
  const std::string clave = archivo.raizReg + (ruta.empty() ? "" : "\\" + ruta);
  const std::optional<int> estado = EjecutarEnWine(
      *wine_, prefijo_, {"reg", "export", clave, *exportacion.rutaWindows, "/y"}, std::chrono::seconds(60));
  std::ifstream entrada(exportacion.ruta, std::ios::binary);
  const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(entrada)), std::istreambuf_iterator<char>());
  // Wine that could not be asked leaves the files' view; Wine that says no such key is believed.
  if (!estado) return;
  const auto exportada = *estado == 0 ? ColmenaDeExportacion(bytes, archivo.raizReg) : std::nullopt;
  if (*estado == 0 && !exportada) return;
  if (!ruta.empty()) archivo.colmena->BorrarArbol(ruta);
  if (exportada && (ruta.empty() || exportada->ExisteClave(ruta))) CopiarArbol(*exportada, ruta, *archivo.colmena);
  // The file itself stays as Wine will leave it: the next use reads it again.
  archivo.existe = false;
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

bool RegistroWine::ServidorWineActivo() const { return evalora::ServidorWineActivo(prefijo_); }

long RegistroWine::PrepararEscritura(win::HKEY raiz, const std::string& ruta, Ubicacion& ubicacion) {
  if (const long r = Ubicar(raiz, ruta, ubicacion, false); r != win::kExito) return r;
  if (!ubicacion.archivo) return Fallo(win::kAccesoDenegado, "No se pueden crear claves en la raíz de HKEY_USERS.");
  return win::kExito;
}

void RegistroWine::Aplicar(const Cambio& cambio, wine::ColmenaWine& colmena) {
  switch (cambio.clase) {
    case Cambio::Clase::kCrearClave:
      if (!colmena.ExisteClave(cambio.ruta)) colmena.SeccionParaEscribir(cambio.ruta);
      break;
    case Cambio::Clase::kEstablecerValor:
      colmena.EstablecerValor(cambio.ruta, cambio.nombre, cambio.dato);
      break;
    case Cambio::Clase::kBorrarValor:
      colmena.BorrarValor(cambio.ruta, cambio.nombre);
      break;
    case Cambio::Clase::kBorrarClave:
      colmena.BorrarArbol(cambio.ruta);
      break;
  }
}

long RegistroWine::Escribir(Archivo& archivo, const Cambio& cambio) {
  if (ServidorWineActivo()) {
    if (const long r = ImportarEnWine(archivo, cambio); r != win::kExito) {
      archivo.existe = false;  // the change is not made: read the file again
      return r;
    }
    Aplicar(cambio, *archivo.colmena);
    archivo.enWine.push_back(cambio);
    return win::kExito;
  }
  Aplicar(cambio, *archivo.colmena);
  if (const long r = Guardar(archivo); r != win::kExito) return r;
  // A server that started meanwhile may have read the file before the rename, and would write
  // its older copy back when it saves: it gets the change too.
  if (ServidorWineActivo()) {
    if (const long r = ImportarEnWine(archivo, cambio); r != win::kExito) return r;
    archivo.enWine.push_back(cambio);
  }
  return win::kExito;
}

long RegistroWine::ImportarEnWine(const Archivo& archivo, const Cambio& cambio) {
  const std::string enUso = "Wine está usando el registro de " + prefijo_.string();
  if (!wine_) {
    return Fallo(win::kArchivoEnUso, enUso + " y no se encontró el programa wine para hacer el cambio a través de él: "
                                             "cierra sus programas (o ejecuta «wineserver -k») y vuelve a intentarlo.");
  }
  const std::string clave = archivo.raizReg + (cambio.ruta.empty() ? "" : "\\" + cambio.ruta);
  std::string texto = "Windows Registry Editor Version 5.00\r\n\r\n";
  switch (cambio.clase) {
    case Cambio::Clase::kCrearClave:
      texto += "[" + clave + "]\r\n";
      break;
    case Cambio::Clase::kEstablecerValor:
      texto += "[" + clave + "]\r\n" + LineaDeValor(cambio.nombre, cambio.dato) + "\r\n";
      break;
    case Cambio::Clase::kBorrarValor: {
      std::string linea = LineaDeValor(cambio.nombre, DatoDeDword(0));
      texto += "[" + clave + "]\r\n" + linea.substr(0, linea.find('=') + 1) + "-\r\n";
      break;
    }
    case Cambio::Clase::kBorrarClave:
      texto += "[-" + clave + "]\r\n";
      break;
  }
  std::u16string unidades = u"\xFEFF" + Utf8AUtf16(texto);
  const auto bytes = Utf16ABytes(unidades);
  // Wine reads the file through its drive C:, in its folder for temporary files.
  ArchivoParaWine cambioParaWine(prefijo_);
  if (cambioParaWine.fd < 0) {
    return Fallo(win::kNoSePuedeEscribir, enUso + " y no se pudo preparar el cambio para Wine.");
  }
  const bool escrito =
      ::write(cambioParaWine.fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
  cambioParaWine.Cerrar();
  std::optional<int> estado;
  if (escrito && cambioParaWine.rutaWindows) {
    estado = EjecutarEnWine(*wine_, prefijo_, {"reg", "import", *cambioParaWine.rutaWindows}, std::chrono::seconds(60));
  }
  if (estado != 0) {
    return Fallo(win::kNoSePuedeEscribir, enUso + " y no aceptó el cambio (" + clave +
                                              "); el registro queda como estaba.");
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
  return Escribir(*u.archivo, {Cambio::Clase::kCrearClave, u.ruta, {}, {}});
}

long RegistroWine::EstablecerValor(win::HKEY raiz, const std::string& ruta, const std::string& nombre,
                                   const DatoDelRegistro& dato) {
  Ubicacion u;
  if (const long r = PrepararEscritura(raiz, ruta, u); r != win::kExito) return r;
  return Escribir(*u.archivo, {Cambio::Clase::kEstablecerValor, u.ruta, nombre, dato});
}

long RegistroWine::BorrarValor(win::HKEY raiz, const std::string& ruta, const std::string& nombre) {
  Ubicacion u;
  if (const long r = PrepararEscritura(raiz, ruta, u); r != win::kExito) return r;
  const wine::SeccionDeColmena* seccion = u.archivo->colmena->Seccion(u.ruta);
  if (!seccion || !seccion->Valor(nombre)) return win::kArchivoNoEncontrado;
  return Escribir(*u.archivo, {Cambio::Clase::kBorrarValor, u.ruta, nombre, {}});
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
  return Escribir(*u.archivo, {Cambio::Clase::kBorrarClave, u.ruta, {}, {}});
}

}  // namespace evalora

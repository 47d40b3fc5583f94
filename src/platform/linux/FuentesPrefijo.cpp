#include "platform/linux/FuentesPrefijo.h"

#include <fcntl.h>
#include <unistd.h>
#include "core/Texto.h"

#include "platform/FuenteSfnt.h"
#include "platform/linux/RecursoDeFuenteFot.h"

namespace evalora {

namespace {

constexpr const char* kFuentesInstaladas = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";

std::optional<FuenteSfnt> Leer(const std::optional<std::filesystem::path>& ruta, uint32_t* tamano = nullptr) {
  return ruta ? LeerArchivoDeFuente(*ruta, tamano) : std::nullopt;
}

}  // namespace

int FuentesPrefijo::AgregarRecurso(const std::string& archivo) {
  const auto ruta = archivos_.RutaAnfitrion(archivo);
  const auto fuente = Leer(ruta);
  if (!fuente) return 0;
  enLaSesion_.insert(ruta->string());
  return static_cast<int>(fuente->nombres.size());
}

// The registry holds a file of the Fonts folder by its name alone, any other by its full path.
std::string FuentesPrefijo::ValorRegistrado(const std::string& archivo) const {
  const auto barra = archivo.find_last_of("\\/");
  const std::string carpeta = barra == std::string::npos ? "" : archivo.substr(0, barra);
  const auto enFuentes = archivos_.RutaAnfitrion(entorno_.Valor("windir") + "\\Fonts");
  const auto deArchivo = archivos_.RutaAnfitrion(carpeta);
  std::error_code error;
  if (enFuentes && deArchivo && std::filesystem::equivalent(*enFuentes, *deArchivo, error)) {
    return archivo.substr(barra + 1);
  }
  return archivo;
}

bool FuentesPrefijo::QuitarRecurso(const std::string& archivo) {
  const auto ruta = archivos_.RutaAnfitrion(archivo);
  if (ruta && enLaSesion_.erase(ruta->string())) return true;
  // Fonts installed before this session were loaded when it began.
  const std::string buscado = Mayusculas(ValorRegistrado(archivo));
  std::string nombre;
  DatoDelRegistro dato;
  for (uint32_t i = 0;
       registro_.EnumerarValor(win::HKEY_LOCAL_MACHINE, kFuentesInstaladas, i, nombre, dato) == win::kExito; ++i) {
    if (Mayusculas(TextoDeDato(dato)) == buscado) return true;
  }
  return false;
}

bool FuentesPrefijo::Registrar(const std::string& archivo) {
  const auto fuente = Leer(archivos_.RutaAnfitrion(archivo));
  if (!fuente) return false;
  return registro_.EstablecerValor(win::HKEY_LOCAL_MACHINE, kFuentesInstaladas, NombreDeFuenteInstalada(*fuente),
                                   DatoDeTexto(ValorRegistrado(archivo))) == win::kExito;
}

bool FuentesPrefijo::CrearRecursoEscalable(const std::string& archivoFot, const std::string& archivoFuente,
                                           const std::string& carpeta) {
  const bool conCarpeta = archivoFuente.find_first_of("\\/:") != std::string::npos;
  const std::string rutaDeFuente =
      conCarpeta ? archivoFuente : carpeta + (!carpeta.empty() && carpeta.back() == '\\' ? "" : "\\") + archivoFuente;
  uint32_t tamano = 0;
  const auto fuente = Leer(archivos_.RutaAnfitrion(rutaDeFuente), &tamano);
  if (!fuente || fuente->contornosCff) return false;
  const auto destino = archivos_.RutaAnfitrion(archivoFot);
  if (!destino) return false;
  const std::string modulo = destino->stem().string();
  const auto bytes = ConstruirFot(*fuente, modulo, archivoFuente, tamano);
  const int fd = ::open(destino->c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0644);
  if (fd < 0) return false;  // it exists already, or the folder does not
  const bool escrito = ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
  ::close(fd);
  if (!escrito) ::unlink(destino->c_str());
  return escrito;
}

}  // namespace evalora

#include "install/gdiInstallFont.h"

#include "core/Texto.h"

namespace evalora {

gdiInstallFont::gdiInstallFont(const Plataforma& plataforma)
    : plataforma_(plataforma), directorio_(plataforma.shell.CarpetaEspecial(kCsidlFuentes)) {
  if (directorio_.empty()) Fallar(0x80040001, "No se ha podido determinar el directorio de fuentes del sistema.");
}

bool gdiInstallFont::Fallar(uint32_t numero, std::string texto) {
  error_ = ErrorDeFuente{numero, std::move(texto)};
  return false;
}

void gdiInstallFont::archivoTTF(const std::string& nombre) { archivoTTF_ = RecortarBlancos(nombre); }

void gdiInstallFont::PathTTF(const std::string& carpeta) {
  pathTTF_ = RecortarBlancos(carpeta);
  if (pathTTF_.empty() || pathTTF_.back() != '\\') pathTTF_ += "\\";
}

void gdiInstallFont::Instalar() {
  error_.reset();
  SistemaDeArchivos& archivos = plataforma_.archivos;
  if (archivoTTF_.empty()) {
    Fallar(0x80040003, "No se ha introducido el nombre del archivo que contiene la fuente.");
    return;
  }
  if (pathTTF_.empty()) {
    Fallar(0x80040004, "No se ha introducido el path del archivo que contiene la fuente.");
    return;
  }
  if (!archivos.ExisteArchivo(pathTTF_ + archivoTTF_)) {
    Fallar(0x80040005, "No se ha podido encontrar el archivo " + pathTTF_ + archivoTTF_ + ".");
    return;
  }
  const std::string instalado = directorio_ + "\\" + archivoTTF_;
  if (!archivos.ExisteArchivo(instalado)) archivos.CopiarArchivo(pathTTF_ + archivoTTF_, instalado, false);
  const std::string recurso = archivoTTF_.substr(0, archivoTTF_.size() >= 3 ? archivoTTF_.size() - 3 : 0) + "FOT";
  // The resource and the font are named as in the fonts folder, the current folder of the calls.
  plataforma_.fuentes.CrearRecursoEscalable(directorio_ + "\\" + recurso, archivoTTF_, directorio_);
  if (plataforma_.fuentes.AgregarRecurso(instalado) < 1) {
    Fallar(0x80040006, "Error ejecutando AddFontResource.");
    return;
  }
  plataforma_.fuentes.AvisarCambio();  // the programs that are open offer the new font
  // Recorded among the installed fonts, so that it is still there after a restart.
  plataforma_.fuentes.Registrar(instalado);
}

void gdiInstallFont::Desinstalar(bool borrarArchivo) {
  error_.reset();
  if (archivoTTF_.empty()) {
    Fallar(0x80040003, "No se ha introducido el nombre del archivo que contiene la fuente.");
    return;
  }
  const std::string instalado = directorio_ + "\\" + archivoTTF_;
  if (!plataforma_.fuentes.QuitarRecurso(instalado)) {
    Fallar(0x80040008, "No se ha podido desinstalar la fuente " + archivoTTF_);
    return;
  }
  plataforma_.fuentes.AvisarCambio();
  if (borrarArchivo) plataforma_.archivos.BorrarArchivo(instalado, false);
}

}  // namespace evalora

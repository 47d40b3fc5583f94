#pragma once
#include <cstdint>
#include <string>

#include "core/Texto.h"

namespace evalora {

// Shell folder identifiers (CSIDL) the wizard asks for.
enum CarpetaDelShell : int {
  kCsidlEscritorio = 0x00,
  kCsidlProgramas = 0x02,
  kCsidlDocumentos = 0x05,
  kCsidlMenuInicio = 0x0B,
  kCsidlCarpetaDelEscritorio = 0x10,
  kCsidlFuentes = 0x14,
  kCsidlMenuInicioComun = 0x16,
  kCsidlProgramasComunes = 0x17,
  kCsidlEscritorioComun = 0x19,
  kCsidlDatosDeAplicacion = 0x1A,
  kCsidlDatosLocales = 0x1C,
  kCsidlWindows = 0x24,
  kCsidlSistema = 0x25,
  kCsidlArchivosDePrograma = 0x26,
};

// The shell's action on what it opens: the default of its type (what a double click does), or
// "open".
enum class Verbo { kPredeterminado, kAbrir };

// What a shortcut (.lnk) points to.
struct AccesoDirecto {
  std::string destino;  // Windows path of the target
  std::string argumentos;
  std::string carpetaDeTrabajo;  // Windows path
  std::string icono;             // Windows path of the icon file
  int indiceDeIcono = 0;
  std::string descripcion;
};

class Shell {
 public:
  virtual ~Shell() = default;
  // The Windows path of a shell folder; empty when the shell has none for that identifier.
  virtual std::string CarpetaEspecial(int csidl) = 0;
  // Opens a document, folder or web address, or starts a program with its argument text (Windows
  // command-line rules), without waiting, owned by the program's window. False when nothing could
  // be started.
  virtual bool Abrir(const std::string& archivo, const std::string& argumentos, Verbo verbo) = 0;
  // The same, as the user signed in to the desktop would from there: through the desktop's own
  // shell, so that an elevated program's token does not pass on; as Abrir where the desktop's shell
  // cannot do it.
  virtual bool AbrirComoUsuario(const std::string& archivo, const std::string& argumentos, Verbo verbo) = 0;
  // Waits at most `esperaMs` for the hidden programs Abrir started (the registration tool's runs) to
  // end; true when none is running any more.
  virtual bool TerminaronLosOcultos(uint32_t esperaMs) = 0;
  // Writes a shortcut file (Windows path ending in .lnk) that Windows and Wine read.
  virtual bool GuardarAccesoDirecto(const std::string& archivoLnk, const AccesoDirecto& acceso) = 0;
  // The folder browser, the whole namespace of the machine offered: the chosen folder's Windows
  // path ("C:\" for the root of drive C), kCarpetaNoValida for a choice that has no file-system
  // path, empty when the user cancelled or the browser failed.
  virtual std::string ExaminarCarpeta(const std::string& titulo) = 0;
};

inline constexpr const char* kCarpetaNoValida = "No Valida";

// Whether a program so named is the registration tool ("regsvr32", "C:\…\REGSVR32.EXE"), which
// runs hidden and whose runs are awaited.
inline bool EsRegistrador(const std::string& archivo) {
  const size_t barra = archivo.find_last_of("\\/");
  const std::string nombre = barra == std::string::npos ? archivo : archivo.substr(barra + 1);
  return IgualesSinMayusculas(nombre, "regsvr32") || IgualesSinMayusculas(nombre, "regsvr32.exe");
}

}  // namespace evalora

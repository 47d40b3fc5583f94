#include "Verbos.h"

#include "Escenario.h"

namespace evalora::escenario {

// clang-format off
const std::vector<Verbo>& Verbos() {
  static const std::vector<Verbo> kVerbos = {
      {"solo-en", Fase::kMaquina, 1, 2, nullptr,
       "`solo-en linux\\|windows \"<why>\"`",
       "the scenario runs only in that build; the other reports it skipped, with the reason"},
      {"asistente", Fase::kMaquina, 1, 2, &Escenario::Asistente,
       "`asistente <kind> [<version>]`",
       "first line: the wizard of that kind (version `2020.<kind>.0.3` unless given); later, a new run of the program with the same prefix and server"},
      {"catalogo", Fase::kMaquina, 1, 1, &Escenario::Catalogo,
       "`catalogo \"<file.sql>\"`",
       "SQL run on the catalogue before the first `inicia` (after the content is listed, so rows it changes may point where nothing is served)"},
      {"entorno", Fase::kMaquina, 2, 2, &Escenario::Entorno,
       "`entorno <NAME> \"<value>\"`",
       "environment of the run, before `inicia` (`EVALORA_CATALOGO`, `EVALORA_SITIO_WEB` point to the server unless set here)"},
      {"prefijo", Fase::kMaquina, 1, 1, &Escenario::Prefijo,
       "`prefijo \"<Linux folder>\"`",
       "use and keep this folder as the prefix, before `inicia`"},
      {"prefijo-de-wine", Fase::kMaquina, 0, 0, &Escenario::Wine,
       "`prefijo-de-wine`",
       "the prefix is a fresh copy of one that Wine made (`wineboot -i`, once per build in `build/prefijo-wine`, or `--prefijo-wine DIR`); Wine runs there with HOME in the scenario's folder; before `inicia` and before any line that touches the prefix"},
      {"wine-en-marcha", Fase::kMaquina, 0, 0, &Escenario::Wine,
       "`wine-en-marcha`",
       "Wine's server runs in that prefix until the scenario ends, as while a Wine program runs"},
      {"registro", Fase::kMaquina, 4, 4, &Escenario::EscribirRegistro,
       "`registro \"<key>\" \"<name>\" <type> \"<data>\"`",
       "a value in the prefix's registry (`REG_SZ`, `REG_EXPAND_SZ`, `REG_DWORD`, `REG_MULTI_SZ`)"},
      {"proceso", Fase::kMaquina, 1, 1, &Escenario::Proceso,
       "`proceso \"<name>\"`",
       "a process with that name runs until the scenario ends"},
      {"sin-administrador", Fase::kMaquina, 0, 0, &Escenario::SinAdministrador,
       "`sin-administrador`",
       "the user has no administrator rights"},
      {"crea", Fase::kMaquina, 2, 2, &Escenario::Crea,
       "`crea \"<Windows path>\" <bytes>` / `borra \"<Windows path>\"`",
       "make or remove a file (or folder) in the prefix"},
      {"borra", Fase::kMaquina, 1, 1, &Escenario::Borra, nullptr, nullptr},
      {"inicia", Fase::kMaquina, 0, 0, &Escenario::Inicia,
       "`inicia`",
       "runs `Main`"},
      {"escribe", Fase::kUsuario, 2, 2, &Escenario::Escribe,
       "`escribe <control> \"<text>\"`",
       "sets a text box (its change handler runs)"},
      {"tecla", Fase::kUsuario, 2, 2, &Escenario::Tecla,
       "`tecla <control> Enter`",
       "the key in a control"},
      {"pulsa", Fase::kUsuario, 1, 1, &Escenario::Pulsa,
       "`pulsa Tab` / `pulsa Shift+Tab` / `pulsa Enter` / `pulsa Espacio`",
       "a key of the keyboard's way through the window: the focus moves along the step's order, or the focused control acts"},
      {"clic", Fase::kUsuario, 1, 1, &Escenario::Clic,
       "`clic <control>`",
       "click on a label, face, bar, link or check box (it must be in view)"},
      {"marca", Fase::kUsuario, 1, 1, &Escenario::Marca,
       "`marca <control>` / `desmarca <control>`",
       "a check box's value 1 / 0, then its click handler"},
      {"desmarca", Fase::kUsuario, 1, 1, &Escenario::Marca, nullptr, nullptr},
      {"raton", Fase::kUsuario, 1, 1, &Escenario::Raton,
       "`raton <control>`",
       "the pointer moves onto a control, a panel or the window (`frmPrincipal`)"},
      {"elige-carpeta", Fase::kMaquina, 1, 1, &Escenario::RespuestaDeCarpeta,
       "`elige-carpeta \"<path>\"` / `cancela-carpeta` / `carpeta-no-valida`",
       "the answer of the next folder browser"},
      {"cancela-carpeta", Fase::kMaquina, 0, 0, &Escenario::RespuestaDeCarpeta, nullptr, nullptr},
      {"carpeta-no-valida", Fase::kMaquina, 0, 0, &Escenario::RespuestaDeCarpeta, nullptr, nullptr},
      {"cierra", Fase::kUsuario, 0, 0, &Escenario::Cierra,
       "`cierra`",
       "the user closes the window"},
      {"cierra-al-recibir", Fase::kMaquina, 1, 1, &Escenario::CierraAlRecibir,
       "`cierra-al-recibir <bytes>`",
       "the user closes the window once that many bytes of the download arrived"},
      {"captura-al-recibir", Fase::kMaquina, 2, 2, &Escenario::CapturaAlRecibir,
       "`captura-al-recibir <bytes> \"<file.png>\"`",
       "a screenshot once that many bytes arrived"},
      {"foco", Fase::kComprobacion, 1, 1, &Escenario::ComprobarFoco,
       "`foco <control>`",
       "the keyboard's focus is on that control"},
      {"orden-de-foco", Fase::kComprobacion, 1, 1, &Escenario::ComprobarOrdenDeFoco,
       "`orden-de-foco \"<control>, <control>, …\"`",
       "the controls Tab reaches on the step, in their order, with the role and name a screen reader hears (`<control> (<rol>: <name>)`)"},
      {"accesible", Fase::kComprobacion, 0, 1, &Escenario::ComprobarAccesible,
       "`accesible [\"<rol>: <name>[ = <value>][ (<state>, …)] \\| …\"]`",
       "what a screen reader finds on the window through the system's accessibility (Qt's QAccessible; MSAA's AccessibleObjectFromWindow and its children) is the form's controls in view, in reading order, each with its role, name, value and states (`marcada`, `foco`, `deshabilitado`); and, when given, this text"},
      {"anuncio", Fase::kComprobacion, 1, 1, &Escenario::ComprobarAnuncio,
       "`anuncio \"<text>\"`",
       "the oldest alert a screen reader heard and not yet checked, raised when a step appeared: the step's texts, one a line (`\\r\\n`)"},
      {"paso", Fase::kComprobacion, 1, 1, &Escenario::ComprobarPaso,
       "`paso <step>`",
       "the visible panel is that step's"},
      {"texto", Fase::kComprobacion, 2, 2, &Escenario::ComprobarTexto,
       "`texto <control> \"<text>\"` / `contiene <control> \"<text>\"`",
       "a label's or box's text, whole or in part"},
      {"contiene", Fase::kComprobacion, 2, 2, &Escenario::ComprobarTexto, nullptr, nullptr},
      {"visible", Fase::kComprobacion, 1, 1, &Escenario::ComprobarVisible,
       "`visible <control>` / `oculto <control>`",
       "in view on the window, or not"},
      {"oculto", Fase::kComprobacion, 1, 1, &Escenario::ComprobarVisible, nullptr, nullptr},
      {"marcado", Fase::kComprobacion, 1, 1, &Escenario::ComprobarMarcado,
       "`marcado <control>` / `desmarcado <control>`",
       "a check box's value"},
      {"desmarcado", Fase::kComprobacion, 1, 1, &Escenario::ComprobarMarcado, nullptr, nullptr},
      {"color", Fase::kComprobacion, 2, 2, &Escenario::ComprobarColor,
       "`color <control> <r>,<g>,<b>` / `fondo <control> <r>,<g>,<b>`",
       "text colour / background colour"},
      {"fondo", Fase::kComprobacion, 2, 2, &Escenario::ComprobarColor, nullptr, nullptr},
      {"aviso", Fase::kComprobacion, 1, 5, &Escenario::ComprobarAviso,
       "`aviso \"<text>\" [icono <n>] [titulo \"<t>\"]`",
       "the oldest message box not yet checked; `aviso-contiene \"<part>\"`"},
      {"aviso-contiene", Fase::kComprobacion, 1, 5, &Escenario::ComprobarAviso, nullptr, nullptr},
      {"sin-avisos", Fase::kComprobacion, 0, 0, &Escenario::ComprobarAviso,
       "`sin-avisos`",
       "no message box left unchecked"},
      {"recibio", Fase::kComprobacion, 1, 1, &Escenario::Recibio,
       "`recibio \"<statement>\"`",
       "the catalogue received exactly this"},
      {"recibio-contiene", Fase::kComprobacion, 1, 3, &Escenario::Contadas,
       "`recibio-contiene \"<part>\" [veces <n>]`",
       "lines received that contain the text: at least one, or exactly n"},
      {"pedido", Fase::kComprobacion, 1, 3, &Escenario::Contadas,
       "`pedido \"<part>\" [veces <n>]`",
       "requests of the download server that contain the text: at least one, or exactly n"},
      {"temporales", Fase::kComprobacion, 2, 2, &Escenario::Temporales,
       "`temporales \"<Windows folder>\" <n>`",
       "temporary files of interrupted downloads (`EVL….tmp`) in the folder and below (a partial body kept to resume, `<file>.EVLparcial`, is not one)"},
      {"abrio", Fase::kComprobacion, 1, 1, &Escenario::Abrio,
       "`abrio \"<what>\"`",
       "the shell was asked to open this"},
      {"archivo", Fase::kComprobacion, 1, 2, &Escenario::ComprobarArchivo,
       "`archivo \"<Windows path>\" [<bytes>]` / `sin-archivo \"<Windows path>\"`",
       "a file in the prefix (and its size)"},
      {"sin-archivo", Fase::kComprobacion, 1, 1, &Escenario::ComprobarArchivo, nullptr, nullptr},
      {"como-servido", Fase::kComprobacion, 2, 4, &Escenario::ComoServido,
       "`como-servido \"<Windows path>\" \"<served path>\" [version <n>]`",
       "a file in the prefix holds exactly the bytes the download server serves at that path (below `/_fallas/…/`: of the n-th version of a `cambiante` file, 0 by default)"},
      {"carpeta", Fase::kComprobacion, 1, 1, &Escenario::ComprobarCarpeta,
       "`carpeta \"<Windows path>\"` / `sin-carpeta \"<Windows path>\"`",
       "a folder in the prefix, or none"},
      {"sin-carpeta", Fase::kComprobacion, 1, 1, &Escenario::ComprobarCarpeta, nullptr, nullptr},
      {"valor", Fase::kComprobacion, 3, 3, &Escenario::ComprobarValor,
       "`valor \"<key>\" \"<name>\" \"<data>\"`",
       "a registry value of the prefix, as text"},
      {"wine-valor", Fase::kComprobacion, 3, 3, &Escenario::WineValor,
       "`wine-valor \"<key>\" \"<name>\" \"<text>\"`",
       "Wine is ended in the prefix (it saves its registry), then Wine's own `reg query` of the value (of the key, with an empty name) succeeds and prints the text"},
      {"clave", Fase::kComprobacion, 1, 1, &Escenario::ComprobarClave,
       "`clave \"<key>\"` / `sin-clave \"<key>\"`",
       "a registry key of the prefix, or none"},
      {"sin-clave", Fase::kComprobacion, 1, 1, &Escenario::ComprobarClave, nullptr, nullptr},
      {"lnkinfo", Fase::kComprobacion, 2, 2, &Escenario::Lnkinfo,
       "`lnkinfo \"<Windows path>\" \"<text>\"`",
       "what Debian's `lnkinfo` reads from a shortcut contains the text (runs of blanks and tabs count as one blank)"},
      {"base", Fase::kComprobacion, 3, 3, &Escenario::ComprobarBase,
       "`base \"<Windows path>\" \"<SQL>\" \"<rows>\"`",
       "a query on a registration file (opened with its password): fields joined by `\\|`, rows by `\\r\\n`; in the Windows build Debian's `sqlcipher` tool must read the same rows once Wine has ended"},
      {"espera-archivo", Fase::kComprobacion, 1, 1, &Escenario::EsperaArchivo,
       "`espera-archivo \"<Windows path>\"`",
       "a file that a program running on its own writes appears (up to 10 real seconds)"},
      {"captura-en-el-paso", Fase::kMaquina, 2, 2, &Escenario::CapturaEnElPaso,
       "`captura-en-el-paso <step> \"<file.png>\"`",
       "a screenshot the first time that step is shown while the program works"},
      {"accesible-en-el-paso", Fase::kMaquina, 2, 2, &Escenario::AccesibleEnElPaso,
       "`accesible-en-el-paso <step> \"<what a reader finds>\"`",
       "the first time that step is shown while the program works, what a screen reader finds is as `accesible` says; checked when the scenario ends (the step must have shown)"},
      {"termina", Fase::kComprobacion, 0, 0, &Escenario::Termina,
       "`termina`",
       "the program has ended at this point"},
      {"captura", Fase::kComprobacion, 1, 1, &Escenario::Capturar,
       "`captura \"<file.png>\"`",
       "a screenshot of the window; it fails when a label's text in view does not fit in its box as the renderer measures it (Qt's font metrics, GDI's `DrawText`)"},
  };
  return kVerbos;
}
// clang-format on

const Verbo* BuscarVerbo(const std::string& nombre) {
  for (const Verbo& v : Verbos()) {
    if (nombre == v.nombre) return &v;
  }
  return nullptr;
}

namespace {

std::string Palabras(size_t n) { return n == 1 ? "1 palabra" : std::to_string(n) + " palabras"; }

}  // namespace

bool ComprobarGuion(const std::vector<Accion>& acciones, std::string& error) {
  for (const Accion& a : acciones) {
    const Verbo* v = BuscarVerbo(a.orden);
    const std::string linea = std::to_string(a.linea) + ": " + a.original;
    if (!v) {
      error = linea + "\n  orden desconocida: " + a.orden;
      return false;
    }
    const size_t n = a.argumentos.size();
    if (n < v->minimo || n > v->maximo) {
      const std::string esperadas = v->minimo == v->maximo ? Palabras(v->minimo)
                                                           : "de " + std::to_string(v->minimo) + " a " + Palabras(v->maximo);
      error = linea + "\n  «" + a.orden + "» lleva " + esperadas + " tras la orden, no " + std::to_string(n);
      return false;
    }
  }
  return true;
}

std::string TablaDelLenguaje() {
  std::string tabla = "| line | meaning |\n|---|---|\n";
  for (const Verbo& v : Verbos()) {
    if (v.forma) tabla += std::string("| ") + v.forma + " | " + v.significado + " |\n";
  }
  return tabla;
}

}  // namespace evalora::escenario

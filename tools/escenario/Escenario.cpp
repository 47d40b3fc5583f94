#include "Escenario.h"
#include "Textos.h"
#include "Verbos.h"

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iostream>

#include "core/Texto.h"
#include "platform/CodigosWin.h"
#include "startup/TiposDeAsistente.h"

namespace evalora::escenario {

namespace fs = std::filesystem;

namespace {

// The executable of each kind, as the machine lists it among its processes.
std::string EjecutableDelTipo(int tipo, const std::string& v) {
  for (const FichaDeTipo& ficha : TiposDeAsistente()) {
    if (ficha.numero == tipo) return NombreDelEjecutable(ficha, v) + ".exe";
  }
  return "Asistente.exe";
}

std::optional<VersionDelEjecutable> LeerVersion(const std::string& texto) {
  VersionDelEjecutable v{};
  unsigned* partes[] = {&v.Mayor, &v.Menor, &v.Compilacion, &v.Revision};
  size_t desde = 0;
  for (int i = 0; i < 4; ++i) {
    const size_t punto = texto.find('.', desde);
    const std::string parte = texto.substr(desde, punto == std::string::npos ? std::string::npos : punto - desde);
    if (parte.empty() || parte.size() > 5 || parte.find_first_not_of("0123456789") != std::string::npos) {
      return std::nullopt;
    }
    *partes[i] = static_cast<unsigned>(std::stoul(parte));
    if ((punto == std::string::npos) != (i == 3)) return std::nullopt;
    desde = punto + 1;
  }
  return v;
}

}  // namespace

int EjecutarEscenarios(const std::vector<fs::path>& archivos, const OpcionesDeEscenario& opciones) {
  int fallidos = 0, omitidos = 0;
  for (const auto& archivo : archivos) {
    Escenario escenario(archivo, opciones);
    std::string error;
    if (escenario.Ejecutar(error) && !escenario.Omitido().empty()) {
      std::cout << archivo.filename().string() << ": omitido: " << escenario.Omitido() << std::endl;
      ++omitidos;
    } else if (error.empty()) {
      std::cout << archivo.filename().string() << ": correcto" << std::endl;
    } else {
      std::cout << error << std::endl;
      ++fallidos;
    }
  }
  return fallidos > 0 ? 1 : omitidos == static_cast<int>(archivos.size()) ? 77 : 0;
}

Escenario::Escenario(fs::path archivo, OpcionesDeEscenario opciones)
    : archivo_(std::move(archivo)), opciones_(std::move(opciones)) {
  // A folder of its own below the temporary folder.
  std::error_code e;
  const auto semilla = std::chrono::steady_clock::now().time_since_epoch().count();
  for (int intento = 0; intento < 100 && temporal_.empty(); ++intento) {
    const fs::path carpeta = fs::temp_directory_path(e) / ("evalora-escenario-" + std::to_string(semilla % 1000000007) +
                                                           "-" + std::to_string(intento));
    if (fs::create_directory(carpeta, e)) temporal_ = carpeta;
  }
  maquina_ = std::make_unique<Maquina>(temporal_, opciones_.prefijoWine);
  formulario_.nombre = "frmPrincipal";
}

Escenario::~Escenario() {
  oyente_.reset();
  vista_.reset();
  asistente_.reset();
  plataforma_.reset();
  servidores_.reset();
  maquina_.reset();
  std::error_code e;
  if (!temporal_.empty()) fs::remove_all(temporal_, e);
}

bool Escenario::Ejecutar(std::string& error) {
  std::vector<Accion> acciones;
  if (temporal_.empty()) {
    error = archivo_.string() + ": no se pudo crear una carpeta temporal";
    return false;
  }
  if (!LeerGuion(archivo_, acciones, error)) {
    error = archivo_.string() + ": " + error;
    return false;
  }
  if (!ComprobarGuion(acciones, error)) {  // the whole file, before anything starts
    error = archivo_.string() + ":" + error;
    return false;
  }
  // «solo-en <build> "<reason>"»: a scenario whose premise the other build's machine cannot give.
  for (const Accion& a : acciones) {
    if (a.orden != "solo-en") continue;
    if (a.argumentos.empty() || (a.argumentos[0].texto != "linux" && a.argumentos[0].texto != "windows")) {
      error = archivo_.string() + ":" + std::to_string(a.linea) + ": «solo-en linux|windows \"<motivo>\"»";
      return false;
    }
    if (a.argumentos[0].texto != kCompilacion) {
      omitido_ =
          a.argumentos.size() > 1 ? a.argumentos[1].texto : "solo para la compilación de " + a.argumentos[0].texto;
      return true;
    }
  }
  std::erase_if(acciones, [](const Accion& a) { return a.orden == "solo-en"; });
  if (acciones.empty() || acciones.front().orden != "asistente") {
    error = archivo_.string() + ": la primera acción debe ser «asistente <tipo>»";
    return false;
  }
  for (Accion a : acciones) {
    for (Palabra& p : a.argumentos) p.texto = Expandir(p.texto);
    std::string hallado;
    bool correcta = false;
    try {
      correcta = Accionar(a, hallado);
    } catch (const std::exception& e) {
      hallado = std::string("excepción: ") + e.what();
    }
    if (!correcta) {
      error = archivo_.string() + ":" + std::to_string(a.linea) + ": " + a.original + "\n  encontrado: " + hallado;
      return false;
    }
    if (opciones_.contar && iniciado_) Contar();
  }
  if (oidoEnElPaso_ && (!oidoEnElPaso_->fallo || !oidoEnElPaso_->fallo->empty())) {
    const Accion& a = oidoEnElPaso_->linea;
    error = archivo_.string() + ":" + std::to_string(a.linea) + ": " + a.original +
            "\n  encontrado: " + (oidoEnElPaso_->fallo ? *oidoEnElPaso_->fallo : "el paso no se mostró");
    return false;
  }
  return true;
}

std::string Escenario::Expandir(const std::string& texto) const {
  std::string r;
  size_t desde = 0;
  for (size_t abre; (abre = texto.find('%', desde)) != std::string::npos;) {
    const size_t cierra = texto.find('%', abre + 1);
    if (cierra == std::string::npos) break;
    const std::string nombre = texto.substr(abre + 1, cierra - abre - 1);
    const bool esNombre = !nombre.empty() &&
                          nombre.find_first_not_of(
                              "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789_()") == std::string::npos;
    const std::string valor = esNombre ? maquina_->Variable(nombre) : "";
    if (valor.empty()) {  // not a variable: the text stays, the second % may open one
      r += texto.substr(desde, cierra - desde);
      desde = cierra;
      continue;
    }
    r += texto.substr(desde, abre - desde) + valor;
    desde = cierra + 1;
  }
  return r + texto.substr(desde);
}

bool Escenario::Accionar(const Accion& a, std::string& hallado) {
  const Verbo* verbo = BuscarVerbo(a.orden);
  if (!verbo || !verbo->manejador) return true;  // checked, or read before the run
  return (this->*verbo->manejador)(a, hallado);
}

std::vector<std::string> Escenario::Variables() const {
  std::vector<std::string> variables;
  auto fijada = [this](const std::string& nombre) {
    for (const auto& [n, v] : entorno_) {
      if (IgualesSinMayusculas(n, nombre)) return true;
    }
    return false;
  };
  for (const std::string& v : maquina_->Entorno()) {
    // The run is the scenario's alone: nothing of the wizard's own settings leaks in.
    if (v.rfind("EVALORA_", 0) == 0) continue;
    if (!fijada(v.substr(0, v.find('=')))) variables.push_back(v);
  }
  for (const auto& [n, v] : entorno_) variables.push_back(n + "=" + v);
  return variables;
}

void Escenario::NuevoAsistente(int tipo, const std::string& version) {
  oyente_.reset();
  vista_.reset();  // it draws the form: it goes first
  asistente_.reset();
  plataforma_.reset();
  tipo_ = tipo;
  iniciado_ = terminado_ = false;
  avisosVistos_ = 0;
  cerrarAlRecibir_.reset();
  capturarAlRecibir_.reset();
  capturarEnElPaso_.reset();
  anuncios_.clear();
  pasoOido_.clear();
  const auto v = LeerVersion(version);
  version_ = v ? *v : VersionDelEjecutable{2020, static_cast<unsigned>(tipo), 0, 3};
}

bool Escenario::Iniciar(std::string& hallado) {
  if (iniciado_) {
    hallado = "el asistente ya se inició; para otro, «asistente <tipo>»";
    return false;
  }
  if (!maquina_->Preparar(hallado)) return false;
  if (!servidores_) {
    servidores_ = std::make_unique<Servidores>(opciones_.contenido, sqlExtra_, temporal_ / "recibido.log");
    const std::string puertoHttp = std::to_string(servidores_->PuertoDescargas());
    // The environment the scenario set wins over the development server's addresses.
    auto fijar = [this](const std::string& nombre, const std::string& valor) {
      for (const auto& [n, v] : entorno_) {
        if (n == nombre) return;
      }
      entorno_.emplace_back(nombre, valor);
    };
    fijar("EVALORA_SITIO_WEB", "http://127.0.0.1:" + puertoHttp + "/");
    fijar("EVALORA_CATALOGO", "127.0.0.1:" + std::to_string(servidores_->PuertoCatalogo()));
  }
  std::vector<std::string> variables = Variables();
  plataforma_ = maquina_->NuevaPlataforma(version_, variables);
  plataforma_->UsarPremisas(procesos_, EjecutableDelTipo(tipo_, std::to_string(version_.Mayor)), administrador_);
  // The permission tool and the installed programs run for real; a virtual second of waiting for
  // them costs a few real milliseconds, as many as a program of this machine needs to start.
  plataforma_->shell.ejecutarProgramas = true;
  plataforma_->reloj.realesPorSegundo = kMilisegundosPorSegundoDeEspera;
  plataforma_->shell.respuestas = respuestasDeCarpeta_;
  respuestasDeCarpeta_.clear();
  asistente_ = std::make_unique<ui::Asistente>(plataforma_->Servicios(), version_);
  vista_ = CrearVista(asistente_->Ventana());
  oyente_ = EscucharAnuncios(*vista_);
  plataforma_->eventos.alCeder = [this] {
    if (opciones_.contar) Contar();
    // A reader hears each step as it comes (the window's loop runs once a step is new, as it
    // would at the program's next pause), and what it finds on the one a line asks about.
    const std::string paso = PanelVisible();
    if (paso != pasoOido_) {
      pasoOido_ = paso;
      for (std::string& oido : oyente_->Anuncios()) anuncios_.push_back(std::move(oido));
    }
    if (oidoEnElPaso_ && !oidoEnElPaso_->fallo && paso == Texto(oidoEnElPaso_->linea, 0)) {
      std::string diferencia;
      oidoEnElPaso_->fallo = OyeElFormulario(Texto(oidoEnElPaso_->linea, 1), diferencia) ? "" : diferencia;
    }
    if (capturarEnElPaso_ && paso == capturarEnElPaso_->first) {
      vista_->Capturar(capturarEnElPaso_->second.string());
      capturarEnElPaso_.reset();
    }
    if (capturarAlRecibir_ && asistente_->Ventana().BytesRecibidos() >= capturarAlRecibir_->first) {
      vista_->Capturar(capturarAlRecibir_->second.string());
      capturarAlRecibir_.reset();
    }
    if (cerrarAlRecibir_ && asistente_->Ventana().BytesRecibidos() >= *cerrarAlRecibir_) {
      cerrarAlRecibir_.reset();
      asistente_->Ventana().CerrarPorElUsuario();
    }
  };
  iniciado_ = true;
  Programa([this] { asistente_->Main(); });
  return true;
}

template <typename F>
void Escenario::Programa(F&& f) {
  try {
    f();
  } catch (const falsos::ProgramaTerminado&) {
    terminado_ = true;
    vista_->Ocultar();
  }
}

bool Escenario::EnMarcha(std::string& hallado) const {
  if (!iniciado_) {
    hallado = "el asistente no se ha iniciado («inicia»)";
    return false;
  }
  if (terminado_) {
    hallado = "el programa ya terminó";
    return false;
  }
  return true;
}

fs::path Escenario::Captura(const std::string& nombre) const {
  const fs::path destino = Relativo(nombre, opciones_.capturas.empty() ? archivo_.parent_path() : opciones_.capturas);
  std::error_code e;
  fs::create_directories(destino.parent_path(), e);
  return destino;
}

fs::path Escenario::Relativo(const std::string& nombre, const fs::path& base) const {
  const fs::path p(nombre);
  return p.is_absolute() ? p : base / p;
}

const ui::Control* Escenario::ControlDe(const Accion& a, size_t i, std::string& hallado) const {
  if (a.argumentos.size() <= i) {
    hallado = "falta el nombre del control";
    return nullptr;
  }
  const ui::frmPrincipal& ventana = asistente_->Ventana();
  if (a.argumentos[i].texto == ventana.Nombre()) return &formulario_;
  const ui::Control* c = ventana.Buscar(a.argumentos[i].texto);
  if (!c) hallado = "la ventana no tiene el control " + a.argumentos[i].texto;
  return c;
}

void Escenario::Contar() {
  const std::string panel = terminado_ ? "(terminó)" : PanelVisible();
  if (panel == "(ningún paso)") return;  // the window is not shown yet
  if (panel != ultimoContado_) std::cout << "  " << archivo_.stem().string() << ": " << panel << std::endl;
  ultimoContado_ = panel;
}

std::string Escenario::PanelVisible() const {
  if (!asistente_) return "";
  std::string visibles;
  for (const Paso paso : ui::frmPrincipal::Pasos()) {
    const ui::Control* panel = asistente_->Ventana().Buscar(ui::frmPrincipal::PanelDelPaso(paso));
    if (panel && panel->visible) visibles += (visibles.empty() ? "" : ", ") + std::string(ui::frmPrincipal::NombreDelPaso(paso));
  }
  return visibles.empty() ? "(ningún paso)" : visibles;
}

bool Escenario::Asistente(const Accion& a, std::string& hallado) {
  int64_t tipo = 0;
  if (!Numero(Texto(a, 0), tipo) || tipo > 99) {
    hallado = "«asistente» necesita el tipo (un número)";
    return false;
  }
  const std::string version = a.argumentos.size() > 1 ? Texto(a, 1) : "2020." + std::to_string(tipo) + ".0.3";
  if (!LeerVersion(version)) {
    hallado = "versión no válida: " + version;
    return false;
  }
  NuevoAsistente(static_cast<int>(tipo), version);
  return true;
}

bool Escenario::Inicia(const Accion&, std::string& hallado) { return Iniciar(hallado); }

bool Escenario::Catalogo(const Accion& a, std::string& hallado) {
  if (servidores_) {
    hallado = "el catálogo ya está en marcha: «catalogo» va antes de la primera «inicia»";
    return false;
  }
  std::ifstream sql(Relativo(Texto(a, 0), archivo_.parent_path()));
  if (!sql) {
    hallado = "no se puede leer " + Texto(a, 0);
    return false;
  }
  sqlExtra_.emplace_back(std::istreambuf_iterator<char>(sql), std::istreambuf_iterator<char>());
  return true;
}

bool Escenario::Entorno(const Accion& a, std::string&) {
  entorno_.emplace_back(Texto(a, 0), Texto(a, 1));
  return true;
}

bool Escenario::Prefijo(const Accion& a, std::string& hallado) {
  if (servidores_ || iniciado_) {
    hallado = "«prefijo» va antes de la primera «inicia»";
    return false;
  }
  return maquina_->UsarPrefijo(Relativo(Texto(a, 0), archivo_.parent_path()), hallado);
}

bool Escenario::Wine(const Accion& a, std::string& hallado) {
  return maquina_->LineaDeWine(a, servidores_ || iniciado_, hallado);
}

bool Escenario::Proceso(const Accion& a, std::string&) {
  procesos_.push_back(Texto(a, 0));
  if (plataforma_) {
    plataforma_->UsarPremisas(procesos_, EjecutableDelTipo(tipo_, std::to_string(version_.Mayor)), administrador_);
  }
  return true;
}

bool Escenario::SinAdministrador(const Accion&, std::string&) {
  administrador_ = false;
  return true;
}

bool Escenario::RespuestaDeCarpeta(const Accion& a, std::string&) {
  const std::string respuesta = a.orden == "elige-carpeta"     ? Texto(a, 0)
                                : a.orden == "cancela-carpeta" ? std::string()
                                                               : std::string(kCarpetaNoValida);
  (plataforma_ ? plataforma_->shell.respuestas : respuestasDeCarpeta_).push_back(respuesta);
  return true;
}

bool Escenario::CapturaEnElPaso(const Accion& a, std::string& hallado) {
  if (ui::frmPrincipal::PanelDelPaso(Texto(a, 0)).empty()) {
    hallado = "«captura-en-el-paso» necesita un paso y el archivo";
    return false;
  }
  capturarEnElPaso_ = std::make_pair(Texto(a, 0), Captura(Texto(a, 1)));
  return true;
}

bool Escenario::AccesibleEnElPaso(const Accion& a, std::string& hallado) {
  if (ui::frmPrincipal::PanelDelPaso(Texto(a, 0)).empty()) {
    hallado = "«accesible-en-el-paso» necesita un paso";
    return false;
  }
  oidoEnElPaso_ = OidoEnElPaso{a, std::nullopt};
  return true;
}

bool Escenario::CapturaAlRecibir(const Accion& a, std::string& hallado) {
  int64_t bytes = 0;
  if (!Numero(Texto(a, 0), bytes)) {
    hallado = "«captura-al-recibir» necesita un número de bytes y el archivo";
    return false;
  }
  capturarAlRecibir_ = std::make_pair(bytes, Captura(Texto(a, 1)));
  return true;
}

bool Escenario::CierraAlRecibir(const Accion& a, std::string& hallado) {
  int64_t bytes = 0;
  if (!Numero(Texto(a, 0), bytes)) {
    hallado = "«cierra-al-recibir» necesita un número de bytes";
    return false;
  }
  cerrarAlRecibir_ = bytes;
  return true;
}

std::optional<fs::path> Escenario::RutaDelPrefijo(const std::string& ruta, std::string& hallado) {
  if (!maquina_->Preparar(hallado)) return std::nullopt;
  const auto local = maquina_->RutaLocal(ruta);
  if (!local) hallado = "la ruta no está en el prefijo: " + ruta;
  return local;
}

bool Escenario::Borra(const Accion& a, std::string& hallado) {
  const auto ruta = RutaDelPrefijo(Texto(a, 0), hallado);
  if (!ruta) return false;
  std::error_code e;
  fs::remove_all(*ruta, e);
  return true;
}

bool Escenario::Crea(const Accion& a, std::string& hallado) {
  const auto ruta = RutaDelPrefijo(Texto(a, 0), hallado);
  if (!ruta) return false;
  int64_t bytes = 0;
  if (!Numero(Texto(a, 1), bytes)) {
    hallado = "«crea» necesita la ruta y un número de bytes";
    return false;
  }
  std::error_code e;
  fs::create_directories(ruta->parent_path(), e);
  std::ofstream salida(*ruta, std::ios::binary);
  for (int64_t i = 0; i < bytes; ++i) salida.put(static_cast<char>((i * 31 + 7) & 0xFF));
  if (!salida) hallado = "no se pudo escribir " + ruta->string();
  return static_cast<bool>(salida);
}

bool Escenario::EscribirRegistro(const Accion& a, std::string& hallado) {
  const auto& arg = a.argumentos;
  if (arg.size() < 4) {
    hallado = "«registro» necesita la clave, el nombre, el tipo y el dato";
    return false;
  }
  const auto clave = AnalizarClave(arg[0].texto);
  if (!clave) {
    hallado = "raíz desconocida en " + arg[0].texto;
    return false;
  }
  DatoDelRegistro dato;
  const std::string& tipo = arg[2].texto;
  const std::string& valor = arg[3].texto;
  if (tipo == "REG_SZ" || tipo == "REG_EXPAND_SZ") {
    dato = DatoDeTexto(valor, tipo == "REG_SZ" ? win::REG_SZ : win::REG_EXPAND_SZ);
  } else if (tipo == "REG_DWORD") {
    const auto n = ANumero(valor);
    if (!n) {
      hallado = "REG_DWORD necesita un número";
      return false;
    }
    dato = DatoDeDword(static_cast<uint32_t>(*n));
  } else if (tipo == "REG_MULTI_SZ") {
    std::vector<std::string> textos;
    size_t desde = 0;
    for (size_t cero = valor.find('\0'); cero != std::string::npos; cero = valor.find('\0', desde)) {
      textos.push_back(valor.substr(desde, cero - desde));
      desde = cero + 1;
    }
    textos.push_back(valor.substr(desde));
    dato = DatoDeMultiTexto(textos);
  } else {
    hallado = "tipo de valor no admitido: " + tipo;
    return false;
  }
  if (!maquina_->Preparar(hallado)) return false;
  Registro& registro = maquina_->RegistroDeLaMaquina();
  if (registro.CrearClave(clave->first, clave->second) != win::kExito ||
      registro.EstablecerValor(clave->first, clave->second, arg[1].texto, dato) != win::kExito) {
    hallado = "no se pudo escribir el registro: " + registro.MotivoDelUltimoError();
    return false;
  }
  return true;
}

bool Escenario::Cierra(const Accion&, std::string& hallado) {
  if (!EnMarcha(hallado)) return false;
  Programa([&] { asistente_->Ventana().CerrarPorElUsuario(); });
  return true;
}

bool Escenario::Aceptada(const Accion& a, bool aceptada, std::string& hallado) const {
  if (!aceptada) hallado = a.argumentos[0].texto + " no responde a «" + a.orden + "»";
  return aceptada;
}

bool Escenario::Escribe(const Accion& a, std::string& hallado) {
  const ui::Control* control = ControlEnMarcha(a, hallado);
  if (!control) return false;
  const std::string& nombre = a.argumentos[0].texto;
  if (control->clase != ui::Clase::kCaja || control->soloLectura) {
    hallado = control->clase != ui::Clase::kCaja ? nombre + " no es una caja de texto" : nombre + " no admite escritura";
    return false;
  }
  Programa([&] { asistente_->Ventana().Escribir(nombre, a.argumentos[1].texto); });
  return true;
}

bool Escenario::Tecla(const Accion& a, std::string& hallado) {
  if (!ControlEnMarcha(a, hallado)) return false;
  if (a.argumentos[1].texto != "Enter") {
    hallado = "solo se conoce la tecla Enter";
    return false;
  }
  bool aceptada = true;
  Programa([&] { aceptada = asistente_->Ventana().TeclaEnter(a.argumentos[0].texto); });
  return Aceptada(a, aceptada, hallado);
}

bool Escenario::Pulsa(const Accion& a, std::string& hallado) {
  if (!EnMarcha(hallado)) return false;
  using T = ui::frmPrincipal::Tecla;
  const std::string& nombre = a.argumentos[0].texto;
  const std::optional<T> tecla = nombre == "Tab"         ? std::optional<T>(T::kTab)
                                 : nombre == "Shift+Tab" ? std::optional<T>(T::kShiftTab)
                                 : nombre == "Enter"     ? std::optional<T>(T::kEnter)
                                 : nombre == "Espacio"   ? std::optional<T>(T::kEspacio)
                                                         : std::nullopt;
  if (!tecla) {
    hallado = "tecla desconocida: " + nombre + " (Tab, Shift+Tab, Enter, Espacio)";
    return false;
  }
  bool aceptada = true;
  Programa([&] { aceptada = asistente_->Ventana().PulsarTecla(*tecla); });
  return Aceptada(a, aceptada, hallado);
}

bool Escenario::Clic(const Accion& a, std::string& hallado) {
  const ui::Control* control = ControlEnMarcha(a, hallado);
  if (!control) return false;
  const std::string& nombre = a.argumentos[0].texto;
  if (!asistente_->Ventana().ALaVista(nombre) || !control->habilitado) {
    hallado = nombre + " no está a la vista: no se puede pulsar";
    return false;
  }
  bool aceptada = true;
  Programa([&] { aceptada = asistente_->Ventana().Pulsar(nombre); });
  return Aceptada(a, aceptada, hallado);
}

bool Escenario::Marca(const Accion& a, std::string& hallado) {
  if (!ControlEnMarcha(a, hallado)) return false;
  bool aceptada = true;
  Programa([&] { aceptada = asistente_->Ventana().Marcar(a.argumentos[0].texto, a.orden == "marca"); });
  return Aceptada(a, aceptada, hallado);
}

bool Escenario::Raton(const Accion& a, std::string& hallado) {
  if (!ControlEnMarcha(a, hallado)) return false;
  bool aceptada = true;
  Programa([&] { aceptada = asistente_->Ventana().Raton(a.argumentos[0].texto); });
  return Aceptada(a, aceptada, hallado);
}

}  // namespace evalora::escenario

// Downloads the same files with the wizard's download manager, through the wizard's window (kind
// 4, offscreen: the bars drawn, the window's events processed) and with curl (one process per
// file), side by side, each contender in turn, three rounds; prints for each the median round's
// throughput, CPU seconds per GiB, peak memory and, for the manager, the longest time the event
// loop went without being offered a turn; for the window, the longest time its event loop did
// not run (over all rounds).
//   evalora-banco-descarga <base URL> <destination folder> <name>...
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <QApplication>
#include <QTimer>

#include "download/GestorDeDescargas.h"
#include "platform/fakes/Falsos.h"
#include "platform/linux/PlataformaLinux.h"
#include "platform/linux/Prefijo.h"
#include "platform/linux/ProcesosProc.h"
#include "platform/linux/RelojMonotono.h"
#include "platform/linux/SistemaDeArchivosPrefijo.h"
#include "ui/Asistente.h"
#include "ui/qt/VentanaQt.h"

namespace {

using namespace evalora;
using Pared = std::chrono::steady_clock;
namespace fs = std::filesystem;

// Records the longest gap between two turns offered to the event loop.
class BucleMedido : public BucleDeEventos {
 public:
  void Ceder() override {
    const auto ahora = Pared::now();
    if (ultima_) maxima_ = std::max(maxima_, ahora - *ultima_);
    ultima_ = ahora;
  }
  double MaximaMs() const { return std::chrono::duration<double, std::milli>(maxima_).count(); }

 private:
  std::optional<Pared::time_point> ultima_;
  Pared::duration maxima_{};
};

class SinBarras : public BarrasDeDescarga {
 public:
  void Preparar() override {}
  void DibujarArchivo(int32_t) override {}
  void DibujarGeneral(int32_t) override {}
  void Ocultar() override {}
};

double Segundos(const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; }

// The longest time the window's event loop went without running, seen from a timer that asks to
// run every millisecond.
class PulsoDelBucle {
 public:
  PulsoDelBucle() {
    temporizador_.setInterval(1);
    QObject::connect(&temporizador_, &QTimer::timeout, [this] {
      const auto ahora = Pared::now();
      if (ultima_) maxima_ = std::max(maxima_, ahora - *ultima_);
      ultima_ = ahora;
    });
    temporizador_.start();
  }
  double MaximaMs() const { return std::chrono::duration<double, std::milli>(maxima_).count(); }

 private:
  QTimer temporizador_;
  std::optional<Pared::time_point> ultima_;
  Pared::duration maxima_{};
};

struct Medida {
  double segundos = 0;
  double cpu = 0;
  long memoriaKb = 0;
  uint64_t bytes = 0;
  double pausaMs = 0;  // the longest the event loop waited
};

double CpuDelProceso() {
  rusage uso{};
  getrusage(RUSAGE_SELF, &uso);
  return Segundos(uso.ru_utime) + Segundos(uso.ru_stime);
}

long MemoriaDelProceso() {
  rusage uso{};
  getrusage(RUSAGE_SELF, &uso);
  return uso.ru_maxrss;
}

// What every contender downloads: the list of the files and where the wizard puts them.
struct Trabajo {
  std::string base;
  fs::path carpeta;
  std::vector<std::string> nombres;
  EstadoDeEjecucion estado;  // kind 4, C:\Banco, every file
  uint64_t bytes = 0;
};

// The wizard's manager alone, without a window.
std::optional<Medida> MedirGestor(const Trabajo& t, const Prefijo& prefijo) {
  fs::remove_all(prefijo.Raiz() / "drive_c/Banco");
  SistemaDeArchivosPrefijo archivos(prefijo.Raiz());
  RelojMonotono reloj;
  BucleMedido eventos;
  ProcesosProc procesos;
  SinBarras barras;
  EstadoDeEjecucion estado = t.estado;
  std::string paso;
  GestorDeDescargas gestor(
      estado, ServiciosDeDescarga{archivos, reloj, eventos, procesos}, barras, [](const std::string&) {},
      [&](const std::string& p) { paso = p; });
  ::sync();  // each measurement starts with the disk quiet
  Medida m{0, CpuDelProceso(), 0, t.bytes, 0};
  const auto inicio = Pared::now();
  gestor.Descargar();
  m.segundos = std::chrono::duration<double>(Pared::now() - inicio).count();
  m.cpu = CpuDelProceso() - m.cpu;
  m.memoriaKb = MemoriaDelProceso();
  m.pausaMs = eventos.MaximaMs();
  if (paso != "DescargaCorrecta") return std::nullopt;
  return m;
}

// The same list through the window: kind 4's step "IniciaDescarga", offscreen.
std::optional<Medida> MedirVentana(const Trabajo& t, const Prefijo& prefijo) {
  fs::remove_all(prefijo.Raiz() / "drive_c/Banco");
  const VersionDelEjecutable version{2020, 4, 0, 3};
  PlataformaLinux maquina(prefijo, version);
  falsos::MensajesGrabados mensajes;
  ui::Asistente asistente(maquina.Servicios(mensajes), version);
  EstadoDeEjecucion& e = asistente.Estado();
  e = t.estado;
  e.VersionMayor = "2020";
  ui::VentanaQt ventana(asistente.Ventana());
  ventana.show();
  PulsoDelBucle pulso;
  QCoreApplication::processEvents();
  ::sync();
  Medida m{0, CpuDelProceso(), 0, t.bytes, 0};
  const auto inicio = Pared::now();
  asistente.Ventana().MuestraPaso("IniciaDescarga");
  m.segundos = std::chrono::duration<double>(Pared::now() - inicio).count();
  m.cpu = CpuDelProceso() - m.cpu;
  m.memoriaKb = MemoriaDelProceso();
  m.pausaMs = pulso.MaximaMs();
  if (asistente.Ventana().Oculto("PicDescargaCorrecta")) return std::nullopt;
  return m;
}

// curl, one process per file, into a folder of its own on the same disk.
std::optional<Medida> MedirCurl(const Trabajo& t) {
  fs::remove_all(t.carpeta / "curl");
  fs::create_directories(t.carpeta / "curl");
  ::sync();
  Medida m{0, 0, 0, t.bytes, 0};
  const auto inicio = Pared::now();
  for (const auto& nombre : t.nombres) {
    const pid_t hijo = fork();
    if (hijo == 0) {
      const std::string destino = (t.carpeta / "curl" / nombre).string();
      const std::string url = t.base + "/" + nombre;
      execlp("curl", "curl", "-s", "-f", "--create-dirs", "-o", destino.c_str(), url.c_str(),
             static_cast<char*>(nullptr));
      _exit(127);
    }
    int estadoHijo = 0;
    rusage uso{};
    wait4(hijo, &estadoHijo, 0, &uso);
    if (!WIFEXITED(estadoHijo) || WEXITSTATUS(estadoHijo) != 0) return std::nullopt;
    m.cpu += Segundos(uso.ru_utime) + Segundos(uso.ru_stime);
    m.memoriaKb = std::max(m.memoriaKb, uso.ru_maxrss);
  }
  m.segundos = std::chrono::duration<double>(Pared::now() - inicio).count();
  return m;
}

// The round with the median time; the longest pause of all rounds.
Medida Mediana(std::vector<Medida> rondas) {
  double pausa = 0;
  for (const auto& r : rondas) pausa = std::max(pausa, r.pausaMs);
  std::sort(rondas.begin(), rondas.end(), [](const Medida& a, const Medida& b) { return a.segundos < b.segundos; });
  Medida m = rondas[rondas.size() / 2];
  m.pausaMs = pausa;
  return m;
}

void Informe(const char* quien, const Medida& m) {
  const double gib = static_cast<double>(m.bytes) / (1024.0 * 1024.0 * 1024.0);
  std::printf("  %-22s %8.1f MiB/s  %6.2f s  CPU %6.2f s/GiB  memoria máx. %7ld KiB\n", quien,
              static_cast<double>(m.bytes) / 1048576.0 / m.segundos, m.segundos, gib > 0 ? m.cpu / gib : 0,
              m.memoriaKb);
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication aplicacion(argc, argv);
  if (argc < 4) {
    std::fprintf(stderr, "uso: evalora-banco-descarga <URL base> <carpeta> <archivo>...\n");
    std::fprintf(stderr,
                 "(la carpeta contiene contenido/<archivo>; la descarga va a carpeta/prefijo y carpeta/curl)\n");
    return 2;
  }
  Trabajo t;
  t.base = argv[1];
  t.carpeta = argv[2];
  t.nombres.assign(argv + 3, argv + argc);
  t.estado.TipoDeAsistente = "4";
  t.estado.CarpetaDeInstalacion = "C:\\Banco";
  t.estado.DescargarTodo = true;
  for (const auto& nombre : t.nombres) {
    const auto tamano = fs::file_size(t.carpeta / "contenido" / nombre);
    std::string local = nombre;
    for (char& c : local) c = c == '/' ? '\\' : c;
    t.estado.ListaCatalogo.push_back(
        {t.base + "/" + nombre, "C:\\Banco\\" + local, static_cast<int64_t>(tamano), true, false});
    t.bytes += tamano;
  }
  const Prefijo prefijo(t.carpeta / "prefijo");
  prefijo.Preparar();

  constexpr int kRondas = 3;
  std::vector<Medida> gestor, ventana, curl;
  for (int ronda = 0; ronda < kRondas; ++ronda) {
    const auto g = MedirGestor(t, prefijo);
    const auto v = MedirVentana(t, prefijo);
    const auto c = MedirCurl(t);
    if (!g || !v || !c) {
      std::fprintf(stderr, "una descarga no terminó bien (%s)\n", !g ? "gestor" : !v ? "ventana" : "curl");
      return 1;
    }
    gestor.push_back(*g);
    ventana.push_back(*v);
    curl.push_back(*c);
  }
  const Medida g = Mediana(gestor), v = Mediana(ventana), c = Mediana(curl);
  std::printf("%zu archivo(s), %.1f MiB en total; mediana de %d rondas\n", t.nombres.size(),
              static_cast<double>(t.bytes) / 1048576.0, kRondas);
  Informe("gestor de descargas", g);
  Informe("por la ventana", v);
  Informe("curl (un proceso c/u)", c);
  std::printf("  proporción (curl / gestor, tiempo): %.2f\n", c.segundos / g.segundos);
  std::printf("  la ventana frente al gestor solo: %+.1f %% de tiempo\n", (v.segundos / g.segundos - 1) * 100);
  std::printf("  mayor pausa sin ceder al bucle de eventos (gestor): %.1f ms\n", g.pausaMs);
  std::printf("  mayor pausa del bucle de eventos de la ventana: %.1f ms\n", v.pausaMs);
  return 0;
}

// Downloads the same files with the wizard's download manager, through the wizard's window (kind
// 4, offscreen: the bars drawn, the window's events processed) and with curl (one process per
// file), side by side, and prints throughput, CPU seconds per GiB, peak memory and, for the
// manager, the longest time the event loop went without being offered a turn; for the window,
// the longest time its event loop did not run.
//   evalora-banco-descarga <base URL> <destination folder> <name>...
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

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
#include "ui/Asistente.h"
#include "platform/linux/Prefijo.h"
#include "platform/linux/ProcesosProc.h"
#include "platform/linux/RelojMonotono.h"
#include "platform/linux/SistemaDeArchivosPrefijo.h"

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
};

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
  const std::string base = argv[1];
  const fs::path carpeta = argv[2];
  const std::vector<std::string> nombres(argv + 3, argv + argc);

  // The wizard's manager, into a prefix inside the destination folder.
  const Prefijo prefijo(carpeta / "prefijo");
  prefijo.Preparar();
  fs::create_directories(carpeta / "prefijo/drive_c/Banco");
  SistemaDeArchivosPrefijo archivos(prefijo.Raiz());
  RelojMonotono reloj;
  BucleMedido eventos;
  ProcesosProc procesos;
  SinBarras barras;
  EstadoDeEjecucion estado;
  estado.TipoDeAsistente = "4";
  estado.CarpetaDeInstalacion = "C:\\Banco";
  estado.DescargarTodo = true;
  Medida nuestra, decurl;
  for (const auto& nombre : nombres) {
    const auto tamano = fs::file_size(fs::path(argv[2]) / "contenido" / nombre);
    std::string local = nombre;
    for (char& c : local) c = c == '/' ? '\\' : c;
    estado.ListaCatalogo.push_back(
        {base + "/" + nombre, "C:\\Banco\\" + local, static_cast<int64_t>(tamano), true, false});
    nuestra.bytes += tamano;
  }
  decurl.bytes = nuestra.bytes;
  std::string paso;
  GestorDeDescargas gestor(
      estado, ServiciosDeDescarga{archivos, reloj, eventos, procesos}, barras, [](const std::string&) {},
      [&](const std::string& p) { paso = p; });
  rusage antes{}, despues{};
  // Each measurement starts with the disk quiet: what the previous one wrote is on disk first.
  ::sync();
  getrusage(RUSAGE_SELF, &antes);
  auto inicio = Pared::now();
  gestor.Descargar();
  nuestra.segundos = std::chrono::duration<double>(Pared::now() - inicio).count();
  getrusage(RUSAGE_SELF, &despues);
  nuestra.cpu =
      Segundos(despues.ru_utime) + Segundos(despues.ru_stime) - Segundos(antes.ru_utime) - Segundos(antes.ru_stime);
  nuestra.memoriaKb = despues.ru_maxrss;
  if (paso != "DescargaCorrecta") {
    std::fprintf(stderr, "la descarga no terminó bien: %s\n", paso.c_str());
    return 1;
  }

  // The same list through the window: kind 4's step "IniciaDescarga", offscreen.
  Medida ventana;
  ventana.bytes = nuestra.bytes;
  double pausaDeLaVentana = 0;
  {
    fs::remove_all(carpeta / "prefijo/drive_c/Banco");
    const VersionDelEjecutable version{2020, 4, 0, 3};
    PlataformaLinux maquina(prefijo, version);
    falsos::MensajesGrabados mensajes;
    ui::Asistente asistente(maquina.Servicios(mensajes), version);
    EstadoDeEjecucion& e = asistente.Estado();
    e.TipoDeAsistente = "4";
    e.VersionMayor = "2020";
    e.CarpetaDeInstalacion = estado.CarpetaDeInstalacion;
    e.ListaCatalogo = estado.ListaCatalogo;
    e.DescargarTodo = true;
    asistente.Ventana().show();
    PulsoDelBucle pulso;
    QCoreApplication::processEvents();
    ::sync();
    getrusage(RUSAGE_SELF, &antes);
    inicio = Pared::now();
    asistente.Ventana().MuestraPaso("IniciaDescarga");
    ventana.segundos = std::chrono::duration<double>(Pared::now() - inicio).count();
    getrusage(RUSAGE_SELF, &despues);
    ventana.cpu = Segundos(despues.ru_utime) + Segundos(despues.ru_stime) - Segundos(antes.ru_utime) -
                  Segundos(antes.ru_stime);
    ventana.memoriaKb = despues.ru_maxrss;
    pausaDeLaVentana = pulso.MaximaMs();
    if (asistente.Ventana().Control("PicDescargaCorrecta")->isHidden()) {
      std::fprintf(stderr, "la descarga por la ventana no terminó bien\n");
      return 1;
    }
  }

  // curl, one process per file, into a folder of its own on the same disk.
  fs::create_directories(carpeta / "curl");
  ::sync();
  inicio = Pared::now();
  for (const auto& nombre : nombres) {
    const pid_t hijo = fork();
    if (hijo == 0) {
      const std::string destino = (carpeta / "curl" / nombre).string();
      const std::string url = base + "/" + nombre;
      execlp("curl", "curl", "-s", "-f", "--create-dirs", "-o", destino.c_str(), url.c_str(),
             static_cast<char*>(nullptr));
      _exit(127);
    }
    int estadoHijo = 0;
    rusage uso{};
    wait4(hijo, &estadoHijo, 0, &uso);
    if (!WIFEXITED(estadoHijo) || WEXITSTATUS(estadoHijo) != 0) {
      std::fprintf(stderr, "curl falló con %s\n", nombre.c_str());
      return 1;
    }
    decurl.cpu += Segundos(uso.ru_utime) + Segundos(uso.ru_stime);
    decurl.memoriaKb = std::max(decurl.memoriaKb, uso.ru_maxrss);
  }
  decurl.segundos = std::chrono::duration<double>(Pared::now() - inicio).count();

  std::printf("%zu archivo(s), %.1f MiB en total\n", nombres.size(), static_cast<double>(nuestra.bytes) / 1048576.0);
  Informe("gestor de descargas", nuestra);
  Informe("por la ventana", ventana);
  Informe("curl (un proceso c/u)", decurl);
  std::printf("  proporción (curl / gestor, tiempo): %.2f\n", decurl.segundos / nuestra.segundos);
  std::printf("  la ventana frente al gestor solo: %+.1f %% de tiempo\n",
              (ventana.segundos / nuestra.segundos - 1) * 100);
  std::printf("  mayor pausa sin ceder al bucle de eventos (gestor): %.1f ms\n", eventos.MaximaMs());
  std::printf("  mayor pausa del bucle de eventos de la ventana: %.1f ms\n", pausaDeLaVentana);
  return 0;
}

// Downloads the same files with the wizard's download manager, through the wizard's window (kind
// 4, offscreen: the bars drawn, the window's events processed) and with one curl process that
// fetches every file in turn (a -K config of url/output pairs), side by side, each contender in
// turn, each round led by another; prints for each the median round's throughput, CPU seconds
// per GiB and peak memory, the ratios against curl and between the window and the manager (the
// median of each round's ratios: the machine's pace drifts between rounds; each round's times are
// printed too), and the longest time each event loop went without a turn (over all rounds). For
// the manager it also prints the rate of each tenth of the files, round by round, and the median
// round's change from the first tenth to the last, which must be small on long lists; the same
// for the presence test of the list, and for curl. The destination's folders
// exist before each contender starts. Every measurement runs in a process of its own, as curl's
// does and as the wizard downloads once per run: what one contender leaves in a process (its
// heap, Qt's state, caches) does not weigh on the next. With --solo gestor|ventana|curl only that
// contender runs. With --contendientes a comma-separated list of them (of gestor, ventana, curl,
// curl-c: curl -C - run again until the file is whole, aria2c: aria2c -c the same, windows: the
// Windows build's manager under Wine, the command of EVALORA_BANCO_WINDOWS) takes their place, and
// each one's bytes fetched (the server's count, GET /_enviados) are printed beside its time.
//   evalora-banco-descarga [--rondas N] [--solo quien] [--contendientes a,b,…] <base URL> <destination folder>
//                          <name>...
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include <QApplication>
#include <QTimer>

#include "download/ArchivoCompleto.h"
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

// Records the longest gap between two turns offered to the event loop, on the coarse clock the
// wizard's own loop reads (a finer one costs the manager more than what it measures).
class BucleMedido : public BucleDeEventos {
 public:
  void Ceder() override {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC_COARSE, &t);
    const int64_t ahora = static_cast<int64_t>(t.tv_sec) * 1000000000 + t.tv_nsec;
    if (ultima_ >= 0) maxima_ = std::max(maxima_, ahora - ultima_);
    ultima_ = ahora;
  }
  double MaximaMs() const { return static_cast<double>(maxima_) / 1e6; }

 private:
  int64_t ultima_ = -1;
  int64_t maxima_ = 0;
};

// The prefix's files, noting when each download took its final name (the rename of its
// temporary file): the pace of the list along its length.
class ArchivosContados : public SistemaDeArchivosPrefijo {
 public:
  using SistemaDeArchivosPrefijo::SistemaDeArchivosPrefijo;
  bool Renombrar(const std::string& origen, const std::string& destino, bool reemplazar) override {
    const bool hecho = SistemaDeArchivosPrefijo::Renombrar(origen, destino, reemplazar);
    if (hecho) terminados.push_back(Pared::now());
    return hecho;
  }
  std::vector<Pared::time_point> terminados;
};

// Items per second in each tenth of a list, from when each one ended (the first tenth from the
// start of the list).
struct Ritmo {
  double decimos[10] = {};
  bool Medido() const { return decimos[0] > 0 && decimos[9] > 0; }
  double Cambio() const { return decimos[9] / decimos[0] - 1; }  // the last tenth against the first
};
Ritmo RitmoDeLaLista(Pared::time_point inicio, const std::vector<Pared::time_point>& fines) {
  const size_t decimo = fines.size() / 10;
  if (decimo == 0) return {};
  Ritmo r;
  auto desde = inicio;
  for (size_t k = 0; k < 10; ++k) {
    // The last tenth is the list's last items, whatever is left over from the division.
    if (k == 9) desde = fines[fines.size() - decimo - 1];
    const auto hasta = k == 9 ? fines.back() : fines[(k + 1) * decimo - 1];
    const double segundos = std::chrono::duration<double>(hasta - desde).count();
    r.decimos[k] = segundos > 0 ? decimo / segundos : 0;
    desde = hasta;
  }
  return r;
}

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
  uint64_t traidos = 0;     // what the server sent for it
  double pausaMs = 0;       // the longest the event loop waited
  Ritmo descargas;          // files per second at the start and at the end of the list
  Ritmo presencia;          // the presence test of the list's files, before the download
  Ritmo presenciaCompleta;  // and after it, every file there
};

static_assert(std::is_trivially_copyable_v<Medida>, "a measurement crosses a pipe as it is");

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

// An empty destination with the list's folders already made: every contender measures its
// downloads, not the folders' creation (after each new folder the wizard waits one second, as its
// design asks, which no transfer can make up for). A last round's copy of many files is moved
// aside, not deleted: on ext4 without a journal every file created in the next minutes would skip
// the inodes just freed one by one, a cost that would fall on whichever contender came next.
void VaciarDestino(const Trabajo& t, const fs::path& destino) {
  if (fs::exists(destino)) {
    size_t entradas = 0;
    for (auto it = fs::recursive_directory_iterator(destino); it != fs::recursive_directory_iterator(); ++it) {
      ++entradas;
    }
    if (entradas < 100) {
      fs::remove_all(destino);
    } else {
      const fs::path papelera = t.carpeta / "papelera";
      fs::create_directories(papelera);
      int n = 0;
      while (fs::exists(papelera / std::to_string(n))) ++n;
      fs::rename(destino, papelera / std::to_string(n));
    }
  }
  for (const auto& nombre : t.nombres) fs::create_directories((destino / nombre).parent_path());
}

// The same list into another folder of the prefix's drive C.
EstadoDeEjecucion EnOtraCarpeta(const EstadoDeEjecucion& estado, const std::string& carpeta) {
  EstadoDeEjecucion otro = estado;
  otro.CarpetaDeInstalacion = carpeta;
  for (auto& e : otro.ListaCatalogo) e.RutaLocal.replace(0, estado.CarpetaDeInstalacion.size(), carpeta);
  return otro;
}

// The presence test the catalogue's list gets before a download (is each file there, whole?),
// timed item by item.
Ritmo MedirPresencia(const SistemaDeArchivos& archivos, const EstadoDeEjecucion& estado) {
  std::vector<Pared::time_point> fines;
  fines.reserve(estado.ListaCatalogo.size());
  const auto inicio = Pared::now();
  for (const auto& e : estado.ListaCatalogo) {
    (void)ArchivoCompleto(archivos, e.RutaLocal, e.Peso);
    fines.push_back(Pared::now());
  }
  return RitmoDeLaLista(inicio, fines);
}

// The wizard's manager alone, without a window, into a folder of its own: whoever empties a
// destination deletes its own copy of the last round, never a copy another contender has just
// written (whose pages may still be on their way to the disk).
std::optional<Medida> MedirGestor(const Trabajo& t, const Prefijo& prefijo) {
  VaciarDestino(t, prefijo.Raiz() / "drive_c/BancoGestor");
  ArchivosContados archivos(prefijo.Raiz());
  RelojMonotono reloj;
  BucleMedido eventos;
  ProcesosProc procesos;
  SinBarras barras;
  RedDelSistema red;
  EstadoDeEjecucion estado = EnOtraCarpeta(t.estado, "C:\\BancoGestor");
  GestorDeDescargas gestor(estado, ServiciosDeDescarga{archivos, reloj, eventos, procesos, red}, barras,
                           [](const std::string&) {});
  Medida m;
  {
    // The same names in an empty folder of their own: the download's folder is not looked into
    // before the download (the lookups would leave its names in the kernel's caches).
    VaciarDestino(t, prefijo.Raiz() / "drive_c/BancoVacio");
    m.presencia = MedirPresencia(archivos, EnOtraCarpeta(t.estado, "C:\\BancoVacio"));
  }
  ::sync();  // each measurement starts with the disk quiet
  m.bytes = t.bytes;
  m.cpu = CpuDelProceso();
  const auto inicio = Pared::now();
  const Paso paso = gestor.Descargar();
  m.segundos = std::chrono::duration<double>(Pared::now() - inicio).count();
  m.cpu = CpuDelProceso() - m.cpu;
  m.memoriaKb = MemoriaDelProceso();
  m.pausaMs = eventos.MaximaMs();
  m.descargas = RitmoDeLaLista(inicio, archivos.terminados);
  m.presenciaCompleta = MedirPresencia(archivos, estado);
  if (paso != Paso::kDescargaCorrecta) return std::nullopt;
  return m;
}

// The same list through the window: kind 4's step "IniciaDescarga", offscreen.
std::optional<Medida> MedirVentana(const Trabajo& t, const Prefijo& prefijo) {
  VaciarDestino(t, prefijo.Raiz() / "drive_c/Banco");
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
  Medida m;
  m.bytes = t.bytes;
  m.cpu = CpuDelProceso();
  const auto inicio = Pared::now();
  asistente.Ventana().MuestraPaso("IniciaDescarga");
  m.segundos = std::chrono::duration<double>(Pared::now() - inicio).count();
  m.cpu = CpuDelProceso() - m.cpu;
  m.memoriaKb = MemoriaDelProceso();
  m.pausaMs = pulso.MaximaMs();
  if (asistente.Ventana().Oculto("PicDescargaCorrecta")) return std::nullopt;
  return m;
}

// The pace of a contender that tells nothing as it goes (curl): when each of its files was last
// written, from the files' own modification times.
Ritmo RitmoPorLasFechas(const Trabajo& t, const fs::path& destino, std::chrono::system_clock::time_point inicioReal,
                        Pared::time_point inicio) {
  if (t.nombres.size() < 100) return {};
  std::vector<Pared::time_point> fines;
  for (const auto& nombre : t.nombres) {
    struct stat st {};
    if (::stat((destino / nombre).c_str(), &st) != 0) return {};
    const auto escrito =
        std::chrono::system_clock::time_point(std::chrono::duration_cast<std::chrono::system_clock::duration>(
            std::chrono::seconds(st.st_mtim.tv_sec) + std::chrono::nanoseconds(st.st_mtim.tv_nsec)));
    fines.push_back(inicio + std::chrono::duration_cast<Pared::duration>(escrito - inicioReal));
  }
  std::sort(fines.begin(), fines.end());
  return RitmoDeLaLista(inicio, fines);
}

// One curl process for every file, in turn (a -K config of url/output pairs), into a folder of
// its own on the same disk.
std::optional<Medida> MedirCurl(const Trabajo& t) {
  VaciarDestino(t, t.carpeta / "curl");
  const fs::path config = t.carpeta / "curl.cfg";
  if (FILE* f = std::fopen(config.c_str(), "w")) {
    std::fprintf(f, "silent\nfail\nfail-early\ncreate-dirs\n");
    for (const auto& nombre : t.nombres) {
      std::fprintf(f, "url = \"%s/%s\"\noutput = \"%s\"\n", t.base.c_str(), nombre.c_str(),
                   (t.carpeta / "curl" / nombre).c_str());
    }
    std::fclose(f);
  }
  ::sync();
  Medida m;
  m.bytes = t.bytes;
  const auto inicioReal = std::chrono::system_clock::now();
  const auto inicio = Pared::now();
  const pid_t hijo = fork();
  if (hijo == 0) {
    execlp("curl", "curl", "-K", config.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  int estadoHijo = 0;
  rusage uso{};
  wait4(hijo, &estadoHijo, 0, &uso);
  m.segundos = std::chrono::duration<double>(Pared::now() - inicio).count();
  if (!WIFEXITED(estadoHijo) || WEXITSTATUS(estadoHijo) != 0) return std::nullopt;
  m.cpu = Segundos(uso.ru_utime) + Segundos(uso.ru_stime);
  m.memoriaKb = uso.ru_maxrss;
  m.descargas = RitmoPorLasFechas(t, t.carpeta / "curl", inicioReal, inicio);
  return m;
}

// Runs a command to its end; its status (-1 when it could not start) and its children's times.
int Ejecutar(const std::vector<std::string>& orden, rusage& uso) {
  const pid_t hijo = fork();
  if (hijo == 0) {
    std::vector<char*> argumentos;
    for (const auto& a : orden) argumentos.push_back(const_cast<char*>(a.c_str()));
    argumentos.push_back(nullptr);
    execvp(argumentos[0], argumentos.data());
    _exit(127);
  }
  int estadoHijo = 0;
  if (hijo < 0 || wait4(hijo, &estadoHijo, 0, &uso) != hijo) return -1;
  return WIFEXITED(estadoHijo) ? WEXITSTATUS(estadoHijo) : -1;
}

// A tool that goes on from the part it left (curl -C -, aria2c -c) run again after each cut until
// it ends well, file after file, into a folder of its own: its time with every start, its CPU.
std::optional<Medida> MedirHastaCompletar(const Trabajo& t, const std::string& quien) {
  const fs::path destino = t.carpeta / quien;
  VaciarDestino(t, destino);
  ::sync();
  Medida m;
  m.bytes = t.bytes;
  const auto inicio = Pared::now();
  for (const auto& nombre : t.nombres) {
    const std::string url = t.base + "/" + nombre;
    const fs::path salida = destino / nombre;
    std::vector<std::string> orden{"curl", "-s", "-C", "-", "-o", salida.string(), url};
    if (quien == "aria2c") {
      orden = {"aria2c",
               "-c",
               "-q",
               "-x1",
               "-s1",
               "--file-allocation=none",
               "--auto-file-renaming=false",
               "-d",
               salida.parent_path().string(),
               "-o",
               salida.filename().string(),
               url};
    }
    int veces = 0;
    for (;; ++veces) {
      rusage uso{};
      const int estado = Ejecutar(orden, uso);
      m.cpu += Segundos(uso.ru_utime) + Segundos(uso.ru_stime);
      m.memoriaKb = std::max(m.memoriaKb, uso.ru_maxrss);
      if (estado == 0) break;
      if (estado < 0 || estado == 127 || veces == 100) return std::nullopt;
    }
  }
  m.segundos = std::chrono::duration<double>(Pared::now() - inicio).count();
  fs::remove(destino / (t.nombres.front() + ".aria2"));
  return m;
}

// The Windows build's manager under Wine (bench/windows/banco_descarga_win.cpp): the time and CPU
// it measures of its own download, as the Linux manager's.
std::optional<Medida> MedirWindows(const Trabajo& t) {
  const char* orden = std::getenv("EVALORA_BANCO_WINDOWS");
  if (!orden) {
    std::fprintf(stderr, "falta EVALORA_BANCO_WINDOWS (la orden que corre el gestor de Windows bajo Wine)\n");
    return std::nullopt;
  }
  // Into a folder beside curl's, on the same disk, that Wine sees as its drive Z:.
  const fs::path destino = t.carpeta / "windows";
  VaciarDestino(t, destino);
  std::string windows = "Z:" + fs::absolute(destino).string();
  for (char& c : windows) c = c == '/' ? '\\' : c;
  // The list in a file: a Windows command line holds 32,767 characters, fewer than 2,000 names.
  const fs::path lista = t.carpeta / "windows.lista";
  if (FILE* f = std::fopen(lista.c_str(), "w")) {
    for (const auto& nombre : t.nombres) {
      std::fprintf(f, "%s=%llu\n", nombre.c_str(),
                   static_cast<unsigned long long>(fs::file_size(t.carpeta / "contenido" / nombre)));
    }
    std::fclose(f);
  }
  std::string deLaLista = "Z:" + fs::absolute(lista).string();
  for (char& c : deLaLista) c = c == '/' ? '\\' : c;
  const std::string linea = std::string(orden) + " '" + t.base + "' '" + windows + "' '@" + deLaLista + "'";
  ::sync();
  FILE* salida = popen(linea.c_str(), "r");
  if (!salida) return std::nullopt;
  char texto[256] = {};
  Medida m;
  m.bytes = t.bytes;
  bool medida = false;
  while (std::fgets(texto, sizeof texto, salida)) {
    long long recibidos = 0;
    if (std::sscanf(texto, "medida %lf %lf %lld %ld", &m.segundos, &m.cpu, &recibidos, &m.memoriaKb) == 4) {
      medida = true;
    }
  }
  if (pclose(salida) != 0 || !medida) return std::nullopt;
  return m;
}

// What the server behind a base URL has sent of files' bodies so far.
std::optional<uint64_t> EnviadosDelServidor(const std::string& base) {
  const auto inicio = base.find("://");
  const std::string raiz = base.substr(0, base.find('/', inicio == std::string::npos ? 0 : inicio + 3));
  FILE* salida = popen(("curl -s '" + raiz + "/_enviados'").c_str(), "r");
  if (!salida) return std::nullopt;
  unsigned long long cuenta = 0;
  const bool leida = std::fscanf(salida, "%llu", &cuenta) == 1;
  if (pclose(salida) != 0 || !leida) return std::nullopt;
  return cuenta;
}

// The median of the rounds' values (the upper one of an even count).
double Mediana(std::vector<double> valores) {
  std::sort(valores.begin(), valores.end());
  return valores[valores.size() / 2];
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

// The pace along a list: the last tenth against the first in the median round (one tenth of a
// round lasts under a second, and this machine's pace can shift by a third within one: a single
// round says little); with few rounds (the long list), each round's rate tenth by tenth too.
void InformeDeRitmos(const std::vector<Medida>& g, const std::vector<Medida>& c) {
  auto ritmos = [](const char* que, const std::vector<Medida>& rondas, Ritmo Medida::*cual) {
    std::vector<double> cambios;
    for (const auto& m : rondas) {
      if ((m.*cual).Medido()) cambios.push_back((m.*cual).Cambio());
    }
    if (cambios.empty()) return;
    std::printf("  %s: último décimo frente al primero %+.0f %% (ronda mediana)\n", que, Mediana(cambios) * 100);
    if (rondas.size() > 9) return;
    for (const auto& m : rondas) {
      if (!(m.*cual).Medido()) continue;
      std::printf("    por décimos (archivos/s):");
      for (const double d : (m.*cual).decimos) std::printf(" %.0f", d);
      std::printf(" (%+.0f %%)\n", (m.*cual).Cambio() * 100);
    }
  };
  ritmos("archivos descargados por el gestor", g, &Medida::descargas);
  ritmos("prueba de presencia, ninguno en disco", g, &Medida::presencia);
  ritmos("prueba de presencia, todos en disco", g, &Medida::presenciaCompleta);
  ritmos("archivos descargados por curl (por sus fechas)", c, &Medida::descargas);
}

// The job of the command line: base URL, folder, names.
Trabajo LeerTrabajo(int argc, char** argv) {
  Trabajo t;
  t.base = argv[0];
  t.carpeta = argv[1];
  t.nombres.assign(argv + 2, argv + argc);
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
  return t;
}

// One contender's measurement in a child process of its own (the window's with its own Qt
// application); nothing when its download did not end well or the child failed.
std::optional<Medida> MedirEnSuProceso(const std::string& quien, const Trabajo& t, const Prefijo& prefijo,
                                       char* programa) {
  int tubo[2];
  if (pipe(tubo) != 0) return std::nullopt;
  const auto antes = EnviadosDelServidor(t.base);
  std::fflush(nullptr);
  const pid_t hijo = fork();
  if (hijo < 0) {
    close(tubo[0]);
    close(tubo[1]);
    return std::nullopt;
  }
  if (hijo == 0) {
    close(tubo[0]);
    prctl(PR_SET_NAME, ("banco-" + quien).c_str());  // one name per contender in a profile
    std::optional<Medida> m;
    if (quien == "ventana") {
      int argcQt = 1;
      char* argvQt[] = {programa, nullptr};
      QApplication aplicacion(argcQt, argvQt);
      m = MedirVentana(t, prefijo);
    } else if (quien == "gestor") {
      m = MedirGestor(t, prefijo);
    } else if (quien == "curl") {
      m = MedirCurl(t);
    } else if (quien == "windows") {
      m = MedirWindows(t);
    } else {
      m = MedirHastaCompletar(t, quien);
    }
    const bool escrito = m && write(tubo[1], &*m, sizeof(Medida)) == static_cast<ssize_t>(sizeof(Medida));
    std::fflush(nullptr);
    _exit(escrito ? 0 : 1);
  }
  close(tubo[1]);
  Medida m;
  size_t leidos = 0;
  while (leidos < sizeof(Medida)) {
    const ssize_t n = read(tubo[0], reinterpret_cast<char*>(&m) + leidos, sizeof(Medida) - leidos);
    if (n <= 0) break;
    leidos += static_cast<size_t>(n);
  }
  close(tubo[0]);
  int estadoHijo = 0;
  waitpid(hijo, &estadoHijo, 0);
  if (leidos != sizeof(Medida) || !WIFEXITED(estadoHijo) || WEXITSTATUS(estadoHijo) != 0) return std::nullopt;
  const auto despues = EnviadosDelServidor(t.base);
  if (antes && despues) m.traidos = *despues - *antes;
  return m;
}

// Any list of contenders, each round led by another: each one's median round, its bytes fetched
// against the list's size, and its time against the reference's (curl-c, else curl) round by round.
int CompararContendientes(const std::vector<std::string>& quienes, const Trabajo& t, const Prefijo& prefijo, int rondas,
                          char* programa) {
  std::vector<std::vector<Medida>> medidas(quienes.size());
  for (int ronda = 0; ronda < rondas; ++ronda) {
    for (size_t turno = 0; turno < quienes.size(); ++turno) {
      const size_t quien = (static_cast<size_t>(ronda) + turno) % quienes.size();
      const auto m = MedirEnSuProceso(quienes[quien], t, prefijo, programa);
      if (!m) {
        std::fprintf(stderr, "una descarga no terminó bien (%s)\n", quienes[quien].c_str());
        return 1;
      }
      medidas[quien].push_back(*m);
    }
  }
  size_t referencia = 0;
  for (size_t i = 0; i < quienes.size(); ++i) {
    if (quienes[i] == "curl-c" || (quienes[i] == "curl" && quienes[referencia] != "curl-c")) referencia = i;
  }
  std::printf("%zu archivo(s), %.1f MiB en total; mediana de %d rondas; referencia: %s\n", t.nombres.size(),
              static_cast<double>(t.bytes) / 1048576.0, rondas, quienes[referencia].c_str());
  for (size_t i = 0; i < quienes.size(); ++i) {
    const Medida med = Mediana(medidas[i]);
    Informe(quienes[i].c_str(), med);
    std::vector<double> tiempos, traidos;
    for (size_t r = 0; r < medidas[i].size(); ++r) {
      tiempos.push_back(medidas[i][r].segundos / medidas[referencia][r].segundos);
      traidos.push_back(static_cast<double>(medidas[i][r].traidos) / static_cast<double>(t.bytes));
    }
    std::printf("    traído: %.3f × el tamaño (mayor ronda %.3f); tiempo / el de %s: %.2f\n", Mediana(traidos),
                *std::max_element(traidos.begin(), traidos.end()), quienes[referencia].c_str(), Mediana(tiempos));
    std::printf("    rondas:");
    for (const auto& m : medidas[i]) std::printf(" %.3f s", m.segundos);
    std::printf("\n");
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  int rondas = 3, primero = 1;
  std::string solo;
  std::vector<std::string> quienes;
  for (; primero + 1 < argc && std::string(argv[primero]).rfind("--", 0) == 0; primero += 2) {
    if (std::string(argv[primero]) == "--rondas") rondas = std::max(1, std::atoi(argv[primero + 1]));
    if (std::string(argv[primero]) == "--solo") solo = argv[primero + 1];
    if (std::string(argv[primero]) == "--contendientes") {
      std::string lista = argv[primero + 1];
      for (size_t desde = 0; desde <= lista.size();) {
        const size_t coma = std::min(lista.find(',', desde), lista.size());
        if (coma > desde) quienes.push_back(lista.substr(desde, coma - desde));
        desde = coma + 1;
      }
    }
  }
  if (argc - primero < 3) {
    std::fprintf(stderr,
                 "uso: evalora-banco-descarga [--rondas N] [--solo gestor|ventana|curl] <URL base> <carpeta> "
                 "<archivo>...\n");
    std::fprintf(stderr,
                 "(la carpeta contiene contenido/<archivo>; la descarga va a carpeta/prefijo y carpeta/curl)\n");
    return 2;
  }
  const Trabajo t = LeerTrabajo(argc - primero, argv + primero);
  const Prefijo prefijo(t.carpeta / "prefijo");
  prefijo.Preparar();
  if (!solo.empty()) {
    const auto m = MedirEnSuProceso(solo, t, prefijo, argv[0]);
    if (!m) return 1;
    Informe(solo.c_str(), *m);
    if (solo != "curl") std::printf("  mayor pausa del bucle de eventos: %.1f ms\n", m->pausaMs);
    InformeDeRitmos(solo == "curl" ? std::vector<Medida>{} : std::vector{*m},
                    solo == "curl" ? std::vector{*m} : std::vector<Medida>{});
    return 0;
  }
  if (!quienes.empty()) return CompararContendientes(quienes, t, prefijo, rondas, argv[0]);

  std::vector<Medida> gestor, ventana, curl;
  // Each round starts with another contender: whoever goes first or last is not always the same.
  const char* const nombres[] = {"gestor", "ventana", "curl"};
  std::vector<Medida>* medidas[] = {&gestor, &ventana, &curl};
  for (int ronda = 0; ronda < rondas; ++ronda) {
    for (int turno = 0; turno < 3; ++turno) {
      const int quien = (ronda + turno) % 3;
      const auto m = MedirEnSuProceso(nombres[quien], t, prefijo, argv[0]);
      if (!m) {
        std::fprintf(stderr, "una descarga no terminó bien (%s)\n", nombres[quien]);
        return 1;
      }
      medidas[quien]->push_back(*m);
    }
  }
  const Medida g = Mediana(gestor), v = Mediana(ventana), c = Mediana(curl);
  // The ratios compare the contenders of each round, side by side, and take the median round:
  // this machine's pace drifts from one round to the next more than the contenders differ.
  auto razon = [&](auto de) {
    std::vector<double> r;
    for (size_t i = 0; i < gestor.size(); ++i) r.push_back(de(gestor[i], ventana[i], curl[i]));
    return Mediana(r);  // the median round, as for the times
  };
  std::printf("%zu archivo(s), %.1f MiB en total; mediana de %d rondas\n", t.nombres.size(),
              static_cast<double>(t.bytes) / 1048576.0, rondas);
  Informe("gestor de descargas", g);
  Informe("por la ventana", v);
  Informe("curl (un proceso)", c);
  for (size_t i = 0; i < gestor.size(); ++i) {
    std::printf("    ronda %zu: gestor %.3f s, ventana %.3f s, curl %.3f s (ventana/gestor %.2f)\n", i + 1,
                gestor[i].segundos, ventana[i].segundos, curl[i].segundos, ventana[i].segundos / gestor[i].segundos);
  }
  std::printf("  tiempo de curl / tiempo del gestor: %.2f\n",
              razon([](const Medida& ge, const Medida&, const Medida& cu) { return cu.segundos / ge.segundos; }));
  std::printf(
      "  CPU por GiB del gestor / de curl: %.2f\n",
      razon([](const Medida& ge, const Medida&, const Medida& cu) { return cu.cpu > 0 ? ge.cpu / cu.cpu : 0; }));
  std::printf(
      "  la ventana frente al gestor solo: %+.1f %% de tiempo\n",
      (razon([](const Medida& ge, const Medida& ve, const Medida&) { return ve.segundos / ge.segundos; }) - 1) * 100);
  std::printf("  mayor pausa sin ceder al bucle de eventos (gestor): %.1f ms\n", g.pausaMs);
  std::printf("  mayor pausa del bucle de eventos de la ventana: %.1f ms\n", v.pausaMs);
  InformeDeRitmos(gestor, curl);
  return 0;
}

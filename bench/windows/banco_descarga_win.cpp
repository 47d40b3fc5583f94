// The Windows build's download manager alone, as schools run it (WinINet, the Windows file
// system), for bench/descarga.sh --windows under Wine: downloads the list into the folder given
// (empty; its subfolders are made before the clock starts, as the Linux contenders have them) and
// prints one line,
//   medida <seconds> <CPU seconds of this process> <body bytes received> <peak working set, KiB>
// or nothing when the download did not end well (exit status 1). With EVALORA_BANCO_SOLO_RED set
// in the environment the same requests go into memory, without the manager or any file: the
// network's share of the time.
//   evalora-banco-descarga-win <base URL> <Windows folder> <name>=<size>... | @<file of such lines>
#include <windows.h>

#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "download/GestorDeDescargas.h"
#include "platform/fakes/Falsos.h"
#include "platform/windows/RelojWin.h"
#include "platform/windows/SistemaDeArchivosWin.h"

namespace {

using namespace evalora;

// No window: its turns cost nothing.
class SinVentana : public BucleDeEventos {
 public:
  void Ceder() override {}
};

double CpuDelProceso() {
  FILETIME creado, terminado, nucleo, usuario;
  GetProcessTimes(GetCurrentProcess(), &creado, &terminado, &nucleo, &usuario);
  auto segundos = [](const FILETIME& t) {
    return static_cast<double>((static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e7;
  };
  return segundos(nucleo) + segundos(usuario);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "uso: evalora-banco-descarga-win <URL base> <carpeta de Windows> <nombre>=<bytes>...\n");
    return 2;
  }
  const std::string base = argv[1];
  const std::string carpeta = argv[2];
  EstadoDeEjecucion estado;
  estado.TipoDeAsistente = "4";
  estado.CarpetaDeInstalacion = carpeta;
  estado.DescargarTodo = true;
  std::error_code error;
  // The names on the command line, or in a file named after "@", one a line.
  std::vector<std::string> argumentos(argv + 3, argv + argc);
  if (argc == 4 && argumentos[0].rfind('@', 0) == 0) {
    std::ifstream lista(argumentos[0].substr(1));
    argumentos.clear();
    for (std::string linea; std::getline(lista, linea);) {
      if (!linea.empty()) argumentos.push_back(linea);
    }
  }
  for (const std::string& argumento : argumentos) {
    const auto igual = argumento.rfind('=');
    std::string nombre = argumento.substr(0, igual);
    std::string local = nombre;
    for (char& c : local) c = c == '/' ? '\\' : c;
    estado.ListaCatalogo.push_back(
        {base + "/" + nombre, carpeta + "\\" + local, std::atoll(argumento.c_str() + igual + 1), true, false});
    std::filesystem::create_directories(std::filesystem::path(carpeta + "\\" + local).parent_path(), error);
  }
  RelojWin reloj;
  SistemaDeArchivosWin archivos(reloj);
  SinVentana eventos;
  falsos::ProcesosFijos procesos;
  SinBarras barras;
  RedDelSistema red;
  GestorDeDescargas gestor(estado, ServiciosDeDescarga{archivos, reloj, eventos, procesos, red}, barras,
                           [](const std::string&) {});
  LARGE_INTEGER frecuencia, inicio, fin;
  QueryPerformanceFrequency(&frecuencia);
  const double cpu = CpuDelProceso();
  QueryPerformanceCounter(&inicio);
  int64_t recibidos = 0;
  if (std::getenv("EVALORA_BANCO_SOLO_RED")) {
    // Where the time goes: the same requests over one transfer, each body into memory, no file.
    const auto transporte = red.NuevoTransporte();
    netDownload descarga(archivos, reloj, eventos, *transporte);
    for (const auto& e : estado.ListaCatalogo) {
      descarga.URL(e.RutaServidor);
      descarga.Descargar(1);
      if (descarga.HuboError() || static_cast<int64_t>(descarga.ContenidoDescargado().size()) != e.Peso) return 1;
    }
    recibidos = descarga.BytesTraidos();
  } else {
    if (gestor.Descargar() != Paso::kDescargaCorrecta) return 1;
    recibidos = gestor.BytesRecibidos;
  }
  QueryPerformanceCounter(&fin);
  PROCESS_MEMORY_COUNTERS memoria{};
  K32GetProcessMemoryInfo(GetCurrentProcess(), &memoria, sizeof memoria);
  std::printf("medida %.6f %.6f %lld %llu\n",
              static_cast<double>(fin.QuadPart - inicio.QuadPart) / frecuencia.QuadPart, CpuDelProceso() - cpu,
              static_cast<long long>(recibidos), static_cast<unsigned long long>(memoria.PeakWorkingSetSize / 1024));
  return 0;
}

// The Windows build's download manager alone, as schools run it (WinINet, the Windows file
// system), for bench/descarga.sh --windows under Wine: downloads the list into the folder given
// (empty; its subfolders are made before the clock starts, as the Linux contenders have them) and
// prints one line,
//   medida <seconds> <CPU seconds of this process> <body bytes received>
// or nothing when the download did not end well (exit status 1).
//   evalora-banco-descarga-win <base URL> <Windows folder> <name>=<size>...
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "download/GestorDeDescargas.h"
#include "platform/fakes/Falsos.h"
#include "platform/windows/RelojWin.h"
#include "platform/windows/SistemaDeArchivosWin.h"

namespace {

using namespace evalora;

class SinBarras : public BarrasDeDescarga {
 public:
  void Preparar() override {}
  void DibujarArchivo(int32_t) override {}
  void DibujarGeneral(int32_t) override {}
  void Ocultar() override {}
};

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
  for (int i = 3; i < argc; ++i) {
    const std::string argumento = argv[i];
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
  const Paso paso = gestor.Descargar();
  QueryPerformanceCounter(&fin);
  if (paso != Paso::kDescargaCorrecta) return 1;
  std::printf("medida %.6f %.6f %lld\n", static_cast<double>(fin.QuadPart - inicio.QuadPart) / frecuencia.QuadPart,
              CpuDelProceso() - cpu, static_cast<long long>(gestor.BytesRecibidos));
  return 0;
}

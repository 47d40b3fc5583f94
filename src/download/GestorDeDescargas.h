#pragma once
// The download manager: every file of the download list into its place below the destination
// folder, three attempts a file, five retry passes, a failure report per failed file and pass,
// the progress of the file and of the whole list, the sweep of temporary files, and the step that
// comes next, which it returns. What it draws goes through a small interface the window implements.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/EstadoDeEjecucion.h"
#include "core/Paso.h"
#include "download/netDownload.h"
#include "platform/BucleDeEventos.h"
#include "platform/Procesos.h"
#include "platform/Reloj.h"
#include "platform/SistemaDeArchivos.h"
#include "platform/TransporteHttp.h"

namespace evalora {

// The two progress bars of the download step.
class BarrasDeDescarga {
 public:
  virtual ~BarrasDeDescarga() = default;
  virtual void Preparar() = 0;  // colours, cleared, both drawn at 0 and shown
  virtual void DibujarArchivo(int32_t porcentaje) = 0;
  virtual void DibujarGeneral(int32_t porcentaje) = 0;
  virtual void Ocultar() = 0;
};

// Bars that draw nothing: a download without a window (the benchmarks, tests).
class SinBarras final : public BarrasDeDescarga {
 public:
  void Preparar() override {}
  void DibujarArchivo(int32_t) override {}
  void DibujarGeneral(int32_t) override {}
  void Ocultar() override {}
};

struct ServiciosDeDescarga {
  SistemaDeArchivos& archivos;
  Reloj& reloj;
  BucleDeEventos& eventos;
  Procesos& procesos;
  Red& red;
};

// A size in megabytes as the manager counts them: cut down to two decimals.
double Megas(double bytes);

// Deletes the temporary files of interrupted downloads ("EVL" + hexadecimal digits + ".tmp", never
// another ".tmp"): those of the folder of `ruta` (a file's path), or with `recursivo` those in
// every folder below the installer folders of `ruta` (a folder). Failures are ignored.
void BorrarTemporales(SistemaDeArchivos& archivos, const std::string& ruta, bool recursivo);

// Whether a process named "avastui.exe" runs (its antivirus removes files after they arrive).
bool AvastEnEjecucion(Procesos& procesos);

class GestorDeDescargas {
 public:
  GestorDeDescargas(EstadoDeEjecucion& estado, ServiciosDeDescarga servicios, BarrasDeDescarga& barras,
                    std::function<void(const std::string&)> registraFalla);

  // The whole download; returns the step that follows: the installation, or the result.
  Paso Descargar();

  void PrepararListaDeDescarga();
  // Three attempts; a body that is not of `bytesEsperados` (when given) is a failed attempt.
  bool DescargaElArchivo(const std::string& local, const std::string& url,
                         std::optional<int64_t> bytesEsperados = std::nullopt);
  bool CrearCarpetasDelArchivo(const std::string& base, const std::string& local);
  void BorrarTemporales(const std::string& ruta, bool recursivo) {
    evalora::BorrarTemporales(servicios_.archivos, ruta, recursivo);
  }
  bool ArchivosCompletos() const;
  bool ListaDescargada() const;
  void Down_Progreso(const EventoProgreso& evento);
  // Puts the partial body of the file being downloaded on the disk itself (the window closes).
  void AsegurarParcial();

  std::vector<ArchivoADescargar> ListaDeDescarga;
  double MegasTotales = 0;
  double MegasDescargados = 0;
  double BytesDelArchivoActual = 0;
  int32_t ContadorDeRefresco = 0;
  // Every body byte received in this run (what a resumed file held already is not among them).
  int64_t BytesRecibidos = 0;

 private:
  // One attempt of the file at index i: folders, download, check. True when complete.
  bool IntentarEntrada(size_t i);
  void ReintentarDescargas();
  void DescartarParcialesDeCompletos();
  // Waits the given milliseconds while the window keeps processing its events.
  void Esperar(uint32_t milisegundos);

  EstadoDeEjecucion& estado_;
  ServiciosDeDescarga servicios_;
  BarrasDeDescarga& barras_;
  std::function<void(const std::string&)> registraFalla_;
  // One transfer and one download for every file of the list, made at the first.
  std::unique_ptr<TransporteHttp> transporte_;
  std::unique_ptr<netDownload> descarga_;
};

}  // namespace evalora

#pragma once
// Everything one run of the wizard knows about itself, from start-up to the result step. Main
// creates one; every procedure reads and writes it through a reference, so a test begins each
// run from a fresh one.

#include <cstdint>
#include <string>
#include <vector>

namespace evalora {

// One file of the product as the catalogue lists it.
struct ArchivoADescargar {
  std::string RutaServidor;  // the file's address on the download server
  std::string RutaLocal;     // CarpetaDeInstalacion + "\" + the catalogue's relative path
  int64_t Peso = 0;          // expected size in bytes (64-bit: files of 2 GiB and more)
  bool Pendiente = false;    // not yet complete on disk when the list was read
  bool Descargado = false;   // set by the download manager
};

struct EstadoDeEjecucion {
  // Who this wizard is: read from the executable's version at start-up.
  std::string TipoDeAsistente;  // "1" … "8"
  std::string VersionMayor;     // "2020"

  // What leaving the welcome step fixes.
  std::string Edicion;               // "Cloud" or "Local"
  std::string CarpetaDeInstalacion;  // installation folder, or the chosen download folder
  bool InstalarBaseDeDatos = false;  // kind 2
  std::string CarpetaBaseDeDatos;    // the database location typed in the ID step

  bool NetFrameworkFaltante = false;

  // What the ID steps leave for the download list. The window's load sets the variant flag to
  // True before anything reads it, so a run starts with it True.
  bool UsarVariante01TE = true;
  std::string AplicacionesDelLanzador;
  bool DescargarActividades = false;

  // Sizes in bytes as the catalogue delivers them.
  double PesoInstalador = 0;
  double PesoMS2010 = 0;
  double PesoMS2013 = 0;
  double PesoMS2016 = 0;
  double PesoMS2019 = 0;
  double PesoCS6 = 0;
  double PesoCC2014 = 0;
  double PesoProgramacion = 0;

  // The catalogue list and the presence of its files on disk.
  std::vector<ArchivoADescargar> ListaCatalogo;
  bool TodosLosArchivosExisten = false;
  bool NingunArchivoExiste = false;
  bool AlgunArchivoExiste = false;

  bool DescargarTodo = false;
  // The user chose "Descargar todo": the partial bodies of earlier runs are not continued.
  bool DescartarParciales = false;

  // The installation's outcome, read by the result step.
  bool InstalacionFallida = false;
  bool ImpresoraNoInstalable = false;
  bool AvisoWindowsVista = false;
};

}  // namespace evalora

// SecurityFolder on Windows: the shared jobs over the Win32 services; a folder is opened to everyone
// through its access list, as the Linux build's tool gives everyone those rights.
#include "Trabajos.h"
#include "platform/windows/ImpresorasWinspool.h"
#include "platform/windows/PermisosWin.h"
#include "platform/windows/RegistroWin.h"
#include "platform/windows/SistemaDeArchivosWin.h"

int main(int argc, char** argv) {
  using namespace evalora;
  SistemaDeArchivosWin archivos;
  RegistroWin registro;
  ImpresorasWinspool impresoras;
  return securityfolder::Ejecutar(argc, argv, {archivos, registro, impresoras, win32::AbrirCarpetaATodos});
}

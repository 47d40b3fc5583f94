// SecurityFolder on Windows: the shared jobs over the Win32 services; a folder is opened to everyone
// through its access list, as the Linux build's tool gives everyone those rights. Its arguments
// arrive in UTF-16 (paths such as "…\Utilerías\LogEV.txt") and go on as UTF-8.
#include <string>
#include <vector>

#include "Trabajos.h"
#include "platform/windows/ImpresorasWinspool.h"
#include "platform/windows/PermisosWin.h"
#include "platform/windows/RegistroWin.h"
#include "platform/windows/SistemaDeArchivosWin.h"
#include "platform/windows/TextoWin.h"

int wmain(int argc, wchar_t** argv) {
  using namespace evalora;
  std::vector<std::string> argumentos;
  for (int i = 0; i < argc; ++i) argumentos.push_back(win32::Estrecho(argv[i]));
  std::vector<char*> punteros;
  for (auto& a : argumentos) punteros.push_back(a.data());
  punteros.push_back(nullptr);
  SistemaDeArchivosWin archivos;
  RegistroWin registro;
  ImpresorasWinspool impresoras{CorreBajoWine()};
  return securityfolder::Ejecutar(argc, punteros.data(), {archivos, registro, impresoras, win32::AbrirCarpetaATodos});
}

#include "platform/linux/ProcesosProc.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "apoyo/PrefijoTemporal.h"
#include "apoyo/ProcesoConNombre.h"

namespace evalora {
namespace {

bool Contiene(const std::vector<std::string>& nombres, const std::string& nombre) {
  return std::find(nombres.begin(), nombres.end(), nombre) != nombres.end();
}

TEST(ProcesosProc, VeProcesosNativosYDeWine) {
  pruebas::ProcesoConNombre nativo("/opt/evalora/evlogin.exe");
  pruebas::ProcesoConNombre deWine("C:\\Program Files\\Evalora 2020 Cloud\\EVPanelAlumno.exe");
  ProcesosProc procesos;
  const auto nombres = procesos.NombresEnEjecucion();
  EXPECT_TRUE(Contiene(nombres, "evlogin.exe"));
  EXPECT_TRUE(Contiene(nombres, "EVPanelAlumno.exe"));
  EXPECT_FALSE(Contiene(nombres, ""));
}

TEST(ProcesosProc, ProcSimuladoEnOrdenDeNumero) {
  pruebas::PrefijoTemporal carpeta;
  carpeta.Escribir("proc/200/cmdline", std::string("/usr/bin/zeta\0--x\0", 18));
  carpeta.Escribir("proc/31/cmdline", std::string("alfa.exe\0", 9));
  carpeta.Escribir("proc/32/cmdline", "");  // a kernel thread
  carpeta.Escribir("proc/self/cmdline", std::string("no\0", 3));
  carpeta.Escribir("proc/version", "Linux");
  // A process that ends while it is listed: its cmdline can no longer be read.
  std::filesystem::create_directories(carpeta.Raiz() / "proc/77/cmdline");
  ProcesosProc procesos(carpeta.Raiz() / "proc");
  EXPECT_EQ(procesos.NombresEnEjecucion(), (std::vector<std::string>{"alfa.exe", "zeta"}));
}

}  // namespace
}  // namespace evalora

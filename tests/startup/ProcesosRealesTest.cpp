// The start-up's process checks over the Linux build's real processes (/proc): a process whose
// name is a wizard's or the system's. The Windows build's are WMI's (InicioYRegistroWinTest).
#include <gtest/gtest.h>
#include <unistd.h>

#include "apoyo/ProcesoConNombre.h"
#include "platform/fakes/Falsos.h"
#include "platform/linux/ProcesosProc.h"
#include "startup/ComprobacionesDeInicio.h"
#include "startup/TiposDeAsistente.h"

namespace evalora {
namespace {

class ProcesosRealesTest : public ::testing::Test {
 protected:
  void SetUp() override { estado.TipoDeAsistente = "1"; }
  EstadoDeEjecucion estado;
  falsos::BucleContado eventos;
  falsos::MensajesGrabados mensajes;
};

// Tests over the machine's real processes run beside others: a version of their own keeps the
// wizard names they ask for apart from every other test's processes.
std::string VersionPropia() { return std::to_string(::getpid()); }

TEST_F(ProcesosRealesTest, UnProcesoRealEnMinusculasEsEVLogIn) {
  estado.VersionMayor = VersionPropia();
  pruebas::ProcesoConNombre evlogin("evlogin.exe");
  ProcesosProc reales;
  EXPECT_TRUE(ProcesoEnEjecucion("EVLogIn", estado, reales, eventos));
  EXPECT_TRUE(AsistenteOSistemaEnEjecucion(estado, reales, eventos, mensajes));
  ASSERT_FALSE(mensajes.mostrados.empty());
  EXPECT_EQ(mensajes.mostrados.back().texto, kTextoSistemaEnEjecucion);
}

TEST_F(ProcesosRealesTest, DosProcesosRealesDelAsistente) {
  estado.VersionMayor = VersionPropia();
  const std::string nombre = NombreDelAsistenteLocal(estado);
  ProcesosProc reales;
  pruebas::ProcesoConNombre uno("/opt/evalora/" + nombre);
  EXPECT_FALSE(ProcesoEnEjecucion(nombre, estado, reales, eventos));
  pruebas::ProcesoConNombre dos("C:\\Evalora\\" + nombre + ".exe");
  EXPECT_TRUE(ProcesoEnEjecucion(nombre, estado, reales, eventos));
}

}  // namespace
}  // namespace evalora

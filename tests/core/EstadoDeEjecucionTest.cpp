#include "core/EstadoDeEjecucion.h"

#include <gtest/gtest.h>


namespace evalora {
namespace {

TEST(EstadoDeEjecucion, ValoresIniciales) {
  const EstadoDeEjecucion e;
  EXPECT_TRUE(e.UsarVariante01TE);
  EXPECT_FALSE(e.DescargarTodo);
  EXPECT_FALSE(e.InstalarBaseDeDatos);
  EXPECT_FALSE(e.NetFrameworkFaltante);
  EXPECT_FALSE(e.DescargarActividades);
  EXPECT_FALSE(e.InstalacionFallida || e.ImpresoraNoInstalable || e.AvisoWindowsVista);
  EXPECT_EQ(e.PesoInstalador + e.PesoMS2010 + e.PesoMS2013 + e.PesoMS2016 + e.PesoMS2019 + e.PesoCS6 + e.PesoCC2014 +
                e.PesoProgramacion,
            0.0);
  EXPECT_TRUE(e.Edicion.empty() && e.CarpetaDeInstalacion.empty() && e.AplicacionesDelLanzador.empty());
  EXPECT_TRUE(e.ListaCatalogo.empty());
}


}  // namespace
}  // namespace evalora

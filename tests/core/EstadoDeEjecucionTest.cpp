#include "core/EstadoDeEjecucion.h"

#include <gtest/gtest.h>

#include <cmath>

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

TEST(EstadoDeEjecucion, TipoComoNumero) {
  EstadoDeEjecucion e;
  e.TipoDeAsistente = "3";
  EXPECT_LE(e.TipoComoNumero(), 3);
  e.TipoDeAsistente = "8";
  EXPECT_EQ(e.TipoComoNumero(), 8);
  // A kind that is no number belongs to no group.
  e.TipoDeAsistente = "x";
  EXPECT_FALSE(e.TipoComoNumero() <= 3);
  EXPECT_FALSE(e.TipoComoNumero() < 6);
  EXPECT_TRUE(std::isnan(e.TipoComoNumero()));
}

}  // namespace
}  // namespace evalora

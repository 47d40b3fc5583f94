#include "download/DecisionDeDescarga.h"

#include <gtest/gtest.h>

namespace evalora {
namespace {

DecisionDeDescarga Decidir(const char* tipo, bool todos, bool ninguno, bool* descargarTodo = nullptr) {
  EstadoDeEjecucion e;
  e.TipoDeAsistente = tipo;
  e.TodosLosArchivosExisten = todos;
  e.NingunArchivoExiste = ninguno;
  const auto d = DecidirDescarga(e);
  if (descargarTodo) *descargarTodo = e.DescargarTodo;
  return d;
}

TEST(DecisionDeDescarga, LaTabla) {
  using D = DecisionDeDescarga;
  bool todo = false;
  EXPECT_EQ(Decidir("1", false, true, &todo), D::kDescargarTodo);
  EXPECT_TRUE(todo);
  EXPECT_EQ(Decidir("6", false, true, &todo), D::kDescargarTodo);
  EXPECT_TRUE(todo);
  EXPECT_EQ(Decidir("3", false, false, &todo), D::kDescargarFaltantes);
  EXPECT_FALSE(todo);
  EXPECT_EQ(Decidir("5", false, false, &todo), D::kOfrecerReanudar);
  EXPECT_FALSE(todo);
  EXPECT_EQ(Decidir("2", true, false), D::kInstalar);
  EXPECT_EQ(Decidir("8", true, false), D::kOfrecerCancelar);
  // The catalogue could not be reached: both flags stay True, as if every file were there.
  EXPECT_EQ(Decidir("4", true, true), D::kOfrecerCancelar);
  EXPECT_EQ(Decidir("1", true, true), D::kInstalar);
}

}  // namespace
}  // namespace evalora

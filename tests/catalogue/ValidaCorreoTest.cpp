// The contact step's e-mail rule.
#include "catalogue/ValidaCorreo.h"

#include <gtest/gtest.h>

namespace evalora {
namespace {

TEST(ValidaCorreo, Validos) {
  for (const char* correo :
       {"a@b.c", "Ana.Lopez@Escuela.MX", "  soporte-escuela_9@mi.escuela.mx  ", "a.b@c.d.e", "1@2.3"}) {
    EXPECT_TRUE(ValidaCorreo(correo)) << correo;
  }
}

TEST(ValidaCorreo, NoValidos) {
  for (const char* correo :
       {"", "   ", "ana@escuela", "ana.lopez@escuela", "ana@@escuela.mx", "ana@es@cuela.mx", ".ana@escuela.mx",
        "ana@escuela.mx.", "-ana@escuela.mx", "ana..lopez@escuela.mx", "ana.@escuela.mx", "ana@.escuela.mx",
        "ana lopez@escuela.mx", "año@escuela.mx", "ána@escuela.mx", "ana+1@escuela.mx", "a@b.c_"}) {
    EXPECT_FALSE(ValidaCorreo(correo)) << correo;
  }
}

}  // namespace
}  // namespace evalora

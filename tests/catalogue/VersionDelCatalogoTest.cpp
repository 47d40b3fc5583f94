#include "catalogue/VersionDelCatalogo.h"

#include <gtest/gtest.h>

namespace evalora {
namespace {

const VersionDelEjecutable k2020_6_0_3{2020, 6, 0, 3};

TEST(VersionDelCatalogo, CasosDeLaComparacion) {
  using V = VeredictoDeVersion;
  EXPECT_EQ(JuzgarVersion(FilaDeVersion{true, "2020.6.3"}, k2020_6_0_3), V::kVigente);         // same
  EXPECT_EQ(JuzgarVersion(FilaDeVersion{true, "2020.6.2"}, k2020_6_0_3), V::kVigente);         // newer
  EXPECT_EQ(JuzgarVersion(FilaDeVersion{true, "2020.6.4"}, k2020_6_0_3), V::kDesactualizada);  // older
  EXPECT_EQ(JuzgarVersion(FilaDeVersion{true, "  2020.6.3  "}, k2020_6_0_3), V::kVigente);
  EXPECT_EQ(JuzgarVersion(FilaDeVersion{false, "2020.6.3"}, k2020_6_0_3), V::kMantenimiento);
  EXPECT_EQ(JuzgarVersion(std::nullopt, k2020_6_0_3), V::kMantenimiento);
  // Packed forms compare as numbers: 202069 < 2020610.
  EXPECT_EQ(JuzgarVersion(FilaDeVersion{true, "2020.6.10"}, {2020, 6, 0, 9}), V::kDesactualizada);
  EXPECT_EQ(JuzgarVersion(FilaDeVersion{true, "2020.6.x"}, k2020_6_0_3), V::kFallo);
  EXPECT_EQ(JuzgarVersion(FilaDeVersion{true, ""}, k2020_6_0_3), V::kFallo);
  EXPECT_EQ(JuzgarVersion(FilaDeVersion{true, "2020.6.99999999"}, k2020_6_0_3), V::kFallo);  // beyond 32 bits
}

TEST(VersionDelCatalogo, Textos) {
  EXPECT_EQ(FormaConPuntos(k2020_6_0_3), "2020.6.3");
  EXPECT_EQ(TextoVersionDesactualizada("www.evalora.example"),
            "La versión del Asistente de instalación que está utilizando no corresponde con la versión más "
            "reciente. Ingresa a www.evalora.example para obtener la última versión.");
  EXPECT_EQ(std::string(kTextoMantenimiento),
            "En este momento nuestros servidores están en mantenimiento por lo que la descarga no está disponible. "
            "Por favor reintenta más tarde.");
}

}  // namespace
}  // namespace evalora

// The programs the demo content delivers, built for Windows and started as Windows starts them.
#include <gtest/gtest.h>

#include "ApoyoWin.h"
#include "platform/windows/ImpresorasWinspool.h"
#include "platform/windows/RegistroWin.h"
#include "platform/windows/ShellWin.h"
#include "platform/windows/SistemaDeArchivosWin.h"

namespace {
// Taken before windows.h, whose macros bear the same name.
constexpr evalora::win::HKEY kUsuarioActual = evalora::win::HKEY_CURRENT_USER;
}  // namespace

#include <windows.h>
#include <aclapi.h>

namespace evalora {
namespace {

std::string Herramienta(const char* nombre) { return pruebas::EnUnidadZ(EVALORA_BIN_WINDOWS) + "\\" + nombre; }

// Whether the folder's access list lets everyone write, inherited by what it holds.
bool TodosPuedenEscribir(const std::string& carpeta) {
  PACL lista = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  const std::wstring ruta(carpeta.begin(), carpeta.end());
  if (GetNamedSecurityInfoW(ruta.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, &lista,
                            nullptr, &descriptor) != ERROR_SUCCESS || !lista) {
    return false;
  }
  SID_IDENTIFIER_AUTHORITY mundo = SECURITY_WORLD_SID_AUTHORITY;
  PSID todos = nullptr;
  AllocateAndInitializeSid(&mundo, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &todos);
  bool puede = false;
  for (DWORD i = 0; i < lista->AceCount && !puede; ++i) {
    ACCESS_ALLOWED_ACE* entrada = nullptr;
    if (!GetAce(lista, i, reinterpret_cast<void**>(&entrada)) || entrada->Header.AceType != ACCESS_ALLOWED_ACE_TYPE) {
      continue;
    }
    puede = EqualSid(&entrada->SidStart, todos) && (entrada->Mask & FILE_GENERIC_WRITE) == FILE_GENERIC_WRITE &&
            (entrada->Header.AceFlags & (OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE)) ==
                (OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE);
  }
  FreeSid(todos);
  LocalFree(descriptor);
  return puede;
}

class HerramientasWinTest : public ::testing::Test {
 protected:
  // The tool with its arguments, as the wizard starts it; its exit status.
  unsigned long SecurityFolder(const std::string& argumentos) {
    return pruebas::Ejecutar("\"" + Herramienta("evalora-securityfolder.exe") + "\" " + argumentos).estado;
  }
  pruebas::CarpetaTemporalWin carpeta;
  SistemaDeArchivosWin archivos;
};

TEST_F(HerramientasWinTest, SeguridadAbreLaCarpetaYDejaSuMarcador) {
  const std::string programa = carpeta.Ruta() + "\\Evalora 2020 Cloud";
  ASSERT_TRUE(archivos.CrearCarpeta(programa));
  const std::string marcador = programa + "\\LogEV.txt";
  EXPECT_EQ(SecurityFolder("\"Seguridad\" \"" + programa + "\" \"" + marcador + "\""), 0u);
  EXPECT_EQ(carpeta.Leer("Evalora 2020 Cloud\\LogEV.txt"), "Seguridad terminado");
  EXPECT_TRUE(TodosPuedenEscribir(programa));
  // A folder that is not there: no marker, the wizard's wait runs out.
  EXPECT_EQ(SecurityFolder("\"Seguridad\" \"" + carpeta.Ruta() + "\\no-existe\" \"" + carpeta.Ruta() +
                           "\\LogEV.txt\""),
            1u);
  EXPECT_FALSE(archivos.ExisteArchivo(carpeta.Ruta() + "\\LogEV.txt"));
  EXPECT_EQ(SecurityFolder("\"Seguridad\""), 2u);
}

TEST_F(HerramientasWinTest, ImpresoraPredeterminadaYPoliticas) {
  ImpresorasWinspool impresoras{CorreBajoWine()};
  const std::string marcador = carpeta.Ruta() + "\\LogEV.txt";
  EXPECT_EQ(SecurityFolder("\"ImpresoraPredeterminada\" \"\" \"" + marcador + "\""), 0u);
  EXPECT_EQ(carpeta.Leer("LogEV.txt"), impresoras.Predeterminada());
  EXPECT_EQ(SecurityFolder("\"RegistroPolicies\" \"Software\\Policies\\EvaloraHerramienta\" \"" + marcador + "\""), 0u);
  RegistroWin registro;
  EXPECT_EQ(registro.AbrirClave(kUsuarioActual, "Software\\Policies\\EvaloraHerramienta"), win::kExito);
  BorrarArbol(registro, kUsuarioActual, "Software\\Policies\\EvaloraHerramienta");
  EXPECT_NE(SecurityFolder("\"ImpresoraPredeterminar\" \"Impresora que no existe\" \"" + marcador + "2\""), 0u);
  EXPECT_FALSE(archivos.ExisteArchivo(marcador + "2"));
}

TEST_F(HerramientasWinTest, EVLogInAbiertoPorLaShellEscribeJuntoASi) {
  const std::string programa = carpeta.Ruta() + "\\EVLogIn.exe";
  ASSERT_TRUE(archivos.CopiarArchivo(Herramienta("evalora-evlogin.exe"), programa, false));
  ASSERT_TRUE(ShellWin().Abrir(programa, "/inicio demo", Verbo::kPredeterminado));
  // The program's own time: it runs apart.
  for (int i = 0; i < 400 && carpeta.Leer("EVLogIn.txt").find("demo") == std::string::npos; ++i) Sleep(50);
  const std::string escrito = carpeta.Leer("EVLogIn.txt");
  EXPECT_NE(escrito.find("Evalora se inició"), std::string::npos) << escrito;
  EXPECT_NE(escrito.find("/inicio demo"), std::string::npos) << escrito;
}

}  // namespace
}  // namespace evalora

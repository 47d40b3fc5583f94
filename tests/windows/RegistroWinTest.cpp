// The registry service of the Windows build, read back by Windows' own tool (reg.exe) as well.
#include "platform/windows/RegistroWin.h"

#include <gtest/gtest.h>

#include "ApoyoWin.h"

namespace evalora {
namespace {

constexpr const char* kClave = "Software\\EvaloraPrueba\\Registro";

class RegistroWinTest : public ::testing::Test {
 protected:
  void TearDown() override { BorrarArbol(registro, win::HKEY_CURRENT_USER, "Software\\EvaloraPrueba"); }
  std::string Consulta(const std::string& clave) {
    return pruebas::Ejecutar("reg.exe query \"HKCU\\" + clave + "\"").texto;
  }
  RegistroWin registro;
};

TEST_F(RegistroWinTest, CadaTipoDeValorVaYVuelve) {
  ASSERT_EQ(registro.EstablecerValor(win::HKEY_CURRENT_USER, kClave, "Texto", DatoDeTexto("Evalora")), win::kExito);
  ASSERT_EQ(registro.EstablecerValor(win::HKEY_CURRENT_USER, kClave, "Acentos", DatoDeTexto("Utilerías ñ")),
            win::kExito);
  ASSERT_EQ(registro.EstablecerValor(win::HKEY_CURRENT_USER, kClave, "Numero", DatoDeDword(0x1a)), win::kExito);
  ASSERT_EQ(registro.EstablecerValor(win::HKEY_CURRENT_USER, kClave, "Varios", DatoDeMultiTexto({"uno", "dos"})),
            win::kExito);
  ASSERT_EQ(registro.EstablecerValor(win::HKEY_CURRENT_USER, kClave, "", DatoDeTexto("predeterminado")), win::kExito);
  DatoDelRegistro dato;
  ASSERT_EQ(registro.ConsultarValor(win::HKEY_CURRENT_USER, kClave, "ACENTOS", dato), win::kExito);
  EXPECT_EQ(dato.tipo, win::REG_SZ);
  EXPECT_EQ(TextoDeDato(dato), "Utilerías ñ");
  ASSERT_EQ(registro.ConsultarValor(win::HKEY_CURRENT_USER, kClave, "Numero", dato), win::kExito);
  EXPECT_EQ(DwordDeDato(dato), 0x1au);
  ASSERT_EQ(registro.ConsultarValor(win::HKEY_CURRENT_USER, kClave, "Varios", dato), win::kExito);
  EXPECT_EQ(TextosDeDato(dato), (std::vector<std::string>{"uno", "dos"}));
  ASSERT_EQ(registro.ConsultarValor(win::HKEY_CURRENT_USER, kClave, "", dato), win::kExito);
  EXPECT_EQ(TextoDeDato(dato), "predeterminado");
  EXPECT_EQ(registro.ConsultarValor(win::HKEY_CURRENT_USER, kClave, "NoExiste", dato), win::kArchivoNoEncontrado);

  const std::string visto = Consulta(kClave);
  EXPECT_NE(visto.find("REG_SZ"), std::string::npos) << visto;
  EXPECT_NE(visto.find("Evalora"), std::string::npos) << visto;
  EXPECT_NE(visto.find("0x1a"), std::string::npos) << visto;
  EXPECT_NE(visto.find("REG_MULTI_SZ"), std::string::npos) << visto;
  EXPECT_NE(visto.find("predeterminado"), std::string::npos) << visto;
}

TEST_F(RegistroWinTest, ClavesEnumeradasInformadasYBorradas) {
  ASSERT_EQ(registro.CrearClave(win::HKEY_CURRENT_USER, std::string(kClave) + "\\Hija\\Nieta"), win::kExito);
  ASSERT_EQ(registro.CrearClave(win::HKEY_CURRENT_USER, std::string(kClave) + "\\Otra"), win::kExito);
  ASSERT_EQ(registro.EstablecerValor(win::HKEY_CURRENT_USER, kClave, "v", DatoDeDword(1)), win::kExito);
  InfoDeClave info;
  ASSERT_EQ(registro.ConsultarInfo(win::HKEY_CURRENT_USER, kClave, info), win::kExito);
  EXPECT_EQ(info.subclaves, 2u);
  EXPECT_EQ(info.valores, 1u);
  std::vector<std::string> hijas;
  std::string nombre;
  for (uint32_t i = 0; registro.EnumerarSubclave(win::HKEY_CURRENT_USER, kClave, i, nombre) == win::kExito; ++i) {
    hijas.push_back(nombre);
  }
  EXPECT_EQ(hijas, (std::vector<std::string>{"Hija", "Otra"}));
  EXPECT_EQ(registro.EnumerarSubclave(win::HKEY_CURRENT_USER, kClave, 2, nombre), win::kNoHayMasElementos);
  DatoDelRegistro dato;
  ASSERT_EQ(registro.EnumerarValor(win::HKEY_CURRENT_USER, kClave, 0, nombre, dato), win::kExito);
  EXPECT_EQ(nombre, "v");
  EXPECT_EQ(DwordDeDato(dato), 1u);

  // A key with subkeys stays; deleting the tree takes it all.
  EXPECT_EQ(registro.BorrarClave(win::HKEY_CURRENT_USER, std::string(kClave) + "\\Hija"), win::kAccesoDenegado);
  EXPECT_EQ(registro.AbrirClave(win::HKEY_CURRENT_USER, std::string(kClave) + "\\Hija\\Nieta"), win::kExito);
  EXPECT_EQ(registro.BorrarValor(win::HKEY_CURRENT_USER, kClave, "v"), win::kExito);
  EXPECT_EQ(registro.BorrarValor(win::HKEY_CURRENT_USER, kClave, "v"), win::kArchivoNoEncontrado);
  EXPECT_EQ(BorrarArbol(registro, win::HKEY_CURRENT_USER, kClave), win::kExito);
  EXPECT_EQ(registro.AbrirClave(win::HKEY_CURRENT_USER, kClave), win::kArchivoNoEncontrado);
  EXPECT_NE(pruebas::Ejecutar("reg.exe query \"HKCU\\" + std::string(kClave) + "\"").estado, 0u);
}

TEST_F(RegistroWinTest, LasClavesDeLaMaquinaSonLasQueWindowsMuestra) {
  // The machine's own keys, in the view Windows' tools show.
  EXPECT_EQ(registro.AbrirClave(win::HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\Print"), win::kExito);
  ASSERT_EQ(registro.EstablecerValor(win::HKEY_LOCAL_MACHINE, "Software\\EvaloraPrueba", "Maquina", DatoDeDword(7)),
            win::kExito);
  const std::string visto = pruebas::Ejecutar("reg.exe query \"HKLM\\Software\\EvaloraPrueba\"").texto;
  EXPECT_NE(visto.find("0x7"), std::string::npos) << visto;
  EXPECT_EQ(BorrarArbol(registro, win::HKEY_LOCAL_MACHINE, "Software\\EvaloraPrueba"), win::kExito);
}

}  // namespace
}  // namespace evalora

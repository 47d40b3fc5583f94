#include "winsupport/cQueryReg.h"

#include <gtest/gtest.h>

#include "apoyo/PrefijoTemporal.h"
#include "platform/fakes/Falsos.h"
#include "platform/linux/EntornoLinux.h"
#include "platform/linux/RegistroWine.h"

namespace evalora {
namespace {

constexpr const char* kSistema =
    "WINE REGISTRY Version 2\n"
    ";; All keys relative to \\\\Machine\n"
    "\n"
    "#arch=win64\n"
    "\n"
    "[Software\\\\Classes\\\\Evalora.Documento] 1700000000\n"
    "@=\"Documento de Evalora\"\n"
    "\n"
    "[Software\\\\Classes\\\\Evalora.Documento\\\\CLSID] 1700000000\n"
    "@=\"{11111111-2222-3333-4444-555555555555}\"\n"
    "\n"
    "[Software\\\\Classes\\\\CLSID\\\\{11111111-2222-3333-4444-555555555555}\\\\TypeLib] 1700000000\n"
    "@=\"{AAAAAAAA-0000-0000-0000-000000000000}\"\n"
    "\n"
    "[Software\\\\Microsoft\\\\Windows NT\\\\CurrentVersion] 1700000000\n"
    "\"Binario\"=hex:0a,ff\n"
    "\"CSDVersion\"=\"Service Pack 2\"\n"
    "\"Expandible\"=str(2):\"%SystemRoot%\\\\Fonts\"\n"
    "\"Lista\"=str(7):\"a\\0b\\0\"\n"
    "\"ListaVacia\"=hex(7):00,00\n"
    "\"Negativo\"=dword:ffffffff\n"
    "\"Numero\"=dword:0000001a\n"
    "\"ProductName\"=\"Windows Vista (TM) Business\"\n"
    "\"Qword\"=hex(b):01,00,00,00,00,00,00,00\n"
    "\"Vacio\"=\"\"\n";

constexpr const char* kUsuario =
    "WINE REGISTRY Version 2\n"
    ";; All keys relative to \\\\User\\\\S-1-5-21-0-0-0-1000\n"
    "\n"
    "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Explorer\\\\Shell Folders] 1700000000\n"
    "\"Desktop\"=\"C:\\\\users\\\\alumno\\\\Desktop\"\n"
    "\"Programs\"=\"C:\\\\users\\\\alumno\\\\AppData\\\\Roaming\\\\Microsoft\\\\Windows\\\\Start Menu\\\\Programs\"\n";

class cQueryRegTest : public ::testing::Test {
 protected:
  void SetUp() override {
    prefijo.Escribir("system.reg", kSistema);
    prefijo.Escribir("user.reg", kUsuario);
  }
  pruebas::PrefijoTemporal prefijo;
  RegistroWine registro{prefijo.Raiz()};
  falsos::UsuarioFijo usuario{"maestra"};
  EntornoLinux entorno{{"windir=C:\\windows"}, "maestra"};
  cQueryReg reg{registro, usuario, entorno};
};

constexpr const char* kVersion = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";

std::string Texto(const Variante& v) {
  const auto* t = std::get_if<std::string>(&v);
  return t ? *t : "<no es texto>";
}

TEST_F(cQueryRegTest, LeeElProductoDeWindows) {
  EXPECT_EQ(Texto(reg.GetReg(kVersion, "ProductName", win::HKEY_LOCAL_MACHINE)), "Windows Vista (TM) Business");
  EXPECT_EQ(Texto(reg.GetReg(kVersion, "CSDVersion", win::HKEY_LOCAL_MACHINE)), "Service Pack 2");
  // The short prefix with a trailing "\" and no root argument names the same key.
  EXPECT_EQ(Texto(reg.GetReg(std::string("HKLM\\") + kVersion + "\\", "ProductName")), "Windows Vista (TM) Business");
  EXPECT_EQ(Texto(reg.GetReg(std::string("  HKEY_LOCAL_MACHINE\\") + kVersion + "  ", "ProductName")),
            "Windows Vista (TM) Business");
}

TEST_F(cQueryRegTest, SinRaizSeBuscaEnClassesRoot) {
  EXPECT_EQ(Texto(reg.GetReg("Evalora.Documento")), "Documento de Evalora");
  EXPECT_EQ(Texto(reg.GetReg("Evalora.Documento", "", 0x1234)), "Documento de Evalora");  // not a root handle
  EXPECT_TRUE(std::holds_alternative<std::monostate>(reg.GetReg(kVersion, "ProductName")));
  EXPECT_EQ(Texto(reg.GetReg("HKEY_NADA\\Evalora.Documento")), "Documento de Evalora");  // unknown root name
}

TEST_F(cQueryRegTest, ConversionesPorTipo) {
  const std::string clave = std::string("HKLM\\") + kVersion;
  EXPECT_EQ(Texto(reg.GetReg(clave, "Numero", 0, true)), "0x0000001A (26)");
  EXPECT_EQ(std::get<int32_t>(reg.GetReg(clave, "Numero")), 26);
  EXPECT_EQ(Texto(reg.GetReg(clave, "Negativo", 0, true)), "0xFFFFFFFF (-1)");
  EXPECT_EQ(std::get<int32_t>(reg.GetReg(clave, "Negativo")), -1);
  EXPECT_EQ(Texto(reg.GetReg(clave, "Binario", 0, true)), "0A FF ");
  EXPECT_EQ(std::get<std::vector<uint8_t>>(reg.GetReg(clave, "Binario")), (std::vector<uint8_t>{0x0A, 0xFF}));
  EXPECT_EQ(Texto(reg.GetReg(clave, "Lista")), "a b");
  EXPECT_EQ(Texto(reg.GetReg(clave, "ListaVacia")), "");
  EXPECT_EQ(Texto(reg.GetReg(clave, "Expandible")), "%SystemRoot%\\Fonts");  // not expanded
  EXPECT_EQ(Texto(reg.GetReg(clave, "Vacio")), "");
  EXPECT_TRUE(std::holds_alternative<std::monostate>(reg.GetReg(clave, "Qword")));
}

TEST_F(cQueryRegTest, LoQueFaltaDaVacio) {
  EXPECT_TRUE(std::holds_alternative<std::monostate>(reg.GetReg(std::string("HKLM\\") + kVersion, "NoExiste")));
  EXPECT_TRUE(std::holds_alternative<std::monostate>(reg.GetReg("HKLM\\Software\\NoExiste", "ProductName")));
  EXPECT_TRUE(std::holds_alternative<std::monostate>(reg.GetReg("HKPD\\Algo", "x")));
}

TEST_F(cQueryRegTest, ParseKey) {
  std::string clave = " HKCU\\Software\\Evalora\\ ";
  EXPECT_EQ(reg.ParseKey(clave), win::HKEY_CURRENT_USER);
  EXPECT_EQ(clave, "Software\\Evalora");
  clave = "HKEY_USERS";
  EXPECT_EQ(reg.ParseKey(clave), win::HKEY_USERS);
  EXPECT_EQ(clave, "");
  clave = "HKDD\\x";
  EXPECT_EQ(reg.ParseKey(clave), win::HKEY_DYN_DATA);
  clave = "Software\\x";
  EXPECT_EQ(reg.ParseKey(clave, win::HKEY_CURRENT_CONFIG), win::HKEY_CURRENT_CONFIG);
  EXPECT_EQ(clave, "Software\\x");
  clave = "Software\\x";
  EXPECT_EQ(reg.ParseKey(clave), win::HKEY_CLASSES_ROOT);
  // Only the one trailing "\" goes.
  clave = "HKLM\\a\\\\";
  EXPECT_EQ(reg.ParseKey(clave), win::HKEY_LOCAL_MACHINE);
  EXPECT_EQ(clave, "a\\");
}

TEST_F(cQueryRegTest, RTrimZero) {
  using namespace std::string_literals;
  EXPECT_EQ(cQueryReg::RTrimZero("abc\0def"s), "abc");
  EXPECT_EQ(cQueryReg::RTrimZero("abc"), "abc");
  EXPECT_EQ(cQueryReg::RTrimZero("a\0b\0c\0\0"s, true), "a b c ");
  EXPECT_EQ(cQueryReg::RTrimZero("a\0b"s, true), "a");
  EXPECT_EQ(cQueryReg::RTrimZero("ab", true), "ab");
}

TEST_F(cQueryRegTest, NombreDelUsuario) { EXPECT_EQ(reg.UserName(), "maestra"); }

TEST_F(cQueryRegTest, ClavesAbiertasPorIdentificador) {
  win::HKEY clave = 0;
  ASSERT_EQ(reg.OpenKeyQuery(win::HKEY_LOCAL_MACHINE, "Software\\Microsoft", clave), win::kExito);
  std::string nombre;
  ASSERT_EQ(reg.EnumKeyEx(clave, 0, nombre), win::kExito);
  EXPECT_EQ(nombre, "Windows NT");
  EXPECT_EQ(reg.EnumKeyEx(clave, 1, nombre), win::kNoHayMasElementos);
  win::HKEY hija = 0;
  ASSERT_EQ(reg.OpenKeyEx(clave, "Windows NT\\CurrentVersion", 0x20019, hija), win::kExito);
  InfoDeClave info;
  ASSERT_EQ(reg.QueryInfoKey(hija, info), win::kExito);
  EXPECT_EQ(info.valores, 10u);
  std::string dato;
  ASSERT_EQ(reg.EnumValueString(hija, 1, nombre, dato), win::kExito);
  EXPECT_EQ(nombre, "CSDVersion");
  EXPECT_EQ(dato, "Service Pack 2");
  DatoDelRegistro crudo;
  ASSERT_EQ(reg.EnumValue(hija, 0, nombre, crudo), win::kExito);
  EXPECT_EQ(crudo.tipo, win::REG_BINARY);
  EXPECT_EQ(reg.CloseKey(hija), win::kExito);
  EXPECT_EQ(reg.CloseKey(hija), win::kIdentificadorNoValido);
  EXPECT_EQ(reg.EnumKeyEx(hija, 0, nombre), win::kIdentificadorNoValido);
  EXPECT_EQ(reg.OpenKeyEx(clave, "NoExiste", 0x20019, hija), win::kArchivoNoEncontrado);
  EXPECT_EQ(reg.QueryRegBase("Evalora.Documento", win::HKEY_CLASSES_ROOT), "Documento de Evalora");
}

TEST_F(cQueryRegTest, ClasesCom) {
  EXPECT_EQ(reg.ClassCLSID("Evalora.Documento"), "{11111111-2222-3333-4444-555555555555}");
  EXPECT_EQ(reg.ClassTypeLib("Evalora.Documento"), "{AAAAAAAA-0000-0000-0000-000000000000}");
  EXPECT_EQ(reg.ClassCLSID("No.Existe"), "");
  EXPECT_EQ(reg.UnRegister("Evalora.Documento"), win::kExito);
  EXPECT_FALSE(reg.ExistKey("HKCR\\Evalora.Documento"));
  EXPECT_FALSE(reg.ExistKey("HKCR\\CLSID\\{11111111-2222-3333-4444-555555555555}"));
  EXPECT_TRUE(reg.ExistKey("SOFTWARE\\Microsoft"));  // HKLM by default
}

TEST_F(cQueryRegTest, EscribirYBorrar) {
  EXPECT_EQ(reg.SetReg("HKCU\\Software\\Evalora", "Texto", std::string("Utilerías")), win::kExito);
  EXPECT_EQ(reg.SetReg("HKCU\\Software\\Evalora", "Numero", std::string("26"), 0, win::REG_DWORD), win::kExito);
  EXPECT_EQ(reg.SetReg("HKCU\\Software\\Evalora", "Lista", std::string("a\0b", 3), 0, win::REG_MULTI_SZ), win::kExito);
  EXPECT_EQ(reg.SetReg("HKCU\\Software\\Evalora", "Bytes", std::vector<uint8_t>{1, 2}, 0, win::REG_BINARY),
            win::kExito);
  EXPECT_EQ(reg.SetReg("HKCU\\Software\\NoHay", "x", std::string("y"), 0, win::REG_SZ, false),
            win::kArchivoNoEncontrado);
  EXPECT_EQ(reg.SetReg("HKCU\\Software\\Evalora", "Malo", std::string("xx"), 0, win::REG_DWORD),
            win::kParametroNoValido);
  EXPECT_EQ(Texto(reg.GetReg("HKCU\\Software\\Evalora", "texto")), "Utilerías");
  EXPECT_EQ(reg.GetRegDWord("HKCU\\Software\\Evalora", "Numero"), 26);
  EXPECT_EQ(Texto(reg.GetReg("HKCU\\Software\\Evalora", "Lista")), "a b");
  EXPECT_EQ(reg.GetRegType("HKCU\\Software\\Evalora", "Bytes"), win::REG_BINARY);
  EXPECT_EQ(reg.GetRegBinary("HKCU\\Software\\Evalora", "Bytes"), (std::vector<uint8_t>{1, 2}));
  EXPECT_EQ(reg.GetRegString("HKCU\\Software\\Evalora", "Numero"), std::nullopt);
  EXPECT_EQ(reg.EnumValues("HKCU\\Software\\Evalora"), (std::vector<std::string>{"Bytes", "Lista", "Numero", "Texto"}));
  EXPECT_EQ(reg.EnumValuesByType("HKCU\\Software\\Evalora", win::REG_SZ), (std::vector<std::string>{"Texto"}));
  EXPECT_EQ(reg.CreateKey("HKCU\\Software\\Evalora\\Hija\\Nieta"), win::kExito);
  EXPECT_EQ(reg.EnumKeys("HKCU\\Software\\Evalora"), (std::vector<std::string>{"Hija"}));
  EXPECT_EQ(reg.DeleteKey("HKCU\\Software\\Evalora"), win::kAccesoDenegado);
  EXPECT_EQ(reg.DeleteValue("HKCU\\Software\\Evalora", "Texto"), win::kExito);
  win::HKEY software = 0;
  ASSERT_EQ(reg.OpenKeyEx(win::HKEY_CURRENT_USER, "Software", 0xF003F, software), win::kExito);
  EXPECT_EQ(reg.DeleteKeyNT(software, "Evalora"), win::kExito);
  EXPECT_FALSE(reg.ExistKey("HKCU\\Software\\Evalora"));
  EXPECT_TRUE(reg.ExistKey("HKCU\\Software\\Microsoft"));
}

TEST_F(cQueryRegTest, AsociacionesDeExtension) {
  ASSERT_EQ(reg.AsociarExt("evx", "Evalora.Examen", "Examen de Evalora"), win::kExito);
  ASSERT_EQ(reg.AsociarIcono("Evalora.Examen", "C:\\Evalora\\evicon.ico"), win::kExito);
  EXPECT_EQ(Texto(reg.GetReg(".evx")), "Evalora.Examen");
  EXPECT_EQ(Texto(reg.GetReg("HKLM\\Software\\Classes\\Evalora.Examen\\DefaultIcon")), "C:\\Evalora\\evicon.ico");
  EXPECT_EQ(reg.DesasociarExt(".evx"), win::kExito);
  EXPECT_FALSE(reg.ExistKey("HKCR\\.evx"));
}

TEST_F(cQueryRegTest, CarpetasDelShell) {
  const auto carpetas = reg.ShellFolders();
  EXPECT_EQ(carpetas.at("Desktop"), "C:\\users\\alumno\\Desktop");
  EXPECT_EQ(carpetas.at("WindowsDir"), "C:\\windows");
  EXPECT_EQ(carpetas.at("SystemDir"), "C:\\windows\\system32");
  EXPECT_EQ(reg.GetFolder("programs"), "C:\\users\\alumno\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs");
  EXPECT_EQ(reg.GetFolder("NoExiste"), "");
}

TEST_F(cQueryRegTest, GuardarUnaClaveComoArchivoReg) {
  std::string texto;
  ASSERT_EQ(reg.RegSaveKey("HKCR\\Evalora.Documento", texto), win::kExito);
  EXPECT_EQ(texto,
            "Windows Registry Editor Version 5.00\r\n"
            "\r\n[HKEY_CLASSES_ROOT\\Evalora.Documento]\r\n"
            "@=\"Documento de Evalora\"\r\n"
            "\r\n[HKEY_CLASSES_ROOT\\Evalora.Documento\\CLSID]\r\n"
            "@=\"{11111111-2222-3333-4444-555555555555}\"\r\n"
            "\r\n");
  EXPECT_EQ(reg.RegSaveKey("HKCR\\No.Existe", texto), win::kArchivoNoEncontrado);
}

}  // namespace
}  // namespace evalora

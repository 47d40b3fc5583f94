// The registry tool and the executables, run as the support staff and the user run them.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>

#include "apoyo/PrefijoTemporal.h"
#include "core/Unicode.h"
#include "platform/linux/RegistroWine.h"

namespace evalora {
namespace {

struct Salida {
  int estado = -1;
  std::string texto;  // standard output and error
};

Salida Ejecutar(const std::string& orden, const std::string& entrada = "") {
  const std::string completa = "printf '%s' '" + entrada + "' | " + orden + " 2>&1";
  Salida salida;
  FILE* tubo = ::popen(completa.c_str(), "r");
  std::array<char, 4096> bloque{};
  size_t n = 0;
  while ((n = std::fread(bloque.data(), 1, bloque.size(), tubo)) > 0) salida.texto.append(bloque.data(), n);
  const int estado = ::pclose(tubo);
  salida.estado = WIFEXITED(estado) ? WEXITSTATUS(estado) : -1;
  return salida;
}

class EvaloraRegTest : public ::testing::Test {
 protected:
  Salida Reg(const std::string& argumentos, const std::string& entrada = "") {
    return Ejecutar("EVALORA_PREFIJO='" + prefijo.Raiz().string() + "' " + EVALORA_REG + " " + argumentos, entrada);
  }
  pruebas::PrefijoTemporal prefijo;
};

TEST_F(EvaloraRegTest, AgregarYConsultar) {
  EXPECT_EQ(Reg(R"(add "HKLM\Software\Evalora" /v Carpeta /d "C:\Program Files\Evalora 2020 Cloud" /f)").estado, 0);
  EXPECT_EQ(Reg(R"(add "HKLM\Software\Evalora" /v Numero /t REG_DWORD /d 0x1a /f)").estado, 0);
  EXPECT_EQ(Reg(R"(add "HKLM\Software\Evalora" /v Lista /t REG_MULTI_SZ /d "a|b" /s "|" /f)").estado, 0);
  EXPECT_EQ(Reg(R"(add "HKLM\Software\Evalora" /ve /t REG_BINARY /d 0aff /f)").estado, 0);
  EXPECT_EQ(Reg(R"(add "HKLM\Software\Evalora\Hija")").estado, 0);
  const Salida consulta = Reg(R"(query "hklm\software\evalora")");
  EXPECT_EQ(consulta.estado, 0);
  EXPECT_NE(consulta.texto.find("    Carpeta    REG_SZ    C:\\Program Files\\Evalora 2020 Cloud\n"), std::string::npos)
      << consulta.texto;
  EXPECT_NE(consulta.texto.find("    Numero    REG_DWORD    0x1a\n"), std::string::npos);
  EXPECT_NE(consulta.texto.find("    Lista    REG_MULTI_SZ    a\\0b\n"), std::string::npos);
  EXPECT_NE(consulta.texto.find("    (Predeterminado)    REG_BINARY    0AFF\n"), std::string::npos);
  EXPECT_NE(consulta.texto.find("HKEY_LOCAL_MACHINE\\software\\evalora\\Hija\n"), std::string::npos);
  // What the tool wrote is what the wizard's registry reads.
  RegistroWine registro(prefijo.Raiz());
  DatoDelRegistro dato;
  ASSERT_EQ(registro.ConsultarValor(win::HKEY_LOCAL_MACHINE, "Software\\Evalora", "Numero", dato), win::kExito);
  EXPECT_EQ(DwordDeDato(dato), 26u);
  const Salida uno = Reg(R"(query "HKLM\Software\Evalora" /v numero)");
  EXPECT_EQ(uno.estado, 0);
  EXPECT_EQ(uno.texto, "\nHKEY_LOCAL_MACHINE\\Software\\Evalora\n    numero    REG_DWORD    0x1a\n\n");
}

TEST_F(EvaloraRegTest, TiposSinNombreEnHexadecimal) {
  prefijo.Escribir("system.reg", "WINE REGISTRY Version 2\n\n[Software\\\\Raros] 1\n\"Dieciseis\"=hex(10):01,02\n");
  const Salida consulta = Reg(R"(query "HKLM\Software\Raros")");
  EXPECT_EQ(consulta.estado, 0);
  EXPECT_NE(consulta.texto.find("    Dieciseis    0x10    "), std::string::npos) << consulta.texto;
}

TEST_F(EvaloraRegTest, ConsultaRecursiva) {
  Reg(R"(add "HKCU\Software\A\B" /v x /d 1 /f)");
  Reg(R"(add "HKCU\Software\A" /v y /d 2 /f)");
  const Salida s = Reg(R"(query "HKCU\Software\A" /s)");
  EXPECT_EQ(s.texto,
            "\nHKEY_CURRENT_USER\\Software\\A\n    y    REG_SZ    2\n"
            "\nHKEY_CURRENT_USER\\Software\\A\\B\n    x    REG_SZ    1\n\n");
}

TEST_F(EvaloraRegTest, ErroresClaros) {
  Salida s = Reg(R"(query "HKLM\Software\NoExiste")");
  EXPECT_EQ(s.estado, 1);
  EXPECT_NE(s.texto.find("no pudo encontrar la clave"), std::string::npos);
  s = Reg(R"(query "HKXX\Software")");
  EXPECT_EQ(s.estado, 1);
  EXPECT_NE(s.texto.find("Clave no válida"), std::string::npos);
  s = Reg("inventa HKLM");
  EXPECT_EQ(s.estado, 1);
  EXPECT_NE(s.texto.find("Sintaxis no válida"), std::string::npos);
  s = Reg(R"(add "HKLM\Software\Evalora" /v N /t REG_DWORD /d doce /f)");
  EXPECT_EQ(s.estado, 1);
  EXPECT_NE(s.texto.find("no válidos"), std::string::npos);
  s = Reg("");
  EXPECT_EQ(s.estado, 1);
}

TEST_F(EvaloraRegTest, PreguntaAntesDeSobrescribirYBorrar) {
  Reg(R"(add "HKCU\Software\Evalora" /v Dato /d uno /f)");
  Salida s = Reg(R"(add "HKCU\Software\Evalora" /v Dato /d dos)", "no\n");
  EXPECT_EQ(s.estado, 1);
  EXPECT_NE(Reg(R"(query "HKCU\Software\Evalora" /v Dato)").texto.find("uno"), std::string::npos);
  s = Reg(R"(add "HKCU\Software\Evalora" /v Dato /d dos)", "sí\n");
  EXPECT_EQ(s.estado, 0);
  EXPECT_NE(Reg(R"(query "HKCU\Software\Evalora" /v Dato)").texto.find("dos"), std::string::npos);
  // Without an answer nothing is deleted.
  EXPECT_EQ(Reg(R"(delete "HKCU\Software\Evalora")").estado, 1);
  EXPECT_EQ(Reg(R"(query "HKCU\Software\Evalora")").estado, 0);
  EXPECT_EQ(Reg(R"(delete "HKCU\Software\Evalora" /v Dato /f)").estado, 0);
  EXPECT_EQ(Reg(R"(query "HKCU\Software\Evalora" /v Dato)").estado, 1);
  Reg(R"(add "HKCU\Software\Evalora\Hija\Nieta" /v z /d 1 /f)");
  Reg(R"(add "HKCU\Software\Evalora" /v a /d 1 /f)");
  EXPECT_EQ(Reg(R"(delete "HKCU\Software\Evalora" /va /f)").estado, 0);
  EXPECT_EQ(Reg(R"(query "HKCU\Software\Evalora\Hija\Nieta" /v z)").estado, 0);
  EXPECT_EQ(Reg(R"(delete "HKCU\Software\Evalora" /f)").estado, 0);
  EXPECT_EQ(Reg(R"(query "HKCU\Software\Evalora")").estado, 1);
  // A whole root is never deleted.
  const Salida raiz = Reg("delete HKCU /f");
  EXPECT_EQ(raiz.estado, 1);
  EXPECT_NE(raiz.texto.find("No se puede borrar una raíz"), std::string::npos);
  EXPECT_EQ(Reg(R"(query "HKCU\Software\Evalora\Hija\Nieta" /v z)").estado, 1);
  EXPECT_EQ(Reg(R"(query "HKCU\Software")").estado, 0);
}

TEST_F(EvaloraRegTest, ExportaComoElEditorDelSistema) {
  Reg(R"(add "HKLM\Software\Evalora" /v Carpeta /d "Utilerías" /f)");
  const auto archivo = prefijo.Raiz() / "evalora.reg";
  ASSERT_EQ(Reg("export \"HKLM\\Software\\Evalora\" '" + archivo.string() + "'").estado, 0);
  const std::string bytes = prefijo.Leer("evalora.reg");
  ASSERT_GE(bytes.size(), 2u);
  EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 0xFF);
  EXPECT_EQ(static_cast<unsigned char>(bytes[1]), 0xFE);
  const std::string texto = Utf16AUtf8(BytesAUtf16(std::vector<uint8_t>(bytes.begin() + 2, bytes.end())));
  EXPECT_EQ(texto,
            "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Evalora]\r\n"
            "\"Carpeta\"=\"Utilerías\"\r\n\r\n");
  EXPECT_EQ(Reg("export \"HKLM\\Software\\Evalora\" '" + archivo.string() + "'", "n\n").estado, 1);
  EXPECT_EQ(Reg("export \"HKLM\\Software\\Evalora\" '" + archivo.string() + "' /y").estado, 0);
}

TEST(Ejecutables, CadaUnoAbreSuVentanaYEsperaAlUsuario) {
  // The product's own composition (this machine's services, Qt's message boxes and folder
  // dialog) started as a user starts it, without Internet: it opens its window on the notice
  // step and waits there until it is closed; here the time limit ends it (status 124).
  const std::string v = EVALORA_VERSION_PRODUCTO;
  pruebas::PrefijoTemporal prefijo;
  const std::string entorno = "QT_QPA_PLATFORM=offscreen EVALORA_SITIO_WEB=http://127.0.0.1:1/ EVALORA_PREFIJO='" +
                              prefijo.Raiz().string() + "' ";
  std::string orden;
  for (const std::string& nombre : {"AsistenteDeInstalacionEvalora" + v + "Cloud", "AsistenteLanzadoresEvalora" + v}) {
    orden += "(" + entorno + "timeout 2 " + EVALORA_BIN + "/" + nombre + " >/dev/null 2>&1; echo " + nombre + " $?) & ";
  }
  const Salida s = Ejecutar("{ " + orden + "wait; }");
  EXPECT_NE(s.texto.find("AsistenteDeInstalacionEvalora" + v + "Cloud 124"), std::string::npos) << s.texto;
  EXPECT_NE(s.texto.find("AsistenteLanzadoresEvalora" + v + " 124"), std::string::npos) << s.texto;
  // The prefix it was given is ready as a machine's drive C.
  EXPECT_TRUE(std::filesystem::is_directory(prefijo.Raiz() / "drive_c"));
}

TEST(HerramientaDePermisos, AbreElArbolSinSeguirEnlaces) {
  namespace fs = std::filesystem;
  pruebas::PrefijoTemporal prefijo;
  pruebas::PrefijoTemporal fuera;  // the rest of the machine
  fuera.Escribir("secreto", "clave");
  fuera.Escribir("privada/dato", "dato");
  fs::permissions(fuera.Raiz() / "secreto", fs::perms::owner_read | fs::perms::owner_write);
  fs::permissions(fuera.Raiz() / "privada/dato", fs::perms::owner_read | fs::perms::owner_write);
  fs::permissions(fuera.Raiz() / "privada", fs::perms::owner_all);
  prefijo.Escribir("drive_c/Evalora/Recursos/guia.pdf", "pdf");
  fs::permissions(prefijo.DriveC() / "Evalora/Recursos/guia.pdf", fs::perms::owner_read | fs::perms::owner_write);
  fs::create_symlink(fuera.Raiz() / "secreto", prefijo.DriveC() / "Evalora/enlace");
  fs::create_directory_symlink(fuera.Raiz() / "privada", prefijo.DriveC() / "Evalora/Recursos/carpeta-enlace");
  fs::create_directory_symlink(fuera.Raiz() / "privada", prefijo.DriveC() / "Enlazada");
  auto herramienta = [&](const std::string& carpeta) {
    return Ejecutar("EVALORA_PREFIJO='" + prefijo.Raiz().string() + "' " + EVALORA_SECURITYFOLDER + " Seguridad '" +
                    carpeta + "' '" + carpeta + "\\LogEV.txt'");
  };
  EXPECT_EQ(herramienta("C:\\Evalora").estado, 0);
  auto permisos = [](const fs::path& p) { return fs::symlink_status(p).permissions() & fs::perms::all; };
  const auto todos = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read | fs::perms::group_write |
                     fs::perms::others_read | fs::perms::others_write;
  EXPECT_EQ(permisos(prefijo.DriveC() / "Evalora/Recursos/guia.pdf"), todos);
  EXPECT_TRUE(fs::exists(prefijo.DriveC() / "Evalora/LogEV.txt"));
  // Nothing outside the tree changed through the links.
  EXPECT_EQ(permisos(fuera.Raiz() / "secreto"), fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(permisos(fuera.Raiz() / "privada/dato"), fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(permisos(fuera.Raiz() / "privada"), fs::perms::owner_all);
  // A folder that is itself a link: the job is not done (no marker, so the wizard's wait runs out).
  EXPECT_NE(herramienta("C:\\Enlazada").estado, 0);
  EXPECT_EQ(permisos(fuera.Raiz() / "privada"), fs::perms::owner_all);
  EXPECT_FALSE(fs::exists(fuera.Raiz() / "privada/LogEV.txt"));
}

TEST(Ejecutables, SinPrefijoPosibleLoDiceYNoSigue) {
  // A file where the prefix's folder should be: the message says why (here on its error output;
  // the user sees it in a message box, whose wait the time limit ends) and no wizard runs.
  pruebas::PrefijoTemporal temporal;
  temporal.Escribir("no-es-carpeta", "x");
  const std::string orden = "QT_QPA_PLATFORM=offscreen EVALORA_PREFIJO='" + (temporal.Raiz() / "no-es-carpeta").string() +
                            "' timeout 2 " + EVALORA_BIN + "/AsistenteLanzadoresEvalora" + EVALORA_VERSION_PRODUCTO;
  const Salida s = Ejecutar(orden);
  EXPECT_NE(s.texto.find("No se pudo preparar el prefijo de Wine"), std::string::npos) << s.texto;
  EXPECT_NE(s.texto.find("hay un archivo donde debe haber una carpeta"), std::string::npos) << s.texto;
  EXPECT_NE(s.estado, 0);
}

}  // namespace
}  // namespace evalora

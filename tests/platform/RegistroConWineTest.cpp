// The registry of a prefix that Wine made, read back with Wine's own reg.exe: keys where Wine 8
// reads them, no change lost to a running Wine server, no damaged hive made worse.
#include <gtest/gtest.h>

#include <fstream>

#include "apoyo/PrefijoDeWine.h"
#include "platform/linux/ImpresorasRegistro.h"
#include "platform/linux/RegistroWine.h"

namespace evalora {
namespace {

using pruebas::PrefijoDeWine;

constexpr const char* kImpresoras = "System\\CurrentControlSet\\Control\\Print\\Printers";

std::string Consulta(const PrefijoDeWine& prefijo, const std::string& clave) {
  const auto s = prefijo.Wine({"reg", "query", clave});
  return s.estado == 0 ? s.texto : "(" + std::to_string(s.estado) + ") " + s.texto;
}

TEST(RegistroConWine, CurrentControlSetEsLaClaveQueWineLee) {
  PrefijoDeWine prefijo;
  ASSERT_TRUE(prefijo.Listo());
  RegistroWine registro(prefijo.Raiz());
  // Wine's own keys below CurrentControlSet are found…
  EXPECT_EQ(registro.AbrirClave(win::HKEY_LOCAL_MACHINE,
                                "System\\CurrentControlSet\\Control\\Session Manager\\Environment"),
            win::kExito);
  // …and what the wizard writes there is where Wine looks for it.
  ImpresorasRegistro impresoras(registro);
  ASSERT_TRUE(impresoras.AgregarPuerto("C:\\windows\\PrintingEV\\PrinterOut.txt"));
  Impresora evalora;
  evalora.nombre = "Evalora";
  evalora.puerto = "C:\\windows\\PrintingEV\\PrinterOut.txt";
  evalora.controlador = "MS Publisher Color Printer";
  evalora.procesador = "WinPrint";
  ASSERT_TRUE(impresoras.Agregar(evalora));
  const std::string impresora = Consulta(prefijo, std::string("HKLM\\") + kImpresoras + "\\Evalora");
  EXPECT_NE(impresora.find("C:\\windows\\PrintingEV\\PrinterOut.txt"), std::string::npos) << impresora;
  EXPECT_NE(impresora.find("MS Publisher Color Printer"), std::string::npos) << impresora;
  std::ifstream sistema(prefijo.Raiz() / "system.reg");
  const std::string texto((std::istreambuf_iterator<char>(sistema)), std::istreambuf_iterator<char>());
  EXPECT_EQ(texto.find("ControlSet001"), std::string::npos) << "a key Wine 8 never reads";
}

TEST(RegistroConWine, ConElServidorDeWineEnMarchaNadaSePierde) {
  PrefijoDeWine prefijo;
  ASSERT_TRUE(prefijo.Listo());
  RegistroWine registro(prefijo.Raiz());
  ASSERT_FALSE(registro.ServidorWineActivo());
  // A server that stays up, as while any Wine program runs in the prefix.
  ASSERT_TRUE(prefijo.ServidorEnMarcha());
  ASSERT_EQ(prefijo.Wine({"reg", "add", "HKCU\\Software\\Previo", "/v", "Borrame", "/d", "x", "/f"}).estado, 0);
  ASSERT_TRUE(registro.ServidorWineActivo());

  const std::string clave = "Software\\Evalora Pruebas";
  EXPECT_EQ(registro.EstablecerValor(win::HKEY_LOCAL_MACHINE, clave, "Versión", DatoDeTexto("2020 «ñ»")), win::kExito);
  EXPECT_EQ(registro.EstablecerValor(win::HKEY_LOCAL_MACHINE, clave, "Lista", DatoDeMultiTexto({"a", "b c"})),
            win::kExito);
  EXPECT_EQ(registro.EstablecerValor(win::HKEY_LOCAL_MACHINE, clave, "Líneas", DatoDeTexto("uno\r\ndos")),
            win::kExito);
  EXPECT_EQ(registro.EstablecerValor(win::HKEY_CURRENT_USER, "Software\\Policies\\Evalora", "", DatoDeDword(26)),
            win::kExito);
  EXPECT_EQ(registro.CrearClave(win::HKEY_LOCAL_MACHINE, clave + "\\Vacía"), win::kExito);
  EXPECT_EQ(registro.CrearClave(win::HKEY_LOCAL_MACHINE, clave + "\\Temporal"), win::kExito);
  EXPECT_EQ(registro.BorrarClave(win::HKEY_LOCAL_MACHINE, clave + "\\Temporal"), win::kExito);
  // What the running server holds is what this service reads meanwhile.
  DatoDelRegistro dato;
  ASSERT_EQ(registro.ConsultarValor(win::HKEY_LOCAL_MACHINE, clave, "versión", dato), win::kExito);
  EXPECT_EQ(TextoDeDato(dato), "2020 «ñ»");
  EXPECT_EQ(registro.AbrirClave(win::HKEY_LOCAL_MACHINE, clave + "\\Temporal"), win::kArchivoNoEncontrado);
  EXPECT_EQ(Consulta(prefijo, "HKLM\\" + clave + "\\Vacía").rfind("(", 0), std::string::npos);

  prefijo.TerminarWine();
  ASSERT_FALSE(registro.ServidorWineActivo());
  // After Wine has gone, its files hold every change: for Wine and for a new reader.
  const std::string valores = Consulta(prefijo, "HKLM\\" + clave);
  EXPECT_NE(valores.find("REG_MULTI_SZ"), std::string::npos) << valores;
  EXPECT_NE(valores.find("Vac"), std::string::npos) << valores;
  EXPECT_EQ(valores.find("Temporal"), std::string::npos) << valores;
  RegistroWine otro(prefijo.Raiz());
  ASSERT_EQ(otro.ConsultarValor(win::HKEY_LOCAL_MACHINE, clave, "Versión", dato), win::kExito);
  EXPECT_EQ(TextoDeDato(dato), "2020 «ñ»");
  ASSERT_EQ(otro.ConsultarValor(win::HKEY_LOCAL_MACHINE, clave, "Líneas", dato), win::kExito);
  EXPECT_EQ(TextoDeDato(dato), "uno\r\ndos");
  ASSERT_EQ(otro.ConsultarValor(win::HKEY_LOCAL_MACHINE, clave, "Lista", dato), win::kExito);
  EXPECT_EQ(TextosDeDato(dato), (std::vector<std::string>{"a", "b c"}));
  ASSERT_EQ(otro.ConsultarValor(win::HKEY_CURRENT_USER, "Software\\Policies\\Evalora", "", dato), win::kExito);
  EXPECT_EQ(DwordDeDato(dato), 26u);
  ASSERT_EQ(otro.ConsultarValor(win::HKEY_CURRENT_USER, "Software\\Previo", "Borrame", dato), win::kExito);

  // With the server up again, a value is deleted, and stays deleted.
  ASSERT_TRUE(prefijo.ServidorEnMarcha());
  EXPECT_EQ(otro.BorrarValor(win::HKEY_CURRENT_USER, "Software\\Previo", "Borrame"), win::kExito);
  prefijo.TerminarWine();
  EXPECT_EQ(Consulta(prefijo, "HKCU\\Software\\Previo").find("Borrame"), std::string::npos);
}

// What a Wine program writes while its server runs is in the server, not yet in the files: this
// service reads it through Wine (the .NET value that gates the installing kinds, a value changed
// and a key deleted by Wine's own reg.exe), and the file it will write later keeps Wine's lines.
TEST(RegistroConWine, ConElServidorEnMarchaSeLeeLoQueWineAunNoGuardo) {
  PrefijoDeWine prefijo;
  ASSERT_TRUE(prefijo.Listo());
  const std::string net = "HKLM\\SOFTWARE\\Microsoft\\NET Framework Setup\\NDP\\v2.0.50727";
  ASSERT_EQ(prefijo.Wine({"reg", "add", "HKCU\\Software\\Evalora", "/v", "Antes", "/d", "1", "/f"}).estado, 0);
  ASSERT_EQ(prefijo.Wine({"reg", "add", "HKCU\\Software\\Evalora\\Sobra", "/f"}).estado, 0);
  RegistroWine registro(prefijo.Raiz());
  DatoDelRegistro dato;
  ASSERT_EQ(registro.ConsultarValor(win::HKEY_CURRENT_USER, "Software\\Evalora", "Antes", dato), win::kExito);
  ASSERT_TRUE(prefijo.ServidorEnMarcha());
  ASSERT_EQ(prefijo.Wine({"reg", "add", net, "/v", "Install", "/t", "REG_DWORD", "/d", "1", "/f"}).estado, 0);
  ASSERT_EQ(prefijo.Wine({"reg", "add", "HKCU\\Software\\Evalora", "/v", "Antes", "/d", "2 «ñ»", "/f"}).estado, 0);
  ASSERT_EQ(prefijo.Wine({"reg", "delete", "HKCU\\Software\\Evalora\\Sobra", "/f"}).estado, 0);
  ASSERT_TRUE(registro.ServidorWineActivo());

  ASSERT_EQ(registro.ConsultarValor(win::HKEY_LOCAL_MACHINE, net.substr(5), "Install", dato), win::kExito);
  EXPECT_EQ(DwordDeDato(dato), 1u);
  ASSERT_EQ(registro.ConsultarValor(win::HKEY_CURRENT_USER, "Software\\Evalora", "Antes", dato), win::kExito);
  EXPECT_EQ(TextoDeDato(dato), "2 «ñ»");
  EXPECT_EQ(registro.AbrirClave(win::HKEY_CURRENT_USER, "Software\\Evalora\\Sobra"), win::kArchivoNoEncontrado);
  std::string subclave;
  EXPECT_EQ(registro.EnumerarSubclave(win::HKEY_CURRENT_USER, "Software\\Evalora", 0, subclave),
            win::kNoHayMasElementos);
  EXPECT_EQ(registro.AbrirClave(win::HKEY_LOCAL_MACHINE, "Software\\Evalora\\No existe"), win::kArchivoNoEncontrado);
  // The write Wine will leave behind in the files keeps its own lines; a reader after Wine sees them.
  prefijo.TerminarWine();
  RegistroWine otro(prefijo.Raiz());
  ASSERT_EQ(otro.ConsultarValor(win::HKEY_LOCAL_MACHINE, net.substr(5), "Install", dato), win::kExito);
  EXPECT_EQ(DwordDeDato(dato), 1u);
}

TEST(RegistroConWine, SinWineNoSeFingeElCambio) {
  PrefijoDeWine prefijo;
  ASSERT_TRUE(prefijo.Listo());
  RegistroWine sinWine(prefijo.Raiz(), std::nullopt);
  ASSERT_TRUE(prefijo.ServidorEnMarcha());
  EXPECT_EQ(sinWine.EstablecerValor(win::HKEY_LOCAL_MACHINE, "Software\\Evalora", "x", DatoDeDword(1)),
            win::kArchivoEnUso);
  EXPECT_NE(sinWine.MotivoDelUltimoError().find("wineserver -k"), std::string::npos);
  DatoDelRegistro dato;
  EXPECT_EQ(sinWine.ConsultarValor(win::HKEY_LOCAL_MACHINE, "Software\\Evalora", "x", dato), win::kArchivoNoEncontrado);
}

TEST(RegistroConWine, UnaColmenaDanadaNoEmpeora) {
  PrefijoDeWine prefijo;
  ASSERT_TRUE(prefijo.Listo());
  // The file ends in the middle of a value that says it goes on.
  {
    std::ofstream sistema(prefijo.Raiz() / "system.reg", std::ios::app);
    sistema << "\n[Software\\\\Roto] 1700000000\n\"x\"=hex:01,02,\\";
  }
  RegistroWine registro(prefijo.Raiz());
  // A key that sorts after every other one: its section goes right after the broken value.
  ASSERT_EQ(registro.EstablecerValor(win::HKEY_LOCAL_MACHINE, "Zeta", "Nuevo", DatoDeDword(7)), win::kExito);
  const std::string zeta = Consulta(prefijo, "HKLM\\Zeta");
  EXPECT_NE(zeta.find("Nuevo"), std::string::npos) << zeta;
  const std::string roto = Consulta(prefijo, "HKLM\\Software\\Roto");
  EXPECT_EQ(roto.find("Nuevo"), std::string::npos) << roto;
  EXPECT_NE(roto.find("0102"), std::string::npos) << roto;
}

}  // namespace
}  // namespace evalora

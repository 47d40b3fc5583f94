#include "platform/linux/ImpresorasRegistro.h"

#include <gtest/gtest.h>

#include "apoyo/PrefijoTemporal.h"
#include "platform/linux/RegistroWine.h"

namespace evalora {
namespace {

// A printer as Wine leaves it, with a subkey of its own, and a default printer.
constexpr const char* kSistema =
    "WINE REGISTRY Version 2\n\n#arch=win64\n\n"
    "[Software\\\\Microsoft\\\\Windows NT\\\\CurrentVersion\\\\Ports] 1\n"
    "\"C:\\\\viejo\\\\salida.txt\"=\"\"\n"
    "\"FILE:\"=\"\"\n"
    "\n"
    "[System\\\\CurrentControlSet\\\\Control\\\\Print\\\\Printers\\\\Evalora] 1\n"
    "\"Name\"=\"Evalora\"\n"
    "\"Port\"=\"C:\\\\viejo\\\\salida.txt\"\n"
    "\"Printer Driver\"=\"MS Publisher Color Printer\"\n"
    "\n"
    "[System\\\\CurrentControlSet\\\\Control\\\\Print\\\\Printers\\\\Evalora\\\\PrinterDriverData] 1\n"
    "\n"
    "[System\\\\CurrentControlSet\\\\Control\\\\Print\\\\Printers\\\\Oficina] 1\n"
    "\"Name\"=\"Oficina\"\n"
    "\"Port\"=\"FILE:\"\n"
    "\n";

constexpr const char* kUsuario =
    "WINE REGISTRY Version 2\n\n"
    "[Software\\\\Microsoft\\\\Windows NT\\\\CurrentVersion\\\\Windows] 1\n"
    "\"Device\"=\"Oficina,winspool,FILE:\"\n";

class ImpresorasTest : public ::testing::Test {
 protected:
  void SetUp() override {
    prefijo.Escribir("system.reg", kSistema);
    prefijo.Escribir("user.reg", kUsuario);
  }
  std::vector<std::string> Nombres() {
    std::vector<std::string> nombres;
    const auto lista = impresoras.Listar();
    for (const auto& i : lista.value()) nombres.push_back(i.nombre + "@" + i.puerto);
    return nombres;
  }
  pruebas::PrefijoTemporal prefijo;
  RegistroWine registro{prefijo.Raiz()};
  ImpresorasRegistro impresoras{registro};
};

TEST_F(ImpresorasTest, ListaYPredeterminada) {
  EXPECT_EQ(Nombres(), (std::vector<std::string>{"Evalora@C:\\viejo\\salida.txt", "Oficina@FILE:"}));
  EXPECT_EQ(*impresoras.ListarPuertos(), (std::vector<std::string>{"C:\\viejo\\salida.txt", "FILE:"}));
  EXPECT_EQ(impresoras.Predeterminada(), "Oficina");
}

TEST_F(ImpresorasTest, ReemplazarLaImpresoraConservaLaPredeterminada) {
  ASSERT_TRUE(impresoras.Borrar("Evalora"));  // with its subkey
  ASSERT_TRUE(impresoras.BorrarPuerto("C:\\viejo\\salida.txt"));
  const std::string puerto = "C:\\windows\\PrintingEV\\PrinterOut.txt";
  EXPECT_FALSE(impresoras.Agregar({"Evalora", puerto, "MS Publisher Color Printer", "WinPrint", "", 1}));  // no port
  ASSERT_TRUE(impresoras.AgregarPuerto(puerto));
  ASSERT_TRUE(impresoras.Agregar({"Evalora", puerto, "MS Publisher Color Printer", "WinPrint", "", 1}));
  EXPECT_FALSE(impresoras.Agregar({"Evalora", puerto, "MS Publisher Color Printer", "WinPrint", "", 1}));  // exists
  EXPECT_EQ(Nombres(), (std::vector<std::string>{"Evalora@" + puerto, "Oficina@FILE:"}));
  EXPECT_EQ(impresoras.Predeterminada(), "Oficina");
  // Where Windows keeps it.
  DatoDelRegistro dato;
  ASSERT_EQ(
      registro.ConsultarValor(win::HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\Print\\Printers\\Evalora",
                              "Print Processor", dato),
      win::kExito);
  EXPECT_EQ(TextoDeDato(dato), "WinPrint");
  ASSERT_EQ(registro.ConsultarValor(win::HKEY_CURRENT_USER, "Software\\Microsoft\\Windows NT\\CurrentVersion\\Devices",
                                    "Evalora", dato),
            win::kExito);
  EXPECT_EQ(TextoDeDato(dato), "winspool," + puerto);
  ASSERT_EQ(registro.ConsultarValor(win::HKEY_CURRENT_USER,
                                    "Software\\Microsoft\\Windows NT\\CurrentVersion\\PrinterPorts", "Evalora", dato),
            win::kExito);
  EXPECT_EQ(TextoDeDato(dato), "winspool," + puerto + ",15,45");
}

TEST_F(ImpresorasTest, CambiarLaPredeterminada) {
  ASSERT_TRUE(impresoras.EstablecerPredeterminada("evalora"));
  EXPECT_EQ(impresoras.Predeterminada(), "Evalora");
  DatoDelRegistro dato;
  registro.ConsultarValor(win::HKEY_CURRENT_USER, "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows", "Device",
                          dato);
  EXPECT_EQ(TextoDeDato(dato), "Evalora,winspool,C:\\viejo\\salida.txt");
  EXPECT_FALSE(impresoras.EstablecerPredeterminada("No existe"));
  // Deleting the default printer leaves none.
  ASSERT_TRUE(impresoras.Borrar("Evalora"));
  EXPECT_EQ(impresoras.Predeterminada(), "");
  EXPECT_FALSE(impresoras.Borrar("Evalora"));
}

TEST(Impresoras, PrefijoSinImpresoras) {
  pruebas::PrefijoTemporal prefijo;
  RegistroWine registro(prefijo.Raiz());
  ImpresorasRegistro impresoras(registro);
  ASSERT_TRUE(impresoras.Listar());
  EXPECT_TRUE(impresoras.Listar()->empty());
  EXPECT_TRUE(impresoras.ListarPuertos()->empty());
  EXPECT_EQ(impresoras.Predeterminada(), "");
  EXPECT_FALSE(impresoras.AgregarPuerto("  "));
}

}  // namespace
}  // namespace evalora

// The print spooler service, and the version resource of the eight executables as start-up reads it.
#include <gtest/gtest.h>

#include <algorithm>

#include "ApoyoWin.h"
#include "platform/windows/ImpresorasWinspool.h"
#include "platform/windows/InformacionDelEjecutableWin.h"
#include "platform/windows/RegistroWin.h"
#include "platform/windows/ShellWin.h"
#include "platform/windows/SistemaDeArchivosWin.h"
#include "startup/TiposDeAsistente.h"

namespace evalora {
namespace {

TEST(ImpresorasWinspool, PuertoDeArchivoImpresoraYPredeterminada) {
  ImpresorasWinspool impresoras{CorreBajoWine()};
  pruebas::CarpetaTemporalWin carpeta;
  const std::string puerto = carpeta.Ruta() + "\\Evalora.prn";
  const std::string antes = impresoras.Predeterminada();

  ASSERT_TRUE(impresoras.AgregarPuerto(puerto));
  const auto puertos = impresoras.ListarPuertos();
  ASSERT_TRUE(puertos.has_value());
  EXPECT_NE(std::find(puertos->begin(), puertos->end(), puerto), puertos->end());

  Impresora evalora;
  evalora.nombre = "Evalora Prueba";
  evalora.puerto = puerto;
  evalora.controlador = "MS Publisher Color Printer";
  evalora.descripcion = "Impresora de Evalora";
  ASSERT_TRUE(impresoras.Agregar(evalora));
  const auto lista = impresoras.Listar();
  ASSERT_TRUE(lista.has_value());
  const auto encontrada =
      std::find_if(lista->begin(), lista->end(), [](const Impresora& i) { return i.nombre == "Evalora Prueba"; });
  ASSERT_NE(encontrada, lista->end());
  EXPECT_EQ(encontrada->puerto, puerto);
  EXPECT_EQ(encontrada->controlador, "MS Publisher Color Printer");
  EXPECT_EQ(encontrada->procesador, "WinPrint");

  // Where Windows keeps it, read by its own tool.
  const std::string visto =
      pruebas::Ejecutar("reg.exe query \"HKLM\\System\\CurrentControlSet\\Control\\Print\\Printers\\Evalora Prueba\"")
          .texto;
  EXPECT_NE(visto.find("MS Publisher Color Printer"), std::string::npos) << visto;

  ASSERT_TRUE(impresoras.EstablecerPredeterminada("Evalora Prueba"));
  EXPECT_EQ(impresoras.Predeterminada(), "Evalora Prueba");
  if (!antes.empty()) {
    EXPECT_TRUE(impresoras.EstablecerPredeterminada(antes));
  }

  EXPECT_TRUE(impresoras.Borrar("Evalora Prueba"));
  EXPECT_FALSE(impresoras.Borrar("Evalora Prueba"));
  EXPECT_TRUE(impresoras.BorrarPuerto(puerto));
  const auto despues = impresoras.ListarPuertos();
  ASSERT_TRUE(despues.has_value());
  EXPECT_EQ(std::find(despues->begin(), despues->end(), puerto), despues->end());
}

// Off Wine (told so), a driver Windows does not have is not made from Wine's PostScript driver:
// the printer is refused, and no driver of that name is left.
TEST(ImpresorasWinspool, FueraDeWineNoSeTomaElControladorDeWine) {
  ASSERT_TRUE(CorreBajoWine());
  ImpresorasWinspool impresoras{false};
  pruebas::CarpetaTemporalWin carpeta;
  const std::string puerto = carpeta.Ruta() + "\\SinControlador.prn";
  ASSERT_TRUE(impresoras.AgregarPuerto(puerto));
  Impresora evalora;
  evalora.nombre = "Evalora Sin Controlador";
  evalora.puerto = puerto;
  evalora.controlador = "Evalora Controlador Ausente";
  EXPECT_FALSE(impresoras.Agregar(evalora));
  const std::string controladores =
      pruebas::Ejecutar("reg.exe query \"HKLM\\System\\CurrentControlSet\\Control\\Print\\Environments\" /s").texto;
  EXPECT_EQ(controladores.find("Evalora Controlador Ausente"), std::string::npos);
  EXPECT_TRUE(impresoras.BorrarPuerto(puerto));
  // Under Wine, as the production platform runs it there, the same printer is made.
  ImpresorasWinspool deWine{CorreBajoWine()};
  ASSERT_TRUE(deWine.AgregarPuerto(puerto));
  ASSERT_TRUE(deWine.Agregar(evalora));
  EXPECT_TRUE(deWine.Borrar(evalora.nombre));
  EXPECT_TRUE(deWine.BorrarPuerto(puerto));
}

TEST(VersionDelEjecutable, CadaAsistenteLeeSuTipoYSuVersionDeSuRecurso) {
  const std::string carpeta = pruebas::EnUnidadZ(EVALORA_BIN_WINDOWS);
  for (const FichaDeTipo& ficha : TiposDeAsistente()) {
    const auto tipo = static_cast<uint32_t>(ficha.numero);
    const std::string exe = carpeta + "\\" + NombreDelEjecutable(ficha, "2020") + ".exe";
    const VersionDelEjecutable version = InformacionDelEjecutableWin(exe).Version();
    EXPECT_EQ(version.Mayor, 2020u) << exe;
    EXPECT_EQ(version.Menor, tipo) << exe;
    EXPECT_EQ(version.Compilacion, 0u) << exe;
    EXPECT_EQ(version.Revision, static_cast<uint32_t>(EVALORA_REVISION)) << exe;
    EstadoDeEjecucion estado;
    EstablecerVersion(estado, version);
    EXPECT_EQ(estado.TipoDeAsistente, std::to_string(tipo));
    EXPECT_EQ(estado.VersionMayor, "2020");
    ASSERT_TRUE(TituloDelAsistente(estado).has_value());
  }
  // The running program's own file; a file without resource reads as nothing.
  EXPECT_EQ(InformacionDelEjecutableWin().Version().Mayor, 0u);
  EXPECT_EQ(InformacionDelEjecutableWin(carpeta + "\\no-existe.exe").Version().Mayor, 0u);
}

}  // namespace
}  // namespace evalora

namespace evalora {
namespace {

// What the services leave on the machine for tests/windows/comprobar-huellas.sh to read from
// outside, with Wine's own tools and lnkinfo, once this program has ended.
TEST(DejaHuella, RegistroAccesoDirectoEImpresora) {
  RegistroWin registro;
  ASSERT_EQ(registro.EstablecerValor(win::HKEY_CURRENT_USER, "Software\\Policies\\EvaloraHuella", "Utilerías",
                                     DatoDeTexto("C:\\Program Files\\Evalora 2020 Cloud\\Utilerías")),
            win::kExito);
  ASSERT_EQ(
      registro.EstablecerValor(win::HKEY_CURRENT_USER, "Software\\Policies\\EvaloraHuella", "Nivel", DatoDeDword(3)),
      win::kExito);
  SistemaDeArchivosWin archivos;
  archivos.CrearCarpeta("C:\\evalora-huella");
  AccesoDirecto acceso;
  acceso.destino = "C:\\evalora-huella\\EVLogIn.exe";
  acceso.argumentos = "/inicio";
  acceso.carpetaDeTrabajo = "C:\\evalora-huella";
  acceso.descripcion = "Evalora 2020 Cloud";
  ASSERT_TRUE(ShellWin().GuardarAccesoDirecto("C:\\evalora-huella\\Evalora 2020 Cloud.lnk", acceso));
  ImpresorasWinspool impresoras{CorreBajoWine()};
  ASSERT_TRUE(impresoras.AgregarPuerto("C:\\evalora-huella\\Evalora.prn"));
  Impresora impresora;
  impresora.nombre = "Evalora";
  impresora.puerto = "C:\\evalora-huella\\Evalora.prn";
  impresora.controlador = "MS Publisher Color Printer";
  ASSERT_TRUE(impresoras.Agregar(impresora));
}

}  // namespace
}  // namespace evalora

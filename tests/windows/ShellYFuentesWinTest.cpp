// The shell (special folders, shortcuts, openings) and the font table of the Windows build.
#include <gtest/gtest.h>

#include "platform/windows/FuentesGdi.h"
#include "platform/windows/RegistroWin.h"
#include "platform/windows/ShellWin.h"
#include "platform/windows/SistemaDeArchivosWin.h"

namespace {
// Taken before windows.h, whose macros bear the same name.
constexpr evalora::win::HKEY kMaquina = evalora::win::HKEY_LOCAL_MACHINE;
}  // namespace

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "ApoyoWin.h"
#include "platform/windows/TextoWin.h"

namespace evalora {
namespace {

TEST(ShellWin, CarpetasEspecialesQueExisten) {
  ShellWin shell;
  SistemaDeArchivosWin archivos;
  for (const int csidl : {kCsidlEscritorio, kCsidlProgramas, kCsidlMenuInicio, kCsidlFuentes, kCsidlEscritorioComun,
                          kCsidlProgramasComunes, kCsidlWindows, kCsidlDatosDeAplicacion}) {
    const std::string carpeta = shell.CarpetaEspecial(csidl);
    EXPECT_FALSE(carpeta.empty()) << csidl;
    EXPECT_TRUE(archivos.ExisteCarpeta(carpeta)) << carpeta;
  }
  EXPECT_EQ(shell.CarpetaEspecial(kCsidlFuentes), pruebas::Variable("windir") + "\\Fonts");
}

// What a shortcut file says, read back through the shell's own interface.
AccesoDirecto Leer(const std::string& archivoLnk) {
  AccesoDirecto acceso;
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  IShellLinkW* enlace = nullptr;
  IPersistFile* archivo = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                 reinterpret_cast<void**>(&enlace))) &&
      SUCCEEDED(enlace->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&archivo))) &&
      SUCCEEDED(archivo->Load(win32::Ancho(archivoLnk).c_str(), STGM_READ))) {
    wchar_t texto[1024];
    if (SUCCEEDED(enlace->GetPath(texto, 1024, nullptr, SLGP_RAWPATH))) acceso.destino = win32::Estrecho(texto);
    if (SUCCEEDED(enlace->GetArguments(texto, 1024))) acceso.argumentos = win32::Estrecho(texto);
    if (SUCCEEDED(enlace->GetWorkingDirectory(texto, 1024))) acceso.carpetaDeTrabajo = win32::Estrecho(texto);
    if (SUCCEEDED(enlace->GetDescription(texto, 1024))) acceso.descripcion = win32::Estrecho(texto);
    int indice = 0;
    if (SUCCEEDED(enlace->GetIconLocation(texto, 1024, &indice))) {
      acceso.icono = win32::Estrecho(texto);
      acceso.indiceDeIcono = indice;
    }
  }
  if (archivo) archivo->Release();
  if (enlace) enlace->Release();
  CoUninitialize();
  return acceso;
}

TEST(ShellWin, AccesoDirectoQueLaShellLee) {
  pruebas::CarpetaTemporalWin carpeta;
  carpeta.Escribir("EVLogIn.exe", "MZ");
  ShellWin shell;
  AccesoDirecto acceso;
  acceso.destino = carpeta.Ruta() + "\\EVLogIn.exe";
  acceso.argumentos = "/modo \"Evaluación en línea\"";
  acceso.carpetaDeTrabajo = carpeta.Ruta();
  acceso.icono = carpeta.Ruta() + "\\EVLogIn.exe";
  acceso.indiceDeIcono = 2;
  acceso.descripcion = "Iniciar sesión en Evalora";
  const std::string lnk = carpeta.Ruta() + "\\Evalora 2020 Cloud.lnk";
  ASSERT_TRUE(shell.GuardarAccesoDirecto(lnk, acceso));
  const AccesoDirecto leido = Leer(lnk);
  EXPECT_EQ(leido.destino, acceso.destino);
  EXPECT_EQ(leido.argumentos, acceso.argumentos);
  EXPECT_EQ(leido.carpetaDeTrabajo, acceso.carpetaDeTrabajo);
  EXPECT_EQ(leido.descripcion, acceso.descripcion);
  EXPECT_EQ(leido.icono, acceso.icono);
  EXPECT_EQ(leido.indiceDeIcono, 2);
  EXPECT_FALSE(shell.GuardarAccesoDirecto(carpeta.Ruta() + "\\no\\existe\\x.lnk", acceso));
}

TEST(ShellWin, AbrirUnProgramaYNadaQueNoExista) {
  pruebas::CarpetaTemporalWin carpeta;
  ShellWin shell;
  // cmd writes a file: the program ran with its arguments.
  const std::string marca = carpeta.Ruta() + "\\marca.txt";
  ASSERT_TRUE(shell.Abrir("cmd.exe", "/c echo hecho> \"" + marca + "\"", Verbo::kPredeterminado));
  // The program's own time: it runs apart, and writes its file when it gets to it.
  for (int i = 0; i < 400 && carpeta.Leer("marca.txt").find("hecho") == std::string::npos; ++i) Sleep(50);
  EXPECT_NE(carpeta.Leer("marca.txt").find("hecho"), std::string::npos);
  EXPECT_FALSE(shell.Abrir(carpeta.Ruta() + "\\no-existe.exe", "", Verbo::kPredeterminado));
}

std::string FuenteDePrueba(const pruebas::CarpetaTemporalWin& carpeta) {
  const std::string origen = pruebas::EnUnidadZ("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf");
  const std::string destino = carpeta.Ruta() + "\\DejaVuSans.ttf";
  SistemaDeArchivosWin().CopiarArchivo(origen, destino, true);
  return destino;
}

TEST(FuentesGdi, AgregarQuitarRegistrarYRecursoEscalable) {
  pruebas::CarpetaTemporalWin carpeta;
  const std::string fuente = FuenteDePrueba(carpeta);
  ASSERT_TRUE(SistemaDeArchivosWin().ExisteArchivo(fuente));
  RegistroWin registro;
  FuentesGdi fuentes(registro);
  EXPECT_EQ(fuentes.AgregarRecurso(fuente), 1);
  // (Wine 8 keeps a font it added for the whole session: taking it out is Windows' part only.)
  carpeta.Escribir("no-es-fuente.ttf", "esto no es una fuente");
  EXPECT_EQ(fuentes.AgregarRecurso(carpeta.Ruta() + "\\no-es-fuente.ttf"), 0);
  EXPECT_FALSE(fuentes.QuitarRecurso(carpeta.Ruta() + "\\no-es-fuente.ttf"));

  ASSERT_TRUE(fuentes.Registrar(fuente));
  DatoDelRegistro dato;
  ASSERT_EQ(registro.ConsultarValor(kMaquina, "Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts",
                                    "DejaVu Sans (TrueType)", dato),
            win::kExito);
  EXPECT_EQ(TextoDeDato(dato), fuente);  // outside the Fonts folder: the whole path
  registro.BorrarValor(kMaquina, "Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts",
                       "DejaVu Sans (TrueType)");

  const std::string fot = carpeta.Ruta() + "\\DejaVuSans.fot";
  EXPECT_TRUE(fuentes.CrearRecursoEscalable(fot, "DejaVuSans.ttf", carpeta.Ruta()));
  EXPECT_TRUE(SistemaDeArchivosWin().ExisteArchivo(fot));
  EXPECT_FALSE(fuentes.CrearRecursoEscalable(fot, "DejaVuSans.ttf", carpeta.Ruta()));  // it exists already
}

}  // namespace
}  // namespace evalora

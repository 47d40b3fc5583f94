// The registration file (an SQLCipher database) in the Windows build: the file the development
// content delivers, made on Linux with Debian's libsqlcipher, opens here; what this build writes is
// left for comprobar-registro.sh, which reads it on Linux with the sqlcipher tool.
#include "localdb/ArchivoDeRegistro.h"

#include <gtest/gtest.h>

#include "ApoyoWin.h"
#include "platform/windows/SistemaDeArchivosWin.h"

namespace evalora {
namespace {

constexpr const char* kClave = "kvd4848wqB";

TEST(ArchivoDeRegistroWin, ElArchivoDeLinuxSeAbreYLoEscritoVuelve) {
  const std::string contenido = pruebas::Variable("EVALORA_CONTENIDO");
  ASSERT_FALSE(contenido.empty()) << "sin servidor de desarrollo";
  const std::string deLinux = pruebas::EnUnidadZ(contenido) + "\\2020\\ServidorLocal\\EVDBMSLocal.evx";
  pruebas::CarpetaTemporalWin carpeta;
  SistemaDeArchivosWin archivos;
  const std::string copia = carpeta.Ruta() + "\\Servidor local ñ\\EVDBMSLocal.evx";
  ASSERT_TRUE(archivos.CrearCarpeta(carpeta.Ruta() + "\\Servidor local ñ"));
  ASSERT_TRUE(archivos.CopiarArchivo(deLinux, copia, false));

  std::string error;
  {
    ArchivoDeRegistro bd;
    EXPECT_FALSE(bd.Abrir(*archivos.RutaAnfitrion(copia), "otra clave", error));
    EXPECT_EQ(error, "No es una base de datos válida o la contraseña no es válida.");
  }
  {
    ArchivoDeRegistro bd;
    ASSERT_TRUE(bd.Abrir(*archivos.RutaAnfitrion(copia), kClave, error)) << error;
    const auto filas = bd.Consultar("SELECT ins_nom FROM TBL_INSTITUCION", error);
    ASSERT_TRUE(filas.has_value()) << error;
    ASSERT_EQ(filas->size(), 1u);
    EXPECT_EQ((*filas)[0][0], "Institución de ejemplo");
    ASSERT_TRUE(bd.Ejecutar("INSERT INTO TBL_BITACORA (bit_ins_ide, bit_usu_ide, bit_cpu_mac) "
                            "VALUES ('000000', 'escrito en Windows', 'Año ñandú')",
                            error))
        << error;
  }
  archivos.CrearCarpeta(pruebas::EnUnidadZ(contenido) + "\\pruebas-win");
  ASSERT_TRUE(archivos.CopiarArchivo(copia, pruebas::EnUnidadZ(contenido) + "\\pruebas-win\\escrito-en-windows.evx",
                                     true));
  ArchivoDeRegistro otra;
  EXPECT_FALSE(otra.Abrir(*archivos.RutaAnfitrion(carpeta.Ruta() + "\\no-existe.evx"), kClave, error));
  EXPECT_EQ(error, "No se encontró el archivo no-existe.evx");
}

}  // namespace
}  // namespace evalora

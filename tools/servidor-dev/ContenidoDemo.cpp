#include "ContenidoDemo.h"

#include <fstream>

#include "core/Texto.h"

namespace evalora::servidor {

namespace fs = std::filesystem;

bool PrepararContenido(Catalogo& catalogo, const fs::path& carpeta, std::string* error) {
  const Tabla filas = catalogo.Consultar("SELECT rowid, RutaServidor, Peso FROM Archivos ORDER BY rowid", {},
                                         {{"rowid", tds::TipoDeColumna::kTexto},
                                          {"RutaServidor", tds::TipoDeColumna::kTexto},
                                          {"Peso", tds::TipoDeColumna::kTexto}});
  const std::string marca = "${HTTP}/";
  for (const auto& fila : filas.filas) {
    const auto* ruta = std::get_if<std::string>(&fila[1]);
    const auto* peso = std::get_if<std::string>(&fila[2]);
    if (!ruta || ruta->rfind(marca, 0) != 0) continue;
    const fs::path archivo = carpeta / ruta->substr(marca.size());
    std::error_code e;
    if (fs::is_regular_file(archivo, e)) {
      catalogo.Modificar("UPDATE Archivos SET Peso = ? WHERE rowid = ?",
                         {std::to_string(fs::file_size(archivo, e)), std::get<std::string>(fila[0])});
      continue;
    }
    const auto tamano = peso ? ANumero(*peso) : std::nullopt;
    if (!tamano || *tamano < 0) continue;  // a size that is no number stays a test case
    fs::create_directories(archivo.parent_path(), e);
    std::ofstream salida(archivo, std::ios::binary);
    std::string bloque(1 << 16, '\0');
    for (uint64_t escrito = 0, total = static_cast<uint64_t>(*tamano); escrito < total;) {
      const size_t n = static_cast<size_t>(std::min<uint64_t>(bloque.size(), total - escrito));
      for (size_t i = 0; i < n; ++i) bloque[i] = ByteDeDemo(escrito + i);
      salida.write(bloque.data(), static_cast<std::streamsize>(n));
      escrito += n;
    }
    if (!salida) {
      if (error) *error = "no se pudo escribir " + archivo.string();
      return false;
    }
  }
  return true;
}

}  // namespace evalora::servidor

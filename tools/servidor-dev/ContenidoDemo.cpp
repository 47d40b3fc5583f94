#include "ContenidoDemo.h"

#include <sqlite3.h>

#include <cstdio>
#include <fstream>

#include "core/Texto.h"

namespace evalora::servidor {

namespace fs = std::filesystem;

namespace {

bool Recorrer(Catalogo& catalogo, const fs::path& carpeta, bool generar, std::string* error);

}  // namespace

bool PrepararContenido(Catalogo& catalogo, const fs::path& carpeta, std::string* error) {
  return Recorrer(catalogo, carpeta, true, error);
}

void ActualizarPesos(Catalogo& catalogo, const fs::path& carpeta) { Recorrer(catalogo, carpeta, false, nullptr); }

namespace {

bool Recorrer(Catalogo& catalogo, const fs::path& carpeta, bool generar, std::string* error) {
  const Tabla filas = catalogo.Consultar("SELECT rowid, RutaServidor, Peso FROM Archivos ORDER BY rowid", {},
                                         {{"rowid", tds::TipoDeColumna::kTexto},
                                          {"RutaServidor", tds::TipoDeColumna::kTexto},
                                          {"Peso", tds::TipoDeColumna::kTexto}});
  const std::string marca = "${HTTP}/";
  for (const auto& fila : filas.filas) {
    const auto* ruta = std::get_if<std::string>(&fila[1]);
    const auto* peso = std::get_if<std::string>(&fila[2]);
    if (!ruta || ruta->rfind(marca, 0) != 0) continue;
    const fs::path archivo = (carpeta / ruta->substr(marca.size())).lexically_normal();
    std::error_code e;
    // A row that points outside the content folder ("${HTTP}/../x") gets no file of ours.
    const fs::path relativa = archivo.lexically_relative(carpeta.lexically_normal());
    if (relativa.empty() || *relativa.begin() == "..") continue;
    if (fs::is_regular_file(archivo, e)) {
      catalogo.Modificar("UPDATE Archivos SET Peso = ? WHERE rowid = ?",
                         {std::to_string(fs::file_size(archivo, e)), std::get<std::string>(fila[0])});
      continue;
    }
    const auto tamano = peso ? ANumero(*peso) : std::nullopt;
    if (!generar || !tamano || *tamano < 0) continue;  // a size that is no number stays a test case
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

}  // namespace

const std::vector<ArchivoDelSistema>& ArchivosDelSistema() {
  static const std::vector<ArchivoDelSistema> archivos = {
      {"EVLogIn.exe", "EVLogIn.exe", 1048576},
      {"evicon.ico", "evicon.ico", 1150},
      {"Utilerias/SecurityFolder.exe", "Utilerías\\SecurityFolder.exe", 262144},
      {"Utilerias/DLLs/EvaloraComun.dll", "Utilerías\\DLLs\\EvaloraComun.dll", 131072},
      {"Utilerias/DLLs/EvaloraGraficos.ocx", "Utilerías\\DLLs\\EvaloraGraficos.ocx", 65536},
      {"Utilerias/DLLs/Flash9o.ocx", "Utilerías\\DLLs\\Flash9o.ocx", 98304},
      {"Utilerias/DLLs/DejaVuSans.ttf", "Utilerías\\DLLs\\DejaVuSans.ttf", 65536},
      {"Utilerias/DLLs/DejaVuSerif.ttf", "Utilerías\\DLLs\\DejaVuSerif.ttf", 65536},
      {"Utilerias/DLLs/Licencias.txt", "Utilerías\\DLLs\\Licencias.txt", 1024},
      {"BaseDeDatos/EVDBMS.mdb", "Base de datos\\EVDBMS.mdb", 65536},
      {"Fonts/Leame.txt", "Fonts\\Léame.txt", 512},
      {"Imagenes/fondo.bmp", "Imagenes\\fondo.bmp", 2048},
  };
  return archivos;
}

namespace {

// A valid 16 × 16 icon of 32 bits: a blue square with a white border.
std::string Icono() {
  std::string ico;
  auto u16 = [&](uint16_t v) { ico += static_cast<char>(v & 0xFF), ico += static_cast<char>(v >> 8); };
  auto u32 = [&](uint32_t v) { u16(static_cast<uint16_t>(v & 0xFFFF)), u16(static_cast<uint16_t>(v >> 16)); };
  const uint32_t tamano = 40 + 16 * 16 * 4 + 16 * 4;
  u16(0), u16(1), u16(1);                                  // icon directory, one image
  ico += '\x10', ico += '\x10', ico += '\0', ico += '\0';  // 16 × 16, no palette
  u16(1), u16(32), u32(tamano), u32(22);                   // planes, bits, size, offset
  u32(40), u32(16), u32(32), u16(1), u16(32), u32(0), u32(16 * 16 * 4), u32(0), u32(0), u32(0), u32(0);
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      const bool borde = x == 0 || y == 0 || x == 15 || y == 15;
      ico += static_cast<char>(borde ? 0xFF : 0x8E), ico += static_cast<char>(borde ? 0xFF : 0x4F);
      ico += static_cast<char>(borde ? 0xFF : 0x00), ico += static_cast<char>(0xFF);
    }
  }
  ico += std::string(16 * 4, '\0');  // the AND mask: everything shows
  return ico;
}

// The support document: a one-page PDF that says what it is about.
std::string DocumentoDeApoyo() {
  const std::string texto = "BT /F1 14 Tf 50 780 Td (Permitir control total a la carpeta Servidor Evalora Local) Tj ET";
  std::vector<std::string> objetos = {
      "<< /Type /Catalog /Pages 2 0 R >>",
      "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
      "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] /Contents 4 0 R /Resources << /Font << /F1 5 0 R >> >> >>",
      "<< /Length " + std::to_string(texto.size()) + " >>\nstream\n" + texto + "\nendstream",
      "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>",
  };
  std::string pdf = "%PDF-1.4\n";
  std::vector<size_t> posiciones;
  for (size_t i = 0; i < objetos.size(); ++i) {
    posiciones.push_back(pdf.size());
    pdf += std::to_string(i + 1) + " 0 obj\n" + objetos[i] + "\nendobj\n";
  }
  const size_t xref = pdf.size();
  pdf += "xref\n0 " + std::to_string(objetos.size() + 1) + "\n0000000000 65535 f \n";
  for (size_t p : posiciones) {
    char linea[32];
    std::snprintf(linea, sizeof linea, "%010zu 00000 n \n", p);
    pdf += linea;
  }
  pdf += "trailer\n<< /Size " + std::to_string(objetos.size() + 1) + " /Root 1 0 R >>\nstartxref\n" +
         std::to_string(xref) + "\n%%EOF\n";
  return pdf;
}

}  // namespace

void PonerProgramasDelSistema(const fs::path& carpeta, const fs::path& binarios) {
  // The programs of the build in `binarios`: the Windows build's (….exe) when it is that one.
  std::error_code e;
  auto programa = [&](const std::string& nombre) {
    const fs::path windows = binarios / (nombre + ".exe");
    return fs::is_regular_file(windows, e) ? windows : binarios / nombre;
  };
  const std::pair<fs::path, std::string> copias[] = {
      {programa("evalora-evlogin"), "EVLogIn.exe"},
      {programa("evalora-securityfolder"), "Utilerias/SecurityFolder.exe"},
      {"/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", "Utilerias/DLLs/DejaVuSans.ttf"},
      {"/usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf", "Utilerias/DLLs/DejaVuSerif.ttf"},
  };
  for (const std::string edicion : {"Cloud", "Local"}) {
    for (const std::string variante : {"01TE", "02GE"}) {
      const fs::path sistema = carpeta / "2020" / edicion / variante / "Sistema";
      fs::create_directories(sistema / "Utilerias" / "DLLs", e);
      for (const auto& [origen, destino] : copias) {
        if (fs::is_regular_file(origen, e))
          fs::copy_file(origen, sistema / destino, fs::copy_options::overwrite_existing, e);
      }
      std::ofstream(sistema / "evicon.ico", std::ios::binary) << Icono();
    }
  }
  // Stand-ins of the permission tool for tests: one that never answers, one that answers every
  // job but "RegistroPolicies" (its markers placed through the prefix's drive C). The Windows
  // build has them as programs; for the Linux build they are written here.
  const fs::path pruebas = carpeta / "2020" / "Pruebas";
  fs::create_directories(pruebas, e);
  const fs::path muda = binarios / "evalora-securityfolder-muda.exe";
  const fs::path sinPoliticas = binarios / "evalora-securityfolder-sin-politicas.exe";
  if (fs::is_regular_file(muda, e) && fs::is_regular_file(sinPoliticas, e)) {
    fs::copy_file(muda, pruebas / "SecurityFolderMudo.exe", fs::copy_options::overwrite_existing, e);
    fs::copy_file(sinPoliticas, pruebas / "SecurityFolderSinPoliticas.exe", fs::copy_options::overwrite_existing, e);
  } else {
    std::ofstream(pruebas / "SecurityFolderMudo.exe") << "#!/bin/sh\nexit 0\n";
    std::ofstream(pruebas / "SecurityFolderSinPoliticas.exe")
        << "#!/bin/sh\n"
           "[ \"$1\" = RegistroPolicies ] && exit 0\n"
           "prefijo=\"${EVALORA_PREFIJO:-${WINEPREFIX:-$HOME/.wine}}\"\n"
           "marcador=$(printf '%s' \"$3\" | sed -e \"s|^[Cc]:|$prefijo/drive_c|\" -e 's|\\\\|/|g')\n"
           "if [ \"$1\" = ImpresoraPredeterminada ]; then printf '' > \"$marcador\"; else printf ok > \"$marcador\"; "
           "fi\n";
  }
  fs::create_directories(carpeta / "2020" / "ServidorLocal", e);
  CrearArchivoDeRegistroDemo(carpeta / "2020" / "ServidorLocal" / "EVDBMSLocal.evx", "kvd4848wqB");
  std::ofstream(carpeta / "2020" / "ServidorLocal" / "Permitir.pdf", std::ios::binary) << DocumentoDeApoyo();
  // Stand-ins for tests: a registration file with another password, and one that already
  // belongs to an institution.
  CrearArchivoDeRegistroDemo(carpeta / "2020" / "Pruebas" / "EVDBMSLocalOtraClave.evx", "otra-clave");
  const fs::path conInstitucion = carpeta / "2020" / "Pruebas" / "EVDBMSLocalConInstitucion.evx";
  CrearArchivoDeRegistroDemo(conInstitucion, "kvd4848wqB");
  sqlite3* bd = nullptr;
  if (sqlite3_open(conInstitucion.c_str(), &bd) == SQLITE_OK) {
    sqlite3_key(bd, "kvd4848wqB", 10);
    sqlite3_exec(bd,
                 "INSERT INTO TBL_INSTITUCION (ins_ide, ins_nom, ins_mac) VALUES ('ESCUEL', 'Escuela', "
                 "'08-00-27-4E-5A-10');",
                 nullptr, nullptr, nullptr);
  }
  sqlite3_close(bd);
  fs::copy_file(binarios / "evalora-securityfolder", carpeta / "2020" / "ServidorLocal" / "SecurityFolder.exe",
                fs::copy_options::overwrite_existing, e);
}

bool CrearArchivoDeRegistroDemo(const fs::path& archivo, const std::string& clave) {
  std::error_code e;
  fs::remove(archivo, e);
  sqlite3* bd = nullptr;
  if (sqlite3_open(archivo.c_str(), &bd) != SQLITE_OK) return false;
  sqlite3_key(bd, clave.data(), static_cast<int>(clave.size()));
  const char* esquema = R"SQL(
CREATE TABLE TBL_INSTITUCION (ins_res, ins_ide, ins_nom, ins_hab, ins_rec, ins_mae, ins_est, ins_mac, ins_tip,
  ins_log, ins_cer, ins_web, ins_tel, ins_fec_alta, ins_fec_reg, ins_sta_reg, con_diag, con_eval, con_acre, ins_admin,
  ins_DiasDeVigenciaDeAlumnos, FechaDeUltimaSincronizacion, ins_del_aut);
CREATE TABLE TBL_PARAMETROS (CadenaDeConexion, Testo1, PerfilPlataforma, ActivarVerificacionDeUltimasVersiones);
CREATE TABLE TBL_COORDINADORES (usu_ins_ide, usu_ide, usu_per_ide, usu_ape, usu_nom, usu_cor, usu_usu, usu_con,
  usu_fec_alta, usu_seg, usu_hab, usu_sta_reg, usu_fec_rec, usu_aut, usu_cuestionario, usu_fechacuestionario,
  usu_numero_alumnos, usu_fechavigencia, cScreen);
CREATE TABLE TBL_ADMINISTRADORES (usu_ins_ide, usu_ide, usu_per_ide, usu_ape, usu_nom, usu_cor, usu_usu, usu_con,
  usu_seg, usu_hab, usu_sta_reg, usu_aut, usu_cuestionario, usu_FechaCuestionario, usu_FechaVigencia);
CREATE TABLE TBL_PROFESORES AS SELECT * FROM TBL_ADMINISTRADORES;
CREATE TABLE TBL_ALUMNOS AS SELECT * FROM TBL_ADMINISTRADORES;
CREATE TABLE TBL_BITACORA (bit_ins_ide, bit_usu_ide, bit_cpu_mac, bit_fec_ini, bit_fec_fin);
INSERT INTO TBL_INSTITUCION (ins_ide, ins_nom, ins_mac) VALUES ('000000', 'Institución de ejemplo', '00-00-00-00-00-00');
INSERT INTO TBL_PARAMETROS VALUES ('Zk47mPqe51', '', 'B', 1);
)SQL";
  const bool correcto = sqlite3_exec(bd, esquema, nullptr, nullptr, nullptr) == SQLITE_OK;
  sqlite3_close(bd);
  return correcto;
}

}  // namespace evalora::servidor

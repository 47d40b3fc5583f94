#include "platform/linux/UnidadesPrefijo.h"

#include <algorithm>
#include <fstream>
#include <sstream>

#include "core/Texto.h"

namespace evalora {

namespace fs = std::filesystem;

namespace {

// /proc/mounts writes blanks and other characters in paths as octal escapes ("\040").
std::string SinEscapesDeMontaje(const std::string& texto) {
  std::string salida;
  for (size_t i = 0; i < texto.size(); ++i) {
    if (texto[i] == '\\' && i + 3 < texto.size() && std::isdigit(static_cast<unsigned char>(texto[i + 1]))) {
      salida += static_cast<char>(std::stoi(texto.substr(i + 1, 3), nullptr, 8));
      i += 3;
    } else {
      salida += texto[i];
    }
  }
  return salida;
}

int TipoDeWine(const std::string& texto) {
  const std::string t = Minusculas(RecortarBlancos(texto));
  if (t == "hd") return kUnidadFija;
  if (t == "floppy") return kUnidadExtraible;
  if (t == "cdrom") return kUnidadCdRom;
  if (t == "network") return kUnidadDeRed;
  if (t == "ramdisk") return kUnidadRam;
  return -1;
}

// "/dev/sdb1" → "sdb", "/dev/nvme0n1p2" → "nvme0n1", "/dev/mmcblk0p1" → "mmcblk0".
std::string DiscoDelDispositivo(const std::string& dispositivo) {
  std::string nombre = fs::path(dispositivo).filename().string();
  const bool conP = nombre.rfind("nvme", 0) == 0 || nombre.rfind("mmcblk", 0) == 0 || nombre.rfind("loop", 0) == 0;
  if (conP) {
    const auto p = nombre.rfind('p');
    if (p != std::string::npos && p > 0 && std::isdigit(static_cast<unsigned char>(nombre[p - 1])) &&
        p + 1 < nombre.size()) {
      return nombre.substr(0, p);
    }
    return nombre;
  }
  while (!nombre.empty() && std::isdigit(static_cast<unsigned char>(nombre.back()))) nombre.pop_back();
  return nombre;
}

}  // namespace

UnidadesPrefijo::UnidadesPrefijo(fs::path prefijo, Registro& registro, fs::path montajes, fs::path bloques)
    : prefijo_(std::move(prefijo)), registro_(registro), montajes_(std::move(montajes)), bloques_(std::move(bloques)) {}

int UnidadesPrefijo::TipoPorMontaje(const fs::path& destino) const {
  std::ifstream montajes(montajes_);
  std::string linea;
  std::string mejorPunto, mejorTipo, mejorDispositivo;
  const std::string ruta = destino.string();
  while (std::getline(montajes, linea)) {
    std::istringstream campos(linea);
    std::string dispositivo, punto, tipo;
    if (!(campos >> dispositivo >> punto >> tipo)) continue;
    punto = SinEscapesDeMontaje(punto);
    const bool contiene = punto == "/" || ruta == punto || ruta.rfind(punto + "/", 0) == 0;
    if (contiene && punto.size() >= mejorPunto.size()) {
      mejorPunto = punto;
      mejorTipo = tipo;
      mejorDispositivo = dispositivo;
    }
  }
  if (mejorPunto.empty()) return kUnidadDesconocida;
  if (mejorTipo == "iso9660" || mejorTipo == "udf") return kUnidadCdRom;
  for (const char* red : {"nfs", "nfs4", "cifs", "smb3", "smbfs", "afs", "9p"}) {
    if (mejorTipo == red) return kUnidadDeRed;
  }
  if (mejorTipo.rfind("fuse.sshfs", 0) == 0) return kUnidadDeRed;
  if (mejorTipo == "tmpfs" || mejorTipo == "ramfs") return kUnidadRam;
  if (mejorDispositivo.rfind("/dev/", 0) == 0) {
    std::ifstream extraible(bloques_ / DiscoDelDispositivo(mejorDispositivo) / "removable");
    int valor = 0;
    if (extraible >> valor && valor == 1) return kUnidadExtraible;
  }
  return kUnidadFija;
}

std::vector<Unidad> UnidadesPrefijo::Listar() {
  std::vector<Unidad> unidades;
  std::error_code error;
  for (fs::directory_iterator it(prefijo_ / "dosdevices", error), fin; !error && it != fin; it.increment(error)) {
    const std::string nombre = it->path().filename().string();
    if (nombre.size() != 2 || nombre[1] != ':' || !std::isalpha(static_cast<unsigned char>(nombre[0]))) continue;
    std::error_code sinDestino;
    const fs::path destino = fs::canonical(it->path(), sinDestino);
    if (sinDestino || !fs::is_directory(destino, sinDestino)) continue;  // not ready
    Unidad unidad{std::string(1, static_cast<char>(std::toupper(static_cast<unsigned char>(nombre[0])))) + ":",
                  kUnidadDesconocida};
    DatoDelRegistro dato;
    const int deWine = registro_.ConsultarValor(win::HKEY_LOCAL_MACHINE, "Software\\Wine\\Drives", Minusculas(nombre),
                                                dato) == win::kExito
                           ? TipoDeWine(TextoDeDato(dato))
                           : -1;
    unidad.tipo = deWine >= 0 ? deWine : TipoPorMontaje(destino);
    unidades.push_back(unidad);
  }
  std::sort(unidades.begin(), unidades.end(), [](const Unidad& a, const Unidad& b) { return a.letra < b.letra; });
  return unidades;
}

}  // namespace evalora

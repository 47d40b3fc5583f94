#include "platform/linux/ImpresorasRegistro.h"

#include "core/Texto.h"

namespace evalora {

namespace {

constexpr const char* kImpresoras = "System\\CurrentControlSet\\Control\\Print\\Printers";
constexpr const char* kPuertos = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Ports";
constexpr const char* kDelUsuario = "Software\\Microsoft\\Windows NT\\CurrentVersion";

std::string Clave(const std::string& nombre) { return std::string(kImpresoras) + "\\" + nombre; }

bool Exito(long resultado) { return resultado == win::kExito; }

}  // namespace

std::optional<Impresora> ImpresorasRegistro::Leer(const std::string& nombre) {
  auto texto = [&](const char* valor) {
    DatoDelRegistro dato;
    return Exito(registro_.ConsultarValor(win::HKEY_LOCAL_MACHINE, Clave(nombre), valor, dato)) ? TextoDeDato(dato)
                                                                                                : std::string();
  };
  if (!Exito(registro_.AbrirClave(win::HKEY_LOCAL_MACHINE, Clave(nombre)))) return std::nullopt;
  Impresora impresora;
  impresora.nombre = texto("Name").empty() ? nombre : texto("Name");
  impresora.puerto = texto("Port");
  impresora.controlador = texto("Printer Driver");
  impresora.procesador = texto("Print Processor");
  impresora.descripcion = texto("Description");
  DatoDelRegistro atributos;
  if (Exito(registro_.ConsultarValor(win::HKEY_LOCAL_MACHINE, Clave(nombre), "Attributes", atributos))) {
    impresora.atributos = DwordDeDato(atributos);
  }
  return impresora;
}

std::optional<std::vector<Impresora>> ImpresorasRegistro::Listar() {
  std::vector<Impresora> impresoras;
  const long abierta = registro_.AbrirClave(win::HKEY_LOCAL_MACHINE, kImpresoras);
  if (abierta == win::kArchivoNoEncontrado) return impresoras;
  if (!Exito(abierta)) return std::nullopt;
  std::string nombre;
  for (uint32_t i = 0; Exito(registro_.EnumerarSubclave(win::HKEY_LOCAL_MACHINE, kImpresoras, i, nombre)); ++i) {
    if (auto impresora = Leer(nombre)) impresoras.push_back(std::move(*impresora));
  }
  return impresoras;
}

std::optional<std::vector<std::string>> ImpresorasRegistro::ListarPuertos() {
  std::vector<std::string> puertos;
  const long abierta = registro_.AbrirClave(win::HKEY_LOCAL_MACHINE, kPuertos);
  if (abierta == win::kArchivoNoEncontrado) return puertos;
  if (!Exito(abierta)) return std::nullopt;
  std::string nombre;
  DatoDelRegistro dato;
  for (uint32_t i = 0; Exito(registro_.EnumerarValor(win::HKEY_LOCAL_MACHINE, kPuertos, i, nombre, dato)); ++i) {
    puertos.push_back(nombre);
  }
  return puertos;
}

bool ImpresorasRegistro::AgregarPuerto(const std::string& nombre) {
  if (RecortarBlancos(nombre).empty()) return false;
  return Exito(registro_.EstablecerValor(win::HKEY_LOCAL_MACHINE, kPuertos, nombre, DatoDeTexto("")));
}

bool ImpresorasRegistro::BorrarPuerto(const std::string& nombre) {
  return Exito(registro_.BorrarValor(win::HKEY_LOCAL_MACHINE, kPuertos, nombre));
}

bool ImpresorasRegistro::Agregar(const Impresora& impresora) {
  if (RecortarBlancos(impresora.nombre).empty() || impresora.nombre.find_first_of("\\,") != std::string::npos) {
    return false;
  }
  DatoDelRegistro dato;
  if (!Exito(registro_.ConsultarValor(win::HKEY_LOCAL_MACHINE, kPuertos, impresora.puerto, dato))) return false;
  if (Exito(registro_.AbrirClave(win::HKEY_LOCAL_MACHINE, Clave(impresora.nombre)))) return false;  // exists
  const std::string clave = Clave(impresora.nombre);
  const std::pair<const char*, DatoDelRegistro> valores[] = {
      {"Name", DatoDeTexto(impresora.nombre)},
      {"Port", DatoDeTexto(impresora.puerto)},
      {"Printer Driver", DatoDeTexto(impresora.controlador)},
      {"Print Processor", DatoDeTexto(impresora.procesador)},
      {"Datatype", DatoDeTexto("RAW")},
      {"Description", DatoDeTexto(impresora.descripcion)},
      {"Location", DatoDeTexto("")},
      {"Parameters", DatoDeTexto("")},
      {"Separator File", DatoDeTexto("")},
      {"Share Name", DatoDeTexto("")},
      {"Attributes", DatoDeDword(impresora.atributos)},
      {"Priority", DatoDeDword(1)},
      {"Default Priority", DatoDeDword(0)},
      {"StartTime", DatoDeDword(0)},
      {"UntilTime", DatoDeDword(0)},
      {"Status", DatoDeDword(0)},
  };
  for (const auto& [nombre, valor] : valores) {
    if (!Exito(registro_.EstablecerValor(win::HKEY_LOCAL_MACHINE, clave, nombre, valor))) {
      Borrar(impresora.nombre);
      return false;
    }
  }
  registro_.EstablecerValor(win::HKEY_CURRENT_USER, std::string(kDelUsuario) + "\\Devices", impresora.nombre,
                            DatoDeTexto("winspool," + impresora.puerto));
  registro_.EstablecerValor(win::HKEY_CURRENT_USER, std::string(kDelUsuario) + "\\PrinterPorts", impresora.nombre,
                            DatoDeTexto("winspool," + impresora.puerto + ",15,45"));
  return true;
}

bool ImpresorasRegistro::Borrar(const std::string& nombre) {
  if (!Exito(registro_.AbrirClave(win::HKEY_LOCAL_MACHINE, Clave(nombre)))) return false;
  if (!Exito(BorrarArbol(registro_, win::HKEY_LOCAL_MACHINE, Clave(nombre)))) return false;
  registro_.BorrarValor(win::HKEY_CURRENT_USER, std::string(kDelUsuario) + "\\Devices", nombre);
  registro_.BorrarValor(win::HKEY_CURRENT_USER, std::string(kDelUsuario) + "\\PrinterPorts", nombre);
  if (Predeterminada() == nombre) {
    registro_.BorrarValor(win::HKEY_CURRENT_USER, std::string(kDelUsuario) + "\\Windows", "Device");
  }
  return true;
}

std::string ImpresorasRegistro::Predeterminada() {
  DatoDelRegistro dato;
  if (!Exito(
          registro_.ConsultarValor(win::HKEY_CURRENT_USER, std::string(kDelUsuario) + "\\Windows", "Device", dato))) {
    return std::string();
  }
  const std::string dispositivo = TextoDeDato(dato);
  return dispositivo.substr(0, dispositivo.find(','));
}

bool ImpresorasRegistro::EstablecerPredeterminada(const std::string& nombre) {
  const auto impresora = Leer(nombre);
  if (!impresora) return false;
  return Exito(registro_.EstablecerValor(win::HKEY_CURRENT_USER, std::string(kDelUsuario) + "\\Windows", "Device",
                                         DatoDeTexto(impresora->nombre + ",winspool," + impresora->puerto)));
}

}  // namespace evalora

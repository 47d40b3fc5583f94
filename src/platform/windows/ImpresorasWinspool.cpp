#include "platform/windows/ImpresorasWinspool.h"

#include <windows.h>
#include <winspool.h>

#include "platform/windows/TextoWin.h"

namespace evalora {

namespace {

// What an Enum… call of the spooler lists, at the given level; nothing when it fails.
template <typename Llamada>
std::optional<std::vector<BYTE>> Enumerar(Llamada llamada, DWORD& cuantos) {
  DWORD necesario = 0;
  cuantos = 0;
  if (llamada(nullptr, 0, &necesario, &cuantos)) return std::vector<BYTE>();
  if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) return std::nullopt;
  std::vector<BYTE> datos(necesario);
  if (!llamada(datos.data(), necesario, &necesario, &cuantos)) return std::nullopt;
  return datos;
}

// A command of the Local Port monitor ("AddPort", "DeletePort") on a port name.
bool OrdenDelMonitor(const wchar_t* orden, const std::string& puerto) {
  HANDLE monitor = nullptr;
  PRINTER_DEFAULTSW acceso{nullptr, nullptr, SERVER_ACCESS_ADMINISTER};
  wchar_t nombreDelMonitor[] = L",XcvMonitor Local Port";
  if (!OpenPrinterW(nombreDelMonitor, &monitor, &acceso)) return false;
  std::wstring nombre = win32::Ancho(puerto);
  DWORD necesario = 0;
  DWORD estado = ERROR_SUCCESS;
  const BOOL hecho = XcvDataW(monitor, orden, reinterpret_cast<BYTE*>(nombre.data()),
                              static_cast<DWORD>((nombre.size() + 1) * sizeof(wchar_t)), nullptr, 0, &necesario, &estado);
  ClosePrinter(monitor);
  return hecho && estado == ERROR_SUCCESS;
}

// Installs a driver Windows has in its driver store (Windows Vista and later).
bool InstalarDesdeElAlmacen(const std::wstring& controlador) {
  using Instalar = HRESULT(WINAPI*)(LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, DWORD);
  const HMODULE spooler = GetModuleHandleW(L"winspool.drv");
  const auto instalar =
      spooler ? reinterpret_cast<Instalar>(
                    reinterpret_cast<void*>(GetProcAddress(spooler, "InstallPrinterDriverFromPackageW")))
              : nullptr;
  return instalar && SUCCEEDED(instalar(nullptr, nullptr, controlador.c_str(), nullptr, 0));
}

// Installs a driver as Wine installs its own: its PostScript driver under the driver's name.
bool InstalarComoWine(const std::wstring& controlador) {
  std::wstring nombre = controlador;
  wchar_t modulo[] = L"wineps.drv";
  DRIVER_INFO_3W info{};
  info.cVersion = 3;
  info.pName = nombre.data();
  info.pDriverPath = modulo;
  info.pDataFile = modulo;
  info.pConfigFile = modulo;
  return AddPrinterDriverW(nullptr, 3, reinterpret_cast<BYTE*>(&info)) ||
         GetLastError() == ERROR_PRINTER_DRIVER_ALREADY_INSTALLED;
}

HANDLE AbrirImpresora(const std::string& nombre) {
  std::wstring ancho = win32::Ancho(nombre);
  PRINTER_DEFAULTSW acceso{nullptr, nullptr, PRINTER_ALL_ACCESS};
  HANDLE h = nullptr;
  return OpenPrinterW(ancho.data(), &h, &acceso) ? h : nullptr;
}

}  // namespace

bool CorreBajoWine() {
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

ImpresorasWinspool::ImpresorasWinspool(bool bajoWine) : bajoWine_(bajoWine) {}

std::optional<std::vector<Impresora>> ImpresorasWinspool::Listar() {
  DWORD cuantos = 0;
  const auto datos = Enumerar(
      [](BYTE* d, DWORD t, DWORD* n, DWORD* c) {
        return EnumPrintersW(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 2, d, t, n, c);
      },
      cuantos);
  if (!datos) return std::nullopt;
  std::vector<Impresora> impresoras;
  const auto* lista = reinterpret_cast<const PRINTER_INFO_2W*>(datos->data());
  for (DWORD i = 0; i < cuantos; ++i) {
    Impresora impresora;
    impresora.nombre = win32::Estrecho(lista[i].pPrinterName);
    impresora.puerto = win32::Estrecho(lista[i].pPortName);
    impresora.controlador = win32::Estrecho(lista[i].pDriverName);
    impresora.procesador = win32::Estrecho(lista[i].pPrintProcessor);
    impresora.descripcion = win32::Estrecho(lista[i].pComment);
    impresora.atributos = lista[i].Attributes;
    impresoras.push_back(std::move(impresora));
  }
  return impresoras;
}

std::optional<std::vector<std::string>> ImpresorasWinspool::ListarPuertos() {
  DWORD cuantos = 0;
  const auto datos = Enumerar(
      [](BYTE* d, DWORD t, DWORD* n, DWORD* c) { return EnumPortsW(nullptr, 1, d, t, n, c); }, cuantos);
  if (!datos) return std::nullopt;
  std::vector<std::string> puertos;
  const auto* lista = reinterpret_cast<const PORT_INFO_1W*>(datos->data());
  for (DWORD i = 0; i < cuantos; ++i) puertos.push_back(win32::Estrecho(lista[i].pName));
  return puertos;
}

bool ImpresorasWinspool::AgregarPuerto(const std::string& nombre) { return OrdenDelMonitor(L"AddPort", nombre); }

bool ImpresorasWinspool::BorrarPuerto(const std::string& nombre) { return OrdenDelMonitor(L"DeletePort", nombre); }

bool ImpresorasWinspool::Agregar(const Impresora& impresora) {
  std::wstring nombre = win32::Ancho(impresora.nombre);
  std::wstring puerto = win32::Ancho(impresora.puerto);
  std::wstring controlador = win32::Ancho(impresora.controlador);
  std::wstring procesador = win32::Ancho(impresora.procesador);
  std::wstring descripcion = win32::Ancho(impresora.descripcion);
  std::wstring tipoDeDatos = L"RAW";
  PRINTER_INFO_2W info{};
  info.pPrinterName = nombre.data();
  info.pPortName = puerto.data();
  info.pDriverName = controlador.data();
  info.pPrintProcessor = procesador.data();
  info.pComment = descripcion.data();
  info.pDatatype = tipoDeDatos.data();
  info.Attributes = impresora.atributos;
  HANDLE h = AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&info));
  if (!h && GetLastError() == ERROR_UNKNOWN_PRINTER_DRIVER) {
    if (InstalarDesdeElAlmacen(controlador) || (bajoWine_ && InstalarComoWine(controlador))) {
      h = AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&info));
    } else {
      SetLastError(ERROR_UNKNOWN_PRINTER_DRIVER);  // the spooler's answer, not the driver store's
    }
  }
  if (!h) return false;
  ClosePrinter(h);
  return true;
}

bool ImpresorasWinspool::Borrar(const std::string& nombre) {
  const HANDLE h = AbrirImpresora(nombre);
  if (!h) return false;
  const bool borrada = DeletePrinter(h) != FALSE;
  ClosePrinter(h);
  return borrada;
}

std::string ImpresorasWinspool::Predeterminada() {
  DWORD largo = 0;
  GetDefaultPrinterW(nullptr, &largo);
  if (largo == 0) return "";
  std::wstring nombre(largo, L'\0');
  if (!GetDefaultPrinterW(nombre.data(), &largo)) return "";
  nombre.resize(largo > 0 ? largo - 1 : 0);
  return win32::Estrecho(nombre);
}

bool ImpresorasWinspool::EstablecerPredeterminada(const std::string& nombre) {
  return SetDefaultPrinterW(win32::Ancho(nombre).c_str()) != FALSE;
}

}  // namespace evalora

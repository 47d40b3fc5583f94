#include "ApoyoWin.h"

#include <windows.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

#include "platform/windows/SistemaDeArchivosWin.h"
#include "platform/windows/TextoWin.h"

namespace evalora::pruebas {

namespace {

std::string TemporalDelUsuario() {
  wchar_t ruta[MAX_PATH + 1];
  const DWORD largo = GetTempPathW(MAX_PATH + 1, ruta);
  std::string texto = win32::Estrecho(std::wstring(ruta, largo));
  while (!texto.empty() && texto.back() == '\\') texto.pop_back();
  return texto;
}

}  // namespace

CarpetaTemporalWin::CarpetaTemporalWin() {
  const std::string base = TemporalDelUsuario();
  for (unsigned i = 0; i < 1000; ++i) {
    const std::string candidata =
        base + "\\evalora-prueba-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount() + i);
    if (CreateDirectoryW(win32::Ancho(candidata).c_str(), nullptr)) {
      ruta_ = candidata;
      return;
    }
  }
  throw std::runtime_error("no se pudo crear una carpeta temporal en " + base);
}

CarpetaTemporalWin::~CarpetaTemporalWin() { SistemaDeArchivosWin().BorrarCarpeta(ruta_, true); }

void CarpetaTemporalWin::Escribir(const std::string& relativa, const std::string& contenido) const {
  const std::filesystem::path archivo(win32::Ancho(ruta_ + "\\" + relativa));
  std::error_code error;
  std::filesystem::create_directories(archivo.parent_path(), error);
  std::ofstream(archivo, std::ios::binary) << contenido;
}

std::string CarpetaTemporalWin::Leer(const std::string& relativa) const {
  std::ifstream entrada(std::filesystem::path(win32::Ancho(ruta_ + "\\" + relativa)), std::ios::binary);
  std::stringstream bytes;
  bytes << entrada.rdbuf();
  return bytes.str();
}

SalidaDePrograma Ejecutar(const std::string& lineaDeOrdenes, unsigned long esperaMs) {
  SalidaDePrograma salida;
  CarpetaTemporalWin carpeta;
  const std::wstring archivo = win32::Ancho(carpeta.Ruta() + "\\salida.txt");
  SECURITY_ATTRIBUTES heredable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  const HANDLE destino = CreateFileW(archivo.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &heredable,
                                     CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (destino == INVALID_HANDLE_VALUE) return salida;
  STARTUPINFOW inicio{};
  inicio.cb = sizeof inicio;
  inicio.dwFlags = STARTF_USESTDHANDLES;
  inicio.hStdOutput = destino;
  inicio.hStdError = destino;
  inicio.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  PROCESS_INFORMATION proceso{};
  std::wstring linea = win32::Ancho(lineaDeOrdenes);
  if (CreateProcessW(nullptr, linea.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr, &inicio,
                     &proceso)) {
    if (WaitForSingleObject(proceso.hProcess, esperaMs) == WAIT_OBJECT_0) {
      DWORD estado = 0;
      GetExitCodeProcess(proceso.hProcess, &estado);
      salida.estado = estado;
    } else {
      TerminateProcess(proceso.hProcess, 1);
    }
    CloseHandle(proceso.hThread);
    CloseHandle(proceso.hProcess);
  }
  CloseHandle(destino);
  salida.texto = carpeta.Leer("salida.txt");
  return salida;
}

std::string EnUnidadZ(const std::string& rutaLinux) {
  std::string ruta = "Z:" + rutaLinux;
  for (char& c : ruta) {
    if (c == '/') c = '\\';
  }
  return ruta;
}

std::string Variable(const std::string& nombre) {
  wchar_t valor[32768];
  const DWORD largo = GetEnvironmentVariableW(win32::Ancho(nombre).c_str(), valor, 32768);
  return largo > 0 && largo < 32768 ? win32::Estrecho(std::wstring(valor, largo)) : "";
}

RelojConRetencion::~RelojConRetencion() { Soltar(); }

void RelojConRetencion::Retener(const std::string& ruta, uint32_t hastaMs) {
  Soltar();
  const HANDLE h = CreateFileW(FormaExtendida(win32::Ancho(ruta)).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) throw std::runtime_error("no se pudo retener " + ruta);
  h_ = h;
  hasta_ = hastaMs == 0 ? 0 : Milisegundos() + hastaMs;
  inicio_ = TotalDormido();
}

void RelojConRetencion::Soltar() {
  if (h_) CloseHandle(static_cast<HANDLE>(h_));
  h_ = nullptr;
}

void RelojConRetencion::Dormir(uint32_t milisegundos) {
  falsos::RelojVirtual::Dormir(milisegundos);
  if (hasta_ != 0 && Milisegundos() >= hasta_) Soltar();
}

}  // namespace evalora::pruebas

#include "Trabajos.h"

#include <fstream>
#include <iostream>

#include "platform/CodigosWin.h"

namespace evalora::securityfolder {

int Ejecutar(int argc, char** argv, Maquina m) {
  if (argc < 4) {
    std::cerr << "uso: SecurityFolder \"<trabajo>\" \"<argumento>\" \"<marcador>\"\n";
    return 2;
  }
  const std::string trabajo = argv[1], argumento = argv[2], marcador = argv[3];
  std::string contenido = trabajo + " terminado";
  bool hecho = false;
  if (trabajo == "Seguridad" || trabajo == "Impresora" || trabajo == "Compartir") {
    const auto carpeta = m.archivos.RutaAnfitrion(argumento);
    hecho = carpeta && m.abrirATodos(*carpeta);
  } else if (trabajo == "ImpresoraPredeterminada") {
    contenido = m.impresoras.Predeterminada();
    hecho = true;
  } else if (trabajo == "ImpresoraPredeterminar") {
    hecho = m.impresoras.EstablecerPredeterminada(argumento);
  } else if (trabajo == "RegistroPolicies") {
    hecho = m.registro.CrearClave(win::HKEY_CURRENT_USER, argumento) == win::kExito;
  }
  if (!hecho) {
    const std::string motivo = m.registro.MotivoDelUltimoError();
    std::cerr << "SecurityFolder: no se pudo hacer el trabajo " << trabajo << (motivo.empty() ? "" : ": " + motivo)
              << "\n";
    return 1;
  }
  const auto ruta = m.archivos.RutaAnfitrion(marcador);
  if (!ruta) return 1;
  std::ofstream salida(*ruta, std::ios::binary | std::ios::trunc);
  salida << contenido;
  return salida ? 0 : 1;
}

}  // namespace evalora::securityfolder

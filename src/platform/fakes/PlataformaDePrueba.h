#pragma once
// The services of one run for tests and scenarios: the real prefix (files, registry, drives,
// printers, fonts, shell folders and shortcuts) and the real Internet check, with fakes for what
// a test must vary or observe: virtual time, the yields, message boxes, the end of the program,
// the processes, the user, what the shell opens and the folder browser's answers.

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/Plataforma.h"
#include "platform/fakes/Falsos.h"
#include "platform/linux/EntornoLinux.h"
#include "platform/linux/FuentesPrefijo.h"
#include "platform/linux/ImpresorasRegistro.h"
#include "platform/linux/InternetSocket.h"
#include "platform/linux/RegistroWine.h"
#include "platform/linux/ShellPrefijo.h"
#include "platform/linux/SistemaDeArchivosPrefijo.h"
#include "platform/linux/UnidadesPrefijo.h"
#include "platform/linux/VersionCompilada.h"

namespace evalora::falsos {

// Each yield moves virtual time by a millisecond (so the download sees time pass) and runs what
// the test wants.
class BucleDelReloj : public BucleDeEventos {
 public:
  explicit BucleDelReloj(RelojVirtual& reloj) : reloj_(reloj) {}
  void Ceder() override {
    reloj_.Avanzar(1);
    if (alCeder) alCeder();
  }
  std::function<void()> alCeder;

 private:
  RelojVirtual& reloj_;
};

// The shell of the prefix, except that what it opens is written down and only started when it is
// a program and the test wants it, and the folder browser answers what the test queued, in
// order (nothing queued is a cancel).
class ShellGrabado : public Shell {
 public:
  explicit ShellGrabado(Shell& real) : real_(real) {}
  std::string CarpetaEspecial(int csidl) override { return real_.CarpetaEspecial(csidl); }
  bool Abrir(const std::string& archivo, const std::string& argumentos) override {
    abiertos.push_back(argumentos.empty() ? archivo : archivo + " " + argumentos);
    const bool programa = archivo.size() > 4 && (archivo.substr(archivo.size() - 4) == ".exe" ||
                                                 archivo.substr(archivo.size() - 4) == ".EXE");
    return programa && ejecutarProgramas ? real_.Abrir(archivo, argumentos) : true;
  }
  bool GuardarAccesoDirecto(const std::string& archivoLnk, const AccesoDirecto& acceso) override {
    return real_.GuardarAccesoDirecto(archivoLnk, acceso);
  }
  std::string ExaminarCarpeta(const std::string& titulo) override {
    titulos.push_back(titulo);
    if (respuestas.empty()) return "";
    std::string r = respuestas.front();
    respuestas.pop_front();
    return r;
  }
  std::vector<std::string> abiertos;
  bool ejecutarProgramas = false;  // programs of the prefix (….exe) really start
  std::deque<std::string> respuestas;
  std::vector<std::string> titulos;

 private:
  Shell& real_;
};

class PlataformaDePrueba {
 public:
  // `variables`: the environment of the run ("NAME=value").
  PlataformaDePrueba(const std::filesystem::path& prefijo, VersionDelEjecutable version,
                     std::vector<std::string> variables);

  Plataforma Servicios();

  RelojVirtual reloj;
  BucleDelReloj eventos{reloj};
  MensajesGrabados mensajes;
  TerminacionObservada terminacion;
  ProcesosFijos procesos;
  UsuarioFijo usuario{"alumno", true};

 private:
  SistemaDeArchivosPrefijo archivos_;
  RegistroWine registro_;
  EntornoLinux entorno_;
  InternetSocket internet_{std::chrono::seconds(2)};
  ShellPrefijo shellDelPrefijo_;

 public:
  ShellGrabado shell{shellDelPrefijo_};

 private:
  UnidadesPrefijo unidades_;
  ImpresorasRegistro impresoras_{registro_};
  FuentesPrefijo fuentes_{archivos_, registro_, entorno_};
  VersionCompilada ejecutable_;
};

}  // namespace evalora::falsos

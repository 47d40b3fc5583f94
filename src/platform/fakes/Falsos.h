#pragma once
// Fakes of the platform services whose facts a test must vary or observe: virtual time and the
// yields, message boxes, the end of the program, the processes, the user, the Internet check and
// what the shell opens.

#include <chrono>
#include <deque>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "platform/BucleDeEventos.h"
#include "platform/Fuentes.h"
#include "platform/InformacionDelEjecutable.h"
#include "platform/Internet.h"
#include "platform/Mensajes.h"
#include "platform/Procesos.h"
#include "platform/Reloj.h"
#include "platform/Shell.h"
#include "platform/Terminacion.h"
#include "platform/Usuario.h"

namespace evalora::falsos {

// Time moves only when the program waits or the test moves it.
class RelojVirtual : public Reloj {
 public:
  explicit RelojVirtual(uint32_t inicio = 1000) : ahora_(inicio) {}
  uint32_t Milisegundos() override { return ahora_; }
  void Dormir(uint32_t milisegundos) override {
    ahora_ += milisegundos;
    dormido_ += milisegundos;
    // A real program the wizard waits for (the permission tool) needs real time to answer:
    // each virtual second slept may cost some real milliseconds.
    porDormir_ += static_cast<uint64_t>(milisegundos) * realesPorSegundo;
    if (porDormir_ >= 1000) {
      std::this_thread::sleep_for(std::chrono::milliseconds(porDormir_ / 1000));
      porDormir_ %= 1000;
    }
  }
  // The calendar starts at 2026-03-10 09:30:00 UTC and moves with the counter.
  int64_t Ahora() override { return 1773135000 + ahora_ / 1000; }
  void Avanzar(uint32_t milisegundos) { ahora_ += milisegundos; }
  uint64_t TotalDormido() const { return dormido_; }
  uint32_t realesPorSegundo = 0;  // real milliseconds per virtual second slept

 private:
  uint32_t ahora_;
  uint64_t dormido_ = 0;
  uint64_t porDormir_ = 0;
};

// Counts the yields and runs what the test wants at each one.
class BucleContado : public BucleDeEventos {
 public:
  void Ceder() override {
    ++veces;
    if (alCeder) alCeder();
  }
  int veces = 0;
  std::function<void()> alCeder;
};

struct MensajeMostrado {
  std::string texto;
  int estilo = 0;
  std::optional<std::string> titulo;
};

class MensajesGrabados : public Mensajes {
 public:
  void Mostrar(const std::string& texto, int estilo, const std::optional<std::string>& titulo) override {
    mostrados.push_back({texto, estilo, titulo});
  }
  std::vector<MensajeMostrado> mostrados;
};

// The program's end, seen by the test: the call unwinds the run with this exception.
struct ProgramaTerminado : std::runtime_error {
  ProgramaTerminado() : std::runtime_error("el programa terminó") {}
};

class TerminacionObservada : public Terminacion {
 public:
  [[noreturn]] void Terminar() override {
    ++veces;
    throw ProgramaTerminado();
  }
  int veces = 0;
};

class ProcesosFijos : public Procesos {
 public:
  std::vector<std::string> NombresEnEjecucion() override {
    ++consultas;
    return nombres;
  }
  std::vector<std::string> nombres;
  int consultas = 0;
};

class UsuarioFijo : public Usuario {
 public:
  explicit UsuarioFijo(std::string nombreDeCuenta = "alumno", bool esAdministrador = true)
      : nombre(std::move(nombreDeCuenta)), administrador(esAdministrador) {}
  std::string Nombre() override { return nombre; }
  bool EsAdministrador() override { return administrador; }
  bool Elevado() override { return elevado; }
  std::string nombre;
  bool administrador;
  bool elevado = false;
};

class InternetFijo : public Internet {
 public:
  bool HayConexion(const std::string& url) override {
    consultadas.push_back(url);
    return conectado;
  }
  bool conectado = true;
  std::vector<std::string> consultadas;
};

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

// The real shell, except that what it opens is written down and only started when it is
// a program and the test wants it, and the folder browser answers what the test queued, in
// order (nothing queued is a cancel).
// The fakes of one run of the wizard in tests and scenarios, in both builds: virtual time and its
// yields, the message boxes, the end of the program, the processes and the user.
struct FalsosDeUnaCorrida {
  RelojVirtual reloj;
  BucleDelReloj eventos{reloj};
  MensajesGrabados mensajes;
  TerminacionObservada terminacion;
  ProcesosFijos procesos;
  UsuarioFijo usuario{"alumno", true};
};

// The executable's version as a test gives it.
class VersionFija : public InformacionDelEjecutable {
 public:
  explicit VersionFija(VersionDelEjecutable v) : version_(v) {}
  VersionDelEjecutable Version() const override { return version_; }

 private:
  VersionDelEjecutable version_;
};

class ShellGrabado : public Shell {
 public:
  explicit ShellGrabado(Shell& real) : real_(real) {}
  std::string CarpetaEspecial(int csidl) override { return real_.CarpetaEspecial(csidl); }
  bool Abrir(const std::string& archivo, const std::string& argumentos, Verbo verbo) override {
    abiertos.push_back(argumentos.empty() ? archivo : archivo + " " + argumentos);
    verbos.push_back(verbo);
    const bool programa = archivo.size() > 4 && (archivo.substr(archivo.size() - 4) == ".exe" ||
                                                 archivo.substr(archivo.size() - 4) == ".EXE");
    comoUsuario.push_back(false);
    return programa && ejecutarProgramas ? real_.Abrir(archivo, argumentos, verbo) : true;
  }
  bool AbrirComoUsuario(const std::string& archivo, const std::string& argumentos, Verbo verbo) override {
    const bool abierto = Abrir(archivo, argumentos, verbo);
    comoUsuario.back() = true;
    return abierto;
  }
  bool TerminaronLosOcultos(uint32_t esperaMs) override {
    return alEsperarOcultos ? alEsperarOcultos(esperaMs) : real_.TerminaronLosOcultos(esperaMs);
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
  std::vector<Verbo> verbos;       // the action each was opened with
  std::vector<bool> comoUsuario;   // whether each was opened as the desktop's user
  std::function<bool(uint32_t)> alEsperarOcultos;  // the hidden programs' end, as the test has it
  bool ejecutarProgramas = false;  // programs of the prefix (….exe) really start
  std::deque<std::string> respuestas;
  std::vector<std::string> titulos;

 private:
  Shell& real_;
};

// The machine's font table, with the notices of its changes to the running programs counted.
class FuentesAvisadas : public Fuentes {
 public:
  explicit FuentesAvisadas(Fuentes& real) : real_(real) {}
  int AgregarRecurso(const std::string& archivo) override { return real_.AgregarRecurso(archivo); }
  bool QuitarRecurso(const std::string& archivo) override { return real_.QuitarRecurso(archivo); }
  bool Registrar(const std::string& archivo) override { return real_.Registrar(archivo); }
  bool CrearRecursoEscalable(const std::string& archivoFot, const std::string& archivoFuente,
                             const std::string& carpeta) override {
    return real_.CrearRecursoEscalable(archivoFot, archivoFuente, carpeta);
  }
  void AvisarCambio() override {
    ++avisos;
    real_.AvisarCambio();
  }
  int avisos = 0;

 private:
  Fuentes& real_;
};

}  // namespace evalora::falsos

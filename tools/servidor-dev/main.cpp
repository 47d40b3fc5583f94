// evalora-servidor-dev: the development catalogue on loopback.
//   --puerto N            the catalogue's port (0, the default: any free one)
//   --catalogo FILE.sql   an SQL script run on the catalogue at start (may be repeated)
//   --sin-demo            start without the demo data
//   --registro FILE       append every statement and call received to FILE, one per line
//   --contenido DIR       serve DIR over HTTP (every listed file is made there when missing, before
//                         the scripts of --catalogo run: their rows may name files that must be missing)
//   --programas DIR       the folder whose programs the content delivers (default: this program's)
//   --contenido-hecho     the content folder has its programs already (made beforehand, e.g. by
//                         `evalora-escenario --preparar-contenido`): they are not copied again
//   --pedidos FILE        append every HTTP request received to FILE, one per line ("GET /path")
//   --puerto-http N       the download server's port (0, the default: any free one)
//   --base-http URL       what replaces ${HTTP} in the files' server paths (default: this server)
//   --falla rechazar-login | no-responder | cerrar-tras-login | callar-tras-login
//   --puertos FILE        also write the ports' lines to FILE (complete once it exists)
//   --mientras-exista FILE  end as soon as FILE no longer exists (the test that started it is done)
// The first line of output is "catalogo <port>"; with --contenido the second is "descargas <port>".
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <thread>
#include <atomic>
#include <chrono>

#include "AtencionDelCatalogo.h"
#include "Catalogo.h"
#include "ContenidoDemo.h"
#include "http/ServidorHttp.h"

namespace {

int Uso(const std::string& motivo) {
  std::cerr << "evalora-servidor-dev: " << motivo << "\n"
            << "uso: evalora-servidor-dev [--puerto N] [--catalogo FILE.sql]... [--sin-demo] [--registro FILE]\n"
            << "                          [--base-http URL] [--falla "
               "rechazar-login|no-responder|cerrar-tras-login|callar-tras-login]\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace evalora;
  uint16_t puerto = 0, puertoHttp = 0;
  std::vector<std::string> scripts;
  std::string registro, baseHttp, contenido, programas, pedidos, puertos, testigo;
  bool demo = true, contenidoHecho = false;
  tds::Falla falla = tds::Falla::kNinguna;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    auto valor = [&]() -> std::string { return i + 1 < argc ? argv[++i] : ""; };
    if (a == "--puerto" || a == "--puerto-http") {
      const std::string v = valor();
      if (v.empty() || v.size() > 5 || v.find_first_not_of("0123456789") != std::string::npos ||
          std::stoul(v) > 65535) {
        return Uso(a + " necesita un número de 0 a 65535");
      }
      (a == "--puerto" ? puerto : puertoHttp) = static_cast<uint16_t>(std::stoul(v));
    } else if (a == "--contenido") {
      contenido = valor();
    } else if (a == "--programas") {
      programas = valor();
    } else if (a == "--pedidos") {
      pedidos = valor();
    } else if (a == "--catalogo") {
      scripts.push_back(valor());
    } else if (a == "--puertos") {
      puertos = valor();
    } else if (a == "--mientras-exista") {
      testigo = valor();
    } else if (a == "--registro") {
      registro = valor();
    } else if (a == "--base-http") {
      baseHttp = valor();
    } else if (a == "--contenido-hecho") {
      contenidoHecho = true;
    } else if (a == "--sin-demo") {
      demo = false;
    } else if (a == "--falla") {
      const std::string v = valor();
      if (v == "rechazar-login")
        falla = tds::Falla::kRechazarLogin;
      else if (v == "no-responder")
        falla = tds::Falla::kNoResponder;
      else if (v == "cerrar-tras-login")
        falla = tds::Falla::kCerrarTrasLogin;
      else if (v == "callar-tras-login")
        falla = tds::Falla::kCallarTrasLogin;
      else
        return Uso("falla desconocida: " + v);
    } else {
      return Uso("opción desconocida: " + a);
    }
  }
  try {
    servidor::Catalogo catalogo;
    if (demo) catalogo.SembrarDemo();
    if (!contenido.empty()) {
      std::string error;
      std::error_code e;
      if (programas.empty()) programas = std::filesystem::read_symlink("/proc/self/exe", e).parent_path().string();
      if (!contenidoHecho) servidor::PonerProgramasDelSistema(contenido, programas);
      if (!servidor::PrepararContenido(catalogo, contenido, &error)) return Uso(error);
    }
    for (const auto& script : scripts) {
      std::ifstream archivo(script);
      if (!archivo) return Uso("no se puede leer " + script);
      std::stringstream texto;
      texto << archivo.rdbuf();
      std::string error;
      if (!catalogo.Ejecutar(texto.str(), &error)) return Uso(script + ": " + error);
    }
    std::signal(SIGPIPE, SIG_IGN);
    std::unique_ptr<servidor::ServidorHttp> http;
    uint16_t escuchandoHttp = 0;
    if (!contenido.empty()) {
      servidor::ActualizarPesos(catalogo, contenido);  // rows the scripts pointed at other files
      http = std::make_unique<servidor::ServidorHttp>(contenido);
      if (!pedidos.empty()) http->AnotarPedidosEn(pedidos);
      escuchandoHttp = http->Escuchar(puertoHttp);
      if (escuchandoHttp == 0) return Uso("no se pudo escuchar en el puerto " + std::to_string(puertoHttp));
      if (baseHttp.empty()) baseHttp = "http://127.0.0.1:" + std::to_string(escuchandoHttp);
    }
    servidor::AtencionDelCatalogo atencion(catalogo, registro);
    atencion.FijarBaseHttp(baseHttp);
    tds::ServidorTds tds(atencion, {}, falla);
    const uint16_t escuchando = tds.Escuchar(puerto);
    if (escuchando == 0) return Uso("no se pudo escuchar en el puerto " + std::to_string(puerto));
    std::string lineas = "catalogo " + std::to_string(escuchando) + "\n";
    if (http) lineas += "descargas " + std::to_string(escuchandoHttp) + "\n";
    std::fputs(lineas.c_str(), stdout);
    std::fflush(stdout);
    if (!puertos.empty()) {
      // Written whole under another name, then renamed: a reader never sees half of it.
      std::ofstream(puertos + ".parcial") << lineas;
      std::filesystem::rename(puertos + ".parcial", puertos);
    }
    std::thread vigia;
    std::atomic<bool> terminar = false;
    if (!testigo.empty()) {
      vigia = std::thread([&] {
        while (!terminar && std::filesystem::exists(testigo)) std::this_thread::sleep_for(std::chrono::milliseconds(100));
        tds.Detener();
      });
    }
    std::thread descargas;
    if (http) descargas = std::thread([&] { http->Atender(); });
    tds.Atender();
    terminar = true;
    if (vigia.joinable()) vigia.join();
    if (http) http->Detener();
    if (descargas.joinable()) descargas.join();
  } catch (const std::exception& e) {
    std::cerr << "evalora-servidor-dev: " << e.what() << "\n";
    return 1;
  }
  return 0;
}

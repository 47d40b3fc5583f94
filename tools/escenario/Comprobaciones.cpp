// What a scenario checks: steps, texts, colours, message boxes, files, the server's log.
#include "Escenario.h"
#include "Textos.h"
#include "core/Texto.h"
#include "localdb/ArchivoDeRegistro.h"

#include <chrono>
#include <cstdio>
#include <thread>

namespace evalora::escenario {

namespace fs = std::filesystem;

bool Escenario::Comprobar(const Accion& a, std::string& hallado) {
  const auto& arg = a.argumentos;
  auto texto = [&](size_t i) { return i < arg.size() ? arg[i].texto : std::string(); };
  if (a.orden == "termina") {
    if (!terminado_) hallado = iniciado_ ? "el programa sigue en marcha en " + PanelVisible() : "no se inició";
    return terminado_;
  }
  if (a.orden == "recibio") {
    if (!servidores_) {
      hallado = "el catálogo no se ha puesto en marcha";
      return false;
    }
    const auto lineas = servidores_->Recibido();
    for (const auto& l : lineas) {
      if (l == texto(0)) return true;
    }
    hallado = lineas.empty() ? "el catálogo no recibió nada" : "lo último recibido: " + lineas.back();
    return false;
  }
  if (a.orden == "recibio-contiene" || a.orden == "pedido") {
    // How many lines the catalogue received (or requests the download server received) contain
    // the text; "veces N" demands exactly N, otherwise at least one.
    if (!servidores_) {
      hallado = "el servidor no se ha puesto en marcha";
      return false;
    }
    int64_t veces = 0, esperadas = -1;
    const auto lineas = a.orden == "pedido" ? servidores_->Pedidos() : servidores_->Recibido();
    for (const auto& l : lineas) veces += l.find(texto(0)) != std::string::npos;
    if (texto(1) == "veces" && !Numero(texto(2), esperadas)) {
      hallado = "«veces» necesita un número";
      return false;
    }
    const bool bien = esperadas < 0 ? veces > 0 : veces == esperadas;
    if (!bien) hallado = std::to_string(veces) + " veces";
    return bien;
  }
  if (a.orden == "temporales") {
    // The temporary files of interrupted downloads (EVL….tmp) in a folder and every folder below.
    int64_t esperados = 0;
    if (!Numero(texto(1), esperados)) {
      hallado = "«temporales» necesita la carpeta y un número";
      return false;
    }
    int64_t hay = 0;
    std::vector<std::string> carpetas{texto(0)};
    for (size_t i = 0; i < carpetas.size(); ++i) {
      for (const auto& nombre : maquina_->Archivos().ListarArchivos(carpetas[i])) {
        hay += nombre.rfind("EVL", 0) == 0 && nombre.size() > 4 && nombre.substr(nombre.size() - 4) == ".tmp";
      }
      for (const auto& sub : maquina_->Archivos().ListarSubcarpetas(carpetas[i]))
        carpetas.push_back(carpetas[i] + "\\" + sub);
    }
    if (hay != esperados) hallado = std::to_string(hay);
    return hay == esperados;
  }
  if (a.orden == "carpeta" || a.orden == "sin-carpeta") {
    const bool existe = maquina_->Archivos().ExisteCarpeta(texto(0));
    if (existe != (a.orden == "carpeta")) hallado = existe ? "existe" : "no existe";
    return existe == (a.orden == "carpeta");
  }
  if (a.orden == "wine-valor") return maquina_->LineaDeWine(a, true, hallado);
  if (a.orden == "valor" || a.orden == "clave" || a.orden == "sin-clave") {
    const auto clave = AnalizarClave(texto(0));
    if (!clave) {
      hallado = "raíz desconocida en " + texto(0);
      return false;
    }
    Registro& registro = maquina_->RegistroDeLaMaquina();
    if (a.orden != "valor") {
      const bool existe = registro.AbrirClave(clave->first, clave->second) == win::kExito;
      if (existe != (a.orden == "clave")) hallado = existe ? "existe" : "no existe";
      return existe == (a.orden == "clave");
    }
    DatoDelRegistro dato;
    if (registro.ConsultarValor(clave->first, clave->second, texto(1), dato) != win::kExito) {
      hallado = "no existe";
      return false;
    }
    const std::string actual = TextoDeDato(dato);
    if (actual != texto(2)) hallado = Mostrable(actual);
    return actual == texto(2);
  }
  if (a.orden == "lnkinfo") return maquina_->Lnkinfo(texto(0), texto(1), hallado);
  if (a.orden == "base") {
    // The rows of a query on the registration file (its password), "|" between fields and a line
    // break between rows.
    const auto ruta = maquina_->RutaLocal(texto(0));
    ArchivoDeRegistro bd;
    std::string error;
    if (!ruta || !bd.Abrir(*ruta, kClaveDelArchivoDeRegistro, error)) {
      hallado = "no se pudo abrir: " + error;
      return false;
    }
    const auto filas = bd.Consultar(texto(1), error);
    if (!filas) {
      hallado = error;
      return false;
    }
    std::string actual;
    for (size_t f = 0; f < filas->size(); ++f) {
      for (size_t c = 0; c < (*filas)[f].size(); ++c) actual += (c ? "|" : "") + (*filas)[f][c];
      if (f + 1 < filas->size()) actual += "\r\n";
    }
    if (actual != texto(2)) {
      hallado = Mostrable(actual);
      return false;
    }
    // And Debian's sqlcipher tool reads the same rows.
    return maquina_->BaseConSqlcipher(texto(0), kClaveDelArchivoDeRegistro, texto(1), texto(2), hallado);
  }
  if (a.orden == "espera-archivo") {
    // A file a program that runs on its own writes: up to 10 real seconds.
    for (int i = 0; i < 1000 && !maquina_->Archivos().ExisteArchivo(texto(0)); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (!maquina_->Archivos().ExisteArchivo(texto(0))) hallado = "no apareció en 10 s";
    return maquina_->Archivos().ExisteArchivo(texto(0));
  }
  if (a.orden == "archivo" || a.orden == "sin-archivo") {
    const auto tamano = maquina_->Archivos().Tamano(texto(0));
    if (a.orden == "sin-archivo") {
      if (tamano) hallado = "existe, con " + std::to_string(*tamano) + " bytes";
      return !tamano;
    }
    if (!tamano) {
      hallado = "no existe";
      return false;
    }
    int64_t esperado = 0;
    if (arg.size() > 1 && (!Numero(texto(1), esperado) || esperado != *tamano)) {
      hallado = std::to_string(*tamano) + " bytes";
      return false;
    }
    return true;
  }
  if (a.orden == "abrio") {
    if (!plataforma_) return false;
    for (const auto& abierto : plataforma_->shell.abiertos) {
      if (abierto == texto(0)) return true;
    }
    hallado =
        plataforma_->shell.abiertos.empty() ? "no se abrió nada" : "se abrió " + plataforma_->shell.abiertos.back();
    return false;
  }
  if (a.orden == "aviso" || a.orden == "aviso-contiene" || a.orden == "sin-avisos") return ComprobarAviso(a, hallado);
  if (!EnMarcha(hallado)) return false;
  ui::frmPrincipal& ventana = asistente_->Ventana();
  if (a.orden == "paso") {
    const std::string panel = ui::frmPrincipal::PanelDelPaso(texto(0));
    const bool visible = !panel.empty() && ventana.Existe(panel) && !ventana.Oculto(panel) &&
                         PanelVisible() == RecortarBlancos(texto(0));
    if (!visible) hallado = "el paso visible es " + PanelVisible();
    return visible;
  }
  if (a.orden == "captura") {
    const fs::path destino = Captura(texto(0));
    if (!vista_->Capturar(destino.string())) {
      hallado = "no se pudo guardar " + destino.string();
      return false;
    }
    // What the picture shows is whole: no text of the step is cut by its box.
    hallado = TextosQueNoCaben(*vista_);
    if (!hallado.empty()) hallado = "no cabe el texto de " + hallado;
    return hallado.empty();
  }
  const ui::Control* control = ControlDe(a, 0, hallado);
  if (!control) return false;
  if (a.orden == "texto" || a.orden == "contiene") {
    const std::string actual = ventana.Texto(texto(0));
    const bool bien = a.orden == "texto" ? actual == texto(1) : actual.find(texto(1)) != std::string::npos;
    if (!bien) hallado = Mostrable(actual);
    return bien;
  }
  if (a.orden == "visible" || a.orden == "oculto") {
    const bool visible = ventana.ALaVista(control->nombre);
    if (visible != (a.orden == "visible")) hallado = visible ? "está a la vista" : "está oculto";
    return visible == (a.orden == "visible");
  }
  if (a.orden == "marcado" || a.orden == "desmarcado") {
    const bool casilla = control->clase == ui::Clase::kCasilla;
    const bool bien = casilla && control->marcado == (a.orden == "marcado");
    if (!bien) hallado = casilla ? (control->marcado ? "marcado" : "desmarcado") : "no es una casilla";
    return bien;
  }
  if (a.orden == "color" || a.orden == "fondo") return ComprobarColor(a, a.orden == "fondo", hallado);
  hallado = "orden desconocida: " + a.orden;
  return false;
}

bool Escenario::ComprobarColor(const Accion& a, bool fondo, std::string& hallado) {
  const ui::frmPrincipal& ventana = asistente_->Ventana();
  const std::string esperado = a.argumentos.size() > 1 ? a.argumentos[1].texto : "";
  const ui::Color actual =
      fondo ? ventana.FondoEfectivo(a.argumentos[0].texto) : ventana.TintaEfectiva(a.argumentos[0].texto);
  if (Rgb(actual) != esperado) hallado = Rgb(actual);
  return Rgb(actual) == esperado;
}

bool Escenario::ComprobarAviso(const Accion& a, std::string& hallado) {
  const auto* mostrados = plataforma_ ? &plataforma_->mensajes.mostrados : nullptr;
  const size_t total = mostrados ? mostrados->size() : 0;
  if (a.orden == "sin-avisos") {
    if (total > avisosVistos_) hallado = "aviso sin revisar: " + Mostrable((*mostrados)[avisosVistos_].texto);
    return total <= avisosVistos_;
  }
  if (total <= avisosVistos_) {
    hallado = "no hubo más avisos";
    return false;
  }
  const falsos::MensajeMostrado& m = (*mostrados)[avisosVistos_++];
  const auto& arg = a.argumentos;
  const std::string esperado = arg.empty() ? "" : arg[0].texto;
  const bool textoBien = a.orden == "aviso" ? m.texto == esperado : m.texto.find(esperado) != std::string::npos;
  if (!textoBien) {
    hallado = Mostrable(m.texto);
    return false;
  }
  for (size_t i = 1; i + 1 < arg.size(); i += 2) {
    if (arg[i].texto == "icono" && std::to_string(m.estilo) != arg[i + 1].texto) {
      hallado = "icono " + std::to_string(m.estilo);
      return false;
    }
    if (arg[i].texto == "titulo" && m.titulo.value_or("(el nombre del programa)") != arg[i + 1].texto) {
      hallado = "título " + Mostrable(m.titulo.value_or("(el nombre del programa)"));
      return false;
    }
  }
  return true;
}

}  // namespace evalora::escenario

// What a scenario checks: steps, texts, colours, message boxes, files, the server's log.
#include "Escenario.h"
#include "Textos.h"
#include "core/Texto.h"
#include "localdb/ArchivoDeRegistro.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <thread>

namespace evalora::escenario {

namespace fs = std::filesystem;

namespace {

// The check of a thing that must be or must not be ("archivo" / "sin-archivo"): `es` is what was
// found, `debe` what the line asks.
bool SiONo(bool es, bool debe, const char* si, const char* no, std::string& hallado) {
  if (es != debe) hallado = es ? si : no;
  return es == debe;
}

const char* RolLeido(ui::Rol rol) {
  static const char* const kRoles[] = {"", "botón", "enlace", "texto", "caja", "casilla", "barra"};
  return kRoles[static_cast<int>(rol)];
}

std::string Leido(const Accesible& a) {
  std::string texto = a.rol + ": " + a.nombre;
  if (!a.valor.empty()) texto += " = " + a.valor;
  std::string estados;
  for (const auto& [es, nombre] :
       {std::pair{a.marcado, "marcada"}, {a.enfocado, "foco"}, {a.deshabilitado, "deshabilitado"}}) {
    if (es) estados += std::string(estados.empty() ? "" : ", ") + nombre;
  }
  return estados.empty() ? texto : texto + " (" + estados + ")";
}

std::string Leidos(const std::vector<Accesible>& todos) {
  std::string texto;
  for (const Accesible& a : todos) texto += (texto.empty() ? "" : " | ") + Leido(a);
  return texto;
}

}  // namespace

bool Escenario::Termina(const Accion&, std::string& hallado) {
  if (!terminado_) hallado = iniciado_ ? "el programa sigue en marcha en " + PanelVisible() : "no se inició";
  return terminado_;
}

bool Escenario::Recibio(const Accion& a, std::string& hallado) {
  if (!servidores_) {
    hallado = "el catálogo no se ha puesto en marcha";
    return false;
  }
  const auto lineas = servidores_->Recibido();
  for (const auto& l : lineas) {
    if (l == Texto(a, 0)) return true;
  }
  hallado = lineas.empty() ? "el catálogo no recibió nada" : "lo último recibido: " + lineas.back();
  return false;
}

// How many lines the catalogue received (or requests the download server received) contain the
// text; "veces N" demands exactly N, otherwise at least one.
bool Escenario::Contadas(const Accion& a, std::string& hallado) {
  if (!servidores_) {
    hallado = "el servidor no se ha puesto en marcha";
    return false;
  }
  int64_t veces = 0, esperadas = -1;
  const auto lineas = a.orden == "pedido" ? servidores_->Pedidos() : servidores_->Recibido();
  for (const auto& l : lineas) veces += l.find(Texto(a, 0)) != std::string::npos;
  if (Texto(a, 1) == "veces" && !Numero(Texto(a, 2), esperadas)) {
    hallado = "«veces» necesita un número";
    return false;
  }
  const bool bien = esperadas < 0 ? veces > 0 : veces == esperadas;
  if (!bien) hallado = std::to_string(veces) + " veces";
  return bien;
}

// The temporary files of interrupted downloads (EVL….tmp) in a folder and every folder below.
bool Escenario::Temporales(const Accion& a, std::string& hallado) {
  int64_t esperados = 0;
  if (!Numero(Texto(a, 1), esperados)) {
    hallado = "«temporales» necesita la carpeta y un número";
    return false;
  }
  int64_t hay = 0;
  std::vector<std::string> carpetas{Texto(a, 0)};
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

// Byte for byte what the server has at a path of its content folder; a file that changes at each
// request (`cambiante`) has its bytes mixed with its version's number.
bool Escenario::ComoServido(const Accion& a, std::string& hallado) {
  int64_t version = 0;
  if (a.argumentos.size() > 2 && (Texto(a, 2) != "version" || !Numero(Texto(a, 3), version))) {
    hallado = "«como-servido» necesita la ruta, la del servidor y, si acaso, «version <n>»";
    return false;
  }
  const auto copia = maquina_->Archivos().LeerArchivo(Texto(a, 0), size_t{1} << 31);
  std::ifstream entrada(opciones_.contenido / std::filesystem::path(Texto(a, 1)).relative_path(), std::ios::binary);
  std::string servido((std::istreambuf_iterator<char>(entrada)), std::istreambuf_iterator<char>());
  if (!copia || !entrada) {
    hallado = !copia ? "no se lee la copia" : "el servidor no tiene ese archivo";
    return false;
  }
  const char mezcla = static_cast<char>(version * 0x3B);
  for (char& c : servido) c = static_cast<char>(c ^ mezcla);
  if (*copia == servido) return true;
  size_t distinto = 0;
  while (distinto < std::min(copia->size(), servido.size()) && (*copia)[distinto] == servido[distinto]) ++distinto;
  hallado = std::to_string(copia->size()) + " bytes de " + std::to_string(servido.size()) +
            ", distintos desde el byte " + std::to_string(distinto);
  return false;
}

bool Escenario::ComprobarCarpeta(const Accion& a, std::string& hallado) {
  return SiONo(maquina_->Archivos().ExisteCarpeta(Texto(a, 0)), a.orden == "carpeta", "existe", "no existe", hallado);
}

bool Escenario::WineValor(const Accion& a, std::string& hallado) { return maquina_->LineaDeWine(a, true, hallado); }

bool Escenario::ComprobarClave(const Accion& a, std::string& hallado) {
  const auto clave = AnalizarClave(Texto(a, 0));
  if (!clave) {
    hallado = "raíz desconocida en " + Texto(a, 0);
    return false;
  }
  const bool existe = maquina_->RegistroDeLaMaquina().AbrirClave(clave->first, clave->second) == win::kExito;
  return SiONo(existe, a.orden == "clave", "existe", "no existe", hallado);
}

bool Escenario::ComprobarValor(const Accion& a, std::string& hallado) {
  const auto clave = AnalizarClave(Texto(a, 0));
  if (!clave) {
    hallado = "raíz desconocida en " + Texto(a, 0);
    return false;
  }
  DatoDelRegistro dato;
  if (maquina_->RegistroDeLaMaquina().ConsultarValor(clave->first, clave->second, Texto(a, 1), dato) != win::kExito) {
    hallado = "no existe";
    return false;
  }
  const std::string actual = TextoDeDato(dato);
  if (actual != Texto(a, 2)) hallado = Mostrable(actual);
  return actual == Texto(a, 2);
}

bool Escenario::Lnkinfo(const Accion& a, std::string& hallado) {
  return maquina_->Lnkinfo(Texto(a, 0), Texto(a, 1), hallado);
}

// The rows of a query on the registration file (its password), "|" between fields and a line
// break between rows.
bool Escenario::ComprobarBase(const Accion& a, std::string& hallado) {
  const auto ruta = maquina_->RutaLocal(Texto(a, 0));
  ArchivoDeRegistro bd;
  std::string error;
  if (!ruta || !bd.Abrir(*ruta, kClaveDelArchivoDeRegistro, error)) {
    hallado = "no se pudo abrir: " + error;
    return false;
  }
  const auto filas = bd.Consultar(Texto(a, 1), error);
  if (!filas) {
    hallado = error;
    return false;
  }
  std::string actual;
  for (size_t f = 0; f < filas->size(); ++f) {
    for (size_t c = 0; c < (*filas)[f].size(); ++c) actual += (c ? "|" : "") + (*filas)[f][c];
    if (f + 1 < filas->size()) actual += "\r\n";
  }
  if (actual != Texto(a, 2)) {
    hallado = Mostrable(actual);
    return false;
  }
  // And Debian's sqlcipher tool reads the same rows.
  return maquina_->BaseConSqlcipher(Texto(a, 0), kClaveDelArchivoDeRegistro, Texto(a, 1), Texto(a, 2), hallado);
}

// A file a program that runs on its own writes: up to 10 real seconds.
bool Escenario::EsperaArchivo(const Accion& a, std::string& hallado) {
  for (int i = 0; i < 1000 && !maquina_->Archivos().ExisteArchivo(Texto(a, 0)); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  if (!maquina_->Archivos().ExisteArchivo(Texto(a, 0))) hallado = "no apareció en 10 s";
  return maquina_->Archivos().ExisteArchivo(Texto(a, 0));
}

bool Escenario::ComprobarArchivo(const Accion& a, std::string& hallado) {
  const auto tamano = maquina_->Archivos().Tamano(Texto(a, 0));
  if (a.orden == "sin-archivo") {
    if (tamano) hallado = "existe, con " + std::to_string(*tamano) + " bytes";
    return !tamano;
  }
  if (!tamano) {
    hallado = "no existe";
    return false;
  }
  int64_t esperado = 0;
  if (a.argumentos.size() > 1 && (!Numero(Texto(a, 1), esperado) || esperado != *tamano)) {
    hallado = std::to_string(*tamano) + " bytes";
    return false;
  }
  return true;
}

bool Escenario::Abrio(const Accion& a, std::string& hallado) {
  if (!plataforma_) return false;
  for (const auto& abierto : plataforma_->shell.abiertos) {
    if (abierto == Texto(a, 0)) return true;
  }
  hallado = plataforma_->shell.abiertos.empty() ? "no se abrió nada" : "se abrió " + plataforma_->shell.abiertos.back();
  return false;
}

bool Escenario::ComprobarPaso(const Accion& a, std::string& hallado) {
  if (!EnMarcha(hallado)) return false;
  const ui::frmPrincipal& ventana = asistente_->Ventana();
  const std::string panel = ui::frmPrincipal::PanelDelPaso(Texto(a, 0));
  const bool visible = !panel.empty() && ventana.Existe(panel) && !ventana.Oculto(panel) &&
                       PanelVisible() == RecortarBlancos(Texto(a, 0));
  if (!visible) hallado = "el paso visible es " + PanelVisible();
  return visible;
}

bool Escenario::ComprobarFoco(const Accion& a, std::string& hallado) {
  if (!EnMarcha(hallado)) return false;
  const std::string& foco = asistente_->Ventana().Foco();
  if (foco != Texto(a, 0)) hallado = foco.empty() ? "nada" : foco;
  return foco == Texto(a, 0);
}

// The step's order of focus as one text: each control with what a screen reader hears of it.
bool Escenario::ComprobarOrdenDeFoco(const Accion& a, std::string& hallado) {
  if (!EnMarcha(hallado)) return false;
  const ui::frmPrincipal& ventana = asistente_->Ventana();
  std::string orden;
  for (const int i : ventana.OrdenDeFoco()) {
    const ui::Control& c = ventana.Controles()[static_cast<size_t>(i)];
    if (!orden.empty()) orden += ", ";
    orden += c.nombre + " (" + RolLeido(c.rol) + ": " + ventana.NombreAccesible(i) + ")";
  }
  if (orden != Texto(a, 0)) hallado = orden;
  return orden == Texto(a, 0);
}

bool Escenario::ComprobarAccesible(const Accion& a, std::string& hallado) {
  return EnMarcha(hallado) && OyeElFormulario(Texto(a, 0), hallado);
}

// What the system's accessibility reports of the window is the form's own view of the step.
bool Escenario::OyeElFormulario(const std::string& texto, std::string& hallado) {
  for (std::string& nuevo : oyente_->Anuncios()) anuncios_.push_back(std::move(nuevo));
  const ui::frmPrincipal& ventana = asistente_->Ventana();
  const std::vector<Accesible> oido = LoQueOyeUnLector(*vista_);
  std::vector<Accesible> esperado;
  for (const int i : ventana.OrdenAccesible()) {
    const ui::Control& c = ventana.Controles()[static_cast<size_t>(i)];
    Accesible e;
    e.rol = RolLeido(c.rol);
    e.nombre = ventana.NombreAccesible(i);
    if (c.rol == ui::Rol::kCaja) e.valor = c.texto;
    if (c.rol == ui::Rol::kBarra) e.valor = std::to_string(c.porcentaje.value_or(0)) + " %";
    e.marcado = c.marcado;
    e.enfocado = ventana.Foco() == c.nombre;
    e.deshabilitado = !c.habilitado;
    esperado.push_back(std::move(e));
  }
  if (oido != esperado) {
    hallado = "el lector oye «" + Leidos(oido) + "»; el formulario tiene «" + Leidos(esperado) + "»";
    return false;
  }
  if (!texto.empty() && Leidos(oido) != texto) {
    hallado = Leidos(oido);
    return false;
  }
  return true;
}

bool Escenario::ComprobarAnuncio(const Accion& a, std::string& hallado) {
  if (!EnMarcha(hallado)) return false;
  for (std::string& nuevo : oyente_->Anuncios()) anuncios_.push_back(std::move(nuevo));
  if (anuncios_.empty()) {
    hallado = "ningún anuncio";
    return false;
  }
  const std::string oido = anuncios_.front();
  anuncios_.erase(anuncios_.begin());
  if (oido != Texto(a, 0)) hallado = oido;
  return oido == Texto(a, 0);
}

bool Escenario::Capturar(const Accion& a, std::string& hallado) {
  if (!EnMarcha(hallado)) return false;
  const fs::path destino = Captura(Texto(a, 0));
  if (!vista_->Capturar(destino.string())) {
    hallado = "no se pudo guardar " + destino.string();
    return false;
  }
  // What the picture shows is whole: no text of the step is cut by its box.
  hallado = TextosQueNoCaben(*vista_);
  if (!hallado.empty()) hallado = "no cabe el texto de " + hallado;
  return hallado.empty();
}

const ui::Control* Escenario::ControlEnMarcha(const Accion& a, std::string& hallado) const {
  return EnMarcha(hallado) ? ControlDe(a, 0, hallado) : nullptr;
}

bool Escenario::ComprobarTexto(const Accion& a, std::string& hallado) {
  if (!ControlEnMarcha(a, hallado)) return false;
  const std::string actual = asistente_->Ventana().Texto(Texto(a, 0));
  const bool bien = a.orden == "texto" ? actual == Texto(a, 1) : actual.find(Texto(a, 1)) != std::string::npos;
  if (!bien) hallado = Mostrable(actual);
  return bien;
}

bool Escenario::ComprobarVisible(const Accion& a, std::string& hallado) {
  const ui::Control* control = ControlEnMarcha(a, hallado);
  if (!control) return false;
  return SiONo(asistente_->Ventana().ALaVista(control->nombre), a.orden == "visible", "está a la vista", "está oculto",
               hallado);
}

bool Escenario::ComprobarMarcado(const Accion& a, std::string& hallado) {
  const ui::Control* control = ControlEnMarcha(a, hallado);
  if (!control) return false;
  const bool casilla = control->clase == ui::Clase::kCasilla;
  const bool bien = casilla && control->marcado == (a.orden == "marcado");
  if (!bien) hallado = casilla ? (control->marcado ? "marcado" : "desmarcado") : "no es una casilla";
  return bien;
}

bool Escenario::ComprobarColor(const Accion& a, std::string& hallado) {
  if (!ControlEnMarcha(a, hallado)) return false;
  const ui::frmPrincipal& ventana = asistente_->Ventana();
  const ui::Color actual =
      a.orden == "fondo" ? ventana.FondoEfectivo(Texto(a, 0)) : ventana.TintaEfectiva(Texto(a, 0));
  if (Rgb(actual) != Texto(a, 1)) hallado = Rgb(actual);
  return Rgb(actual) == Texto(a, 1);
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

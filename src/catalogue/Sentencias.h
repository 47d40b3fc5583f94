#pragma once
// Every statement the wizard sends to the catalogue, built as the catalogue expects it to the
// character. A single quote inside a text argument is doubled, so a value can neither break the
// statement nor change it.

#include <string>
#include <vector>

#include "core/EstadoDeEjecucion.h"

namespace evalora {

// A text argument's characters as they go between single quotes.
std::string Citar(const std::string& texto);

std::string SentenciaRegistraFalla(const std::string& texto);

// The outcome flags sent with the contact data, each as the digit 1 or 0.
struct IndicadoresDeContacto {
  bool avisoAntivirus = false;
  bool impresoraNoInstalable = false;
  bool instalacionFallida = false;
  bool netFrameworkFaltante = false;
};
std::string SentenciaRegistraCorreo(const std::string& correo, const std::string& telefono, const std::string& nombre,
                                    const IndicadoresDeContacto& indicadores, const EstadoDeEjecucion& estado);

std::string SentenciaObtenerPesoInstalador(const EstadoDeEjecucion& estado);
std::string SentenciaObtenerPesosRecursos(const EstadoDeEjecucion& estado);

// `tipo` is the executable's minor version number (the wizard kind) as decimal text.
std::string SentenciaVersionVigente(const std::string& tipo, const std::string& versionMayor);

std::string SentenciaValidaIDLanzador(const std::string& id);

// The suites the user ticked on the suite step.
struct SuitesElegidas {
  bool office2010 = false;
  bool office2013 = false;
  bool office2016 = false;
  bool office2019 = false;
  bool adobeCS6 = false;
  bool adobeCC2014 = false;
  bool programacion = false;
};

// "01TE", or "02GE" once an accepted welcome ID chose that variant.
std::string SufijoDeVariante(const EstadoDeEjecucion& estado);

// The file-list request of kinds 1 to 7; empty for any other kind (kind 8 calls a procedure with
// parameters instead).
std::string SolicitudDeArchivos(const EstadoDeEjecucion& estado, const SuitesElegidas& suites);

// The launcher's application filter. "Word;Excel;" gives the conditions for Word and Excel; the
// part after the last ";" is ignored and empty parts add no condition, so the filter never ends
// in a dangling " OR " (which the server would refuse).
struct FiltroDeAplicaciones {
  std::vector<std::string> condiciones;  // "RutaServidor LIKE '%Word%'"
};
FiltroDeAplicaciones FiltroDelLanzador(const std::string& aplicaciones);
// The filter as one text: the conditions joined by " OR ".
std::string TextoDelFiltro(const FiltroDeAplicaciones& filtro);
// The filter in texts of at most `maximo` characters, each made of whole conditions, for a
// procedure parameter that holds no more; always at least one text (the empty filter is one).
std::vector<std::string> PartesDelFiltro(const FiltroDeAplicaciones& filtro, size_t maximo = 200);

// The launchers' procedure and its parameters, in their order.
inline constexpr const char* kProcedimientoLanzadores = "spDescargaLanzadores";
inline constexpr const char* kTipoSistemaLanzadores = "Lanzadores";

}  // namespace evalora

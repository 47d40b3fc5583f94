#pragma once
// The statements the development catalogue understands, read from the text the wizard sends.
// Only these forms are recognised; nothing received is ever run as SQL.

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace evalora::servidor {

// A literal argument: a quoted text (its doubled quotes undone) or a bare number.
struct Argumento {
  bool esTexto = false;
  std::string valor;
};

// "Exec proc 'a',1" or "proc 'a',1".
struct LlamadaAProcedimiento {
  std::string procedimiento;
  std::vector<Argumento> argumentos;
};

// SELECT Activa, Version FROM TBL_DMVersionDM WHERE SUBSTRING ( Version ,6 , 1 )=<tipo> and versionEV='<v>'
struct ConsultaDeVersion {
  std::string tipo;
  std::string versionEV;
};

// What the client asks when it connects (sp_datatype_info…): an empty answer does.
struct InformacionDeTipos {};

using Peticion = std::variant<LlamadaAProcedimiento, ConsultaDeVersion, InformacionDeTipos>;

// Nothing for a text that is none of these forms.
std::optional<Peticion> LeerPeticion(const std::string& sql);

// The launcher filter: conditions "RutaServidor LIKE '%x%'" joined by OR; the names of the
// conditions, or nothing when the text is anything else (a dangling OR included).
std::optional<std::vector<std::string>> LeerFiltroDeAplicaciones(const std::string& filtro);

}  // namespace evalora::servidor

#pragma once
// Dates and times written as the user's regional settings write them (the short date and the
// time format of HKCU\Control Panel\International).

#include <cstdint>
#include <string>

#include "platform/Registro.h"

namespace evalora {

struct FormatoRegional {
  std::string fechaCorta = "dd/MM/yyyy";  // sShortDate
  std::string hora = "HH:mm:ss";          // sTimeFormat
  std::string am = "a. m.";               // s1159
  std::string pm = "p. m.";               // s2359
};

FormatoRegional LeerFormatoRegional(Registro& registro);

// A moment (seconds since 1970, shown in the machine's local time) as date, a blank and time.
std::string FechaYHora(int64_t segundos, const FormatoRegional& formato);

}  // namespace evalora

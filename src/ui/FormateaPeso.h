#pragma once
// Sizes as the wizard shows them: bytes, KB, MB or GB, with the user's decimal separator.

#include <string>

#include "platform/Registro.h"

namespace evalora::ui {

inline constexpr int kRedondeoEntero = 1;  // any other selector: two decimals

// Steps the unit up while the value is above 1024 (up to GB), rounds half to even to a whole
// number or two decimals and writes the shortest form: "2 GB", "1,5 MB".
std::string FormateaPeso(double bytes, int redondeo, const std::string& separadorDecimal);

// The decimal separator of the user's regional settings (HKCU\Control Panel\International,
// sDecimal); "." when the settings have none.
std::string SeparadorDecimal(Registro& registro);

}  // namespace evalora::ui

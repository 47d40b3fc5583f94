#pragma once
// Windows command lines: how a program's argument text splits into arguments, and how a list of
// arguments is quoted back into one text.

#include <string>
#include <vector>

namespace evalora {

// The runtime's rules: blanks and tabs separate; backslashes are literal unless they precede a
// quote; 2n backslashes + quote give n backslashes and toggle quoting; 2n+1 give n and a literal
// quote; "" inside quotes is one quote; an unterminated quote runs to the end.
std::vector<std::string> PartirArgumentos(const std::string& linea);

// The program's own name at the start of a full command line: taken whole between quotes
// (without backslash rules), else up to the first blank or tab. `resto` receives what follows.
std::string PrimerArgumento(const std::string& linea, std::string* resto = nullptr);

// One argument as it must be written so that PartirArgumentos gives it back whole: as it is when
// it has no blank, tab or quote; otherwise between quotes, with its quotes and the backslashes
// before them (and before the closing quote) escaped.
std::string CitarArgumento(const std::string& argumento);

}  // namespace evalora

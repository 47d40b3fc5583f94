#pragma once
// The text and number rules every part of the wizard shares. They behave the same on every
// machine: nothing here depends on the process locale.

#include <optional>
#include <string>

namespace evalora {

// Trimming removes blanks (U+0020) only; tabs, line breaks and NULs stay.
std::string RecortarBlancos(const std::string& texto);
std::string RecortarBlancosIzquierda(const std::string& texto);
std::string RecortarBlancosDerecha(const std::string& texto);

// Every occurrence of `que` in the text replaced by `por`, left to right (what is put in is never
// searched again).
std::string Reemplazar(std::string texto, const std::string& que, const std::string& por);

// Upper and lower case of UTF-8 text: ASCII, the Latin letters of Spanish and its neighbours
// (á, é, í, ó, ú, ü, ñ, ç, …), Latin Extended-A, Greek and Cyrillic. Other characters stay.
std::string Mayusculas(const std::string& texto);
std::string Minusculas(const std::string& texto);
char32_t MayusculaDe(char32_t codigo);
char32_t MinusculaDe(char32_t codigo);

// Compares two texts without regard to case (by their upper-case forms).
bool IgualesSinMayusculas(const std::string& a, const std::string& b);

// Length in characters (not bytes) of UTF-8 text, and the characters from `desde` (0-based), at
// most `cuantos` of them: empty past the end.
size_t LongitudEnCaracteres(const std::string& texto);
std::string SubcadenaEnCaracteres(const std::string& texto, size_t desde, size_t cuantos);

// A text read as a number, as the wizard reads its kind text: blanks around it are ignored; an
// optional sign, digits with an optional '.' and fraction, an optional exponent. Anything else
// (empty text, letters, a second number) is no number.
std::optional<double> ANumero(const std::string& texto);
inline bool EsNumerico(const std::string& texto) { return ANumero(texto).has_value(); }

// Rounds to the given number of decimals, halves to the even neighbour (1.5 → 2, 2.5 → 2).
double RedondearPar(double valor, int decimales);

// The number format "###": a whole number without leading zeros, halves rounded away from zero;
// a value that rounds to 0 gives the empty text.
std::string FormatoAlmohadillas(double valor);

}  // namespace evalora

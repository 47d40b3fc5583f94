#pragma once
#include <string>

namespace evalora {

// The format of an Evalora ID: trimmed and upper-cased, exactly 10 characters whose last four are
// one of "02GE", "01TE", "03AC", "04AT". The first six are the catalogue's to check.
bool IdValido(const std::string& id);

}  // namespace evalora

#pragma once
// Wine itself, as the prefix's services meet it: where its loader is, whether its server runs for
// a prefix, and running one of its programs to the end.

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace evalora {

// A program of that name in a PATH text ("/usr/bin:/bin"): the first executable file.
std::optional<std::filesystem::path> BuscarEnPath(const std::string& nombre, const std::string& path);

// Wine's loader: `wine` in the PATH, else `wine64`. Nothing when the PATH has neither.
std::optional<std::filesystem::path> BuscarWine(const std::string& path);
// The same with the process's own PATH.
std::optional<std::filesystem::path> BuscarWine();

// Whether a Wine server runs for the prefix. A server holds a lock on the file "lock" of its
// folder "server-<dev>-<ino>" (device and inode of the prefix folder), which lies in
// /tmp/.wine-<uid>/ (Wine's own layout) or, where the prefix's file "wineserver" names a folder
// (Debian's layout, e.g. "wine-Ab12Cd"), in that folder under $XDG_RUNTIME_DIR, /run/user/<uid>
// or /tmp.
bool ServidorWineActivo(const std::filesystem::path& prefijo);

// Runs a program of Wine in the prefix (`wine <argumentos>`, WINEPREFIX set, Wine's messages
// silenced) and waits for it at most `limite`; its exit status, or nothing when it could not run,
// was killed, or did not end in time (it is then killed).
std::optional<int> EjecutarEnWine(const std::filesystem::path& wine, const std::filesystem::path& prefijo,
                                  const std::vector<std::string>& argumentos, std::chrono::milliseconds limite);

}  // namespace evalora

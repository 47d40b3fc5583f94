#pragma once
// Folder rights on Windows, for the permission tool.

#include <filesystem>

namespace evalora::win32 {

// Opens the folder and all it holds to everyone (the World group may read, write, enter and delete)
// by an inherited entry of its access list. A folder that is a link (junction or symbolic link) is
// refused; Windows never takes an inherited entry across one.
bool AbrirCarpetaATodos(const std::filesystem::path& carpeta);

}  // namespace evalora::win32

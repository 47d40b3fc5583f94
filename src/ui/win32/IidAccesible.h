#pragma once
// IAccessible's interface id, written once here: mingw-w64's oleacc and uuid libraries both define
// IID_IAccessible, and a program that links both fails to link.

#include <guiddef.h>

namespace evalora::ui {

inline constexpr GUID kIidIAccessible = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

}  // namespace evalora::ui

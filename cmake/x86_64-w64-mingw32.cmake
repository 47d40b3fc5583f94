# The Windows build: Debian's mingw-w64 cross-compiler for 64-bit Windows, POSIX threads, every
# runtime library linked in, so each executable runs without a DLL of ours.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(EVALORA_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${EVALORA_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${EVALORA_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${EVALORA_MINGW}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${EVALORA_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

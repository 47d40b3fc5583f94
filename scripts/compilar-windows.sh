#!/usr/bin/env bash
# Builds the Windows executables (64-bit, every runtime library linked in) with Debian's mingw-w64
# cross-compiler into build-windows/, and copies the eight wizards, without their debugging
# symbols, into dist/windows/; with EVALORA_CERTIFICADO they are signed (scripts/firmar-windows.sh).
# Extra arguments go to CMake's configuration (for example
# -DEVALORA_SERVIDOR_DEV=build/bin/evalora-servidor-dev for the tests under Wine).
set -euo pipefail
cd "$(dirname "$0")/.."

generador=()
if command -v ninja >/dev/null 2>&1; then generador=(-G Ninja); fi
cmake --no-warn-unused-cli -S . -B build-windows "${generador[@]}" -DCMAKE_TOOLCHAIN_FILE=cmake/x86_64-w64-mingw32.cmake "$@" >/dev/null
cmake --build build-windows --parallel "$(nproc)"

# What a school downloads: the eight wizards, and nothing else (the scenario runner and the
# permission tool's stand-ins are test tools).
rm -rf dist/windows
mkdir -p dist/windows
for exe in build-windows/bin/Asistente*Evalora*.exe; do
  x86_64-w64-mingw32-strip -o "dist/windows/$(basename "$exe")" "$exe"
done
# Signed after stripping (stripping would break the signature), with the programs the demo
# content delivers, which the installation starts.
scripts/firmar-windows.sh dist/windows/*.exe build-windows/bin/evalora-securityfolder.exe \
  build-windows/bin/evalora-evlogin.exe
echo "compilar-windows: $(ls dist/windows/*.exe | wc -l) ejecutables en dist/windows/"

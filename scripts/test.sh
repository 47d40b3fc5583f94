#!/usr/bin/env bash
# The only test command: installs what is missing, configures, builds and runs every test of both
# builds: the Linux build (build/) and the Windows build (build-windows/, its tests under Wine,
# the eight executables copied to dist/windows/). Arguments go to both CTest runs. The exit status
# says whether all passed; the failing tests' output is printed.
#   scripts/test.sh --linux [ctest arguments]: the Linux build's tests alone (the fast loop).
set -euo pipefail
cd "$(dirname "$0")/.."

solo_linux=0
if [ "${1:-}" = --linux ]; then
  solo_linux=1
  shift
fi

scripts/bootstrap.sh

generador=()
if command -v ninja >/dev/null 2>&1; then generador=(-G Ninja); fi
cmake -S . -B build "${generador[@]}" -DBUILD_TESTING=ON >/dev/null
cmake --build build --parallel "$(nproc)"
if [ $solo_linux = 1 ]; then
  cd build
  exec ctest --output-on-failure --parallel "$(nproc)" --timeout 240 "$@"
fi
scripts/compilar-windows.sh -DBUILD_TESTING=ON -DEVALORA_SERVIDOR_DEV="$PWD/build/bin/evalora-servidor-dev"

estado=0
(cd build && ctest --output-on-failure --parallel "$(nproc)" --timeout 240 "$@") || estado=1
(cd build-windows && ctest --output-on-failure --parallel "$(nproc)" --timeout 300 "$@") || estado=1
exit $estado

#!/usr/bin/env bash
# The only test command: installs what is missing, configures, builds and runs every test.
# The exit status says whether all passed; the failing tests' output is printed.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/bootstrap.sh

generador=()
if command -v ninja >/dev/null 2>&1; then generador=(-G Ninja); fi
cmake -S . -B build "${generador[@]}" -DBUILD_TESTING=ON >/dev/null
cmake --build build --parallel "$(nproc)"

cd build
ctest --output-on-failure --parallel "$(nproc)" --timeout 240 "$@"

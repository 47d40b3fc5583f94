#!/usr/bin/env bash
# Runs every scenario offscreen and writes their screenshots of the wizard's steps to docs/pasos
# (<step>-<kind>.png), the pictures the README shows.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/bootstrap.sh
generador=()
if command -v ninja >/dev/null 2>&1; then generador=(-G Ninja); fi
cmake -S . -B build "${generador[@]}" >/dev/null
cmake --build build --parallel "$(nproc)" --target evalora-escenario
build/bin/evalora-escenario --preparar-contenido build/contenido-escenarios
build/bin/evalora-escenario --contenido build/contenido-escenarios --capturas docs/pasos \
  $(ls tests/escenarios/*.txt | grep -v '/demo-')

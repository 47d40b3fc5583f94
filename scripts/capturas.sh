#!/usr/bin/env bash
# Runs every scenario against both builds and writes their screenshots of the wizard's steps, the
# pictures the README shows: the Linux build's (offscreen) to docs/pasos/<step>-<kind>.png, the
# Windows build's (under Wine, on Xvfb) to docs/pasos/windows/<step>-<kind>.png.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/bootstrap.sh
generador=()
if command -v ninja >/dev/null 2>&1; then generador=(-G Ninja); fi
cmake -S . -B build "${generador[@]}" >/dev/null
cmake --build build --parallel "$(nproc)" --target evalora-escenario evalora-servidor-dev
escenarios=$(ls tests/escenarios/*.txt | grep -v '/demo-')
build/bin/evalora-escenario --preparar-contenido build/contenido-escenarios
build/bin/evalora-escenario --contenido build/contenido-escenarios --capturas docs/pasos $escenarios

scripts/compilar-windows.sh -DBUILD_TESTING=ON -DEVALORA_SERVIDOR_DEV="$PWD/build/bin/evalora-servidor-dev" >/dev/null
build/bin/evalora-escenario --preparar-contenido build-windows/contenido-escenarios --programas build-windows/bin
printf '%s\n' $escenarios | xargs -P "$(nproc)" -I{} tests/windows/escenario.sh \
  "$PWD/build/bin/evalora-servidor-dev" "$PWD/build-windows/bin" "$PWD/build-windows/contenido-escenarios" \
  "$PWD/build-windows/prefijo-wine" "$PWD/docs/pasos/windows" "$PWD/{}" | grep -v '^X connection'

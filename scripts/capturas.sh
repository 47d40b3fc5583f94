#!/usr/bin/env bash
# Runs every scenario against both builds and writes their screenshots of the wizard's steps, the
# pictures the README shows: the Linux build's (offscreen) to docs/pasos/<step>-<kind>.png, the
# Windows build's (under Wine, on Xvfb) to docs/pasos/windows/<step>-<kind>.png at 96 DPI and to
# docs/pasos/windows/120ppp/ and 144ppp/ at 120 and 144 DPI; docs/pasos/windows/marco-6.png is a
# whole window of the Windows build, its caption and icon drawn by Wine.
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
for ppp in 96 120 144; do
  destino="$PWD/docs/pasos/windows"
  [ "$ppp" = 96 ] || destino="$destino/${ppp}ppp"
  # A scenario that does not run in this build (status 77) is no failure.
  printf '%s\n' $escenarios | EVALORA_PPP=$ppp xargs -P "$(nproc)" -I{} bash -c \
    'tests/windows/escenario.sh "$@" || [ $? -eq 77 ]' _ "$PWD/build/bin/evalora-servidor-dev" \
    "$PWD/build-windows/bin" "$PWD/build-windows/contenido-escenarios" "$PWD/build-windows/prefijo-wine" \
    "$destino" "$PWD/{}" | grep -v '^X connection'
done
EVALORA_MARCO_DE_WINE=1 EVALORA_CAPTURA_DEL_MARCO="Z:$(echo "$PWD/docs/pasos/windows/marco-6.png" | tr / '\\')" \
  scripts/en-wine.sh "$PWD/build-windows/prefijo-wine" build-windows/tests/windows/pruebas_win_ventana.exe \
  --gtest_filter='*ElTituloMuestraElIcono*' >/dev/null

#!/usr/bin/env bash
# Runs one scenario file against the Windows build under Wine:
#   tests/windows/escenario.sh <evalora-servidor-dev> <Windows bin folder> <content folder> <base prefix folder> <screenshots folder> <scenario.txt> [runner options…]
# The development server runs as a Linux program beside Wine with the scenario's own SQL (its
# "catalogo" lines) over a content folder that already holds the Windows programs; the runner
# (evalora-escenario.exe) runs in a fresh copy of the prefix Wine made once, on its own Xvfb; then
# what the scenario asked of Wine's own tools (wine reg query, lnkinfo) is checked from outside.
set -uo pipefail
servidor=$1 binarios=$2 contenido=$3 base=$4 capturas=$5 escenario=$6
shift 6  # what remains goes to the runner (--contar)
raiz=$(cd "$(dirname "$0")/../.." && pwd)
carpeta=$(cd "$(dirname "$escenario")" && pwd)
opciones=(--contenido-hecho)
while IFS= read -r sql; do
  opciones+=(--catalogo "$carpeta/$sql")
done < <(sed -n 's/^[[:space:]]*catalogo[[:space:]]\+"\{0,1\}\([^"]*\)"\{0,1\}[[:space:]]*$/\1/p' "$escenario")
mkdir -p "$capturas"
# Dates read the same on every machine.
export TZ=UTC
exec "$raiz/scripts/con-servidor-dev.sh" "$servidor" "$contenido" "${opciones[@]}" -- \
  "$raiz/scripts/en-wine.sh" "$base" --despues "$raiz/tests/windows/comprobar-escenario.sh" \
  "$binarios/evalora-escenario.exe" --contenido "$contenido" --capturas "$capturas" "$@" "$escenario"

#!/usr/bin/env bash
# Builds the wizards and runs the one of the given kind (1 to 8, default 6) against the
# development server on loopback, over a demo prefix (build/demo-prefijo). With a display the
# wizard opens its window; without one, the kind's demo scenario (tests/escenarios/demo-<kind>.txt)
# runs offscreen, prints each step it reaches and writes its screenshots to demo/.
#   scripts/demo.sh --windows [kind]: the Windows executable of that kind under Wine, in a prefix of
# its own (build-windows/demo-wine, HOME beside it), against the same server; without a display the
# demo scenario drives it on Xvfb and its screenshots go to demo/windows/.
set -euo pipefail
cd "$(dirname "$0")/.."
windows=false
if [[ "${1:-}" == --windows ]]; then
  windows=true
  shift
fi
tipo="${1:-6}"
# Each executable's name carries the product version it was built for.
patrones=(
  'AsistenteDeInstalacionEvalora*Cloud'
  'AsistenteBaseDeDatosEvalora*Local'
  'AsistenteDeInstalacionEvalora*Local'
  'AsistenteDescargaEvalora*Cloud'
  'AsistenteDescargaEvalora*Local'
  'AsistenteMaterialDidacticoEvalora*Cloud'
  'AsistenteMaterialDidacticoEvalora*Local'
  'AsistenteLanzadoresEvalora*'
)
if ! [[ "$tipo" =~ ^[1-8]$ ]]; then
  echo "uso: scripts/demo.sh [--windows] [tipo 1-8]" >&2
  exit 2
fi
scripts/bootstrap.sh
generador=()
if command -v ninja >/dev/null 2>&1; then generador=(-G Ninja); fi
cmake -S . -B build "${generador[@]}" >/dev/null
cmake --build build --parallel "$(nproc)"

if $windows; then
  # The Windows build, with the Linux build's development server beside it.
  scripts/compilar-windows.sh -DBUILD_TESTING=ON -DEVALORA_SERVIDOR_DEV="$PWD/build/bin/evalora-servidor-dev" >/dev/null
  contenido=build-windows/demo-contenido
  build/bin/evalora-escenario --preparar-contenido "$contenido" --programas build-windows/bin
  ejecutable=$(find dist/windows -maxdepth 1 -type f -name "${patrones[$((tipo - 1))]}.exe" | head -n 1)
  if [[ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]]; then
    escenario="tests/escenarios/demo-${tipo}.txt"
    echo "Sin pantalla: el escenario $escenario maneja $(basename "$ejecutable") bajo Wine en Xvfb; capturas en demo/windows/."
    exec tests/windows/escenario.sh "$PWD/build/bin/evalora-servidor-dev" "$PWD/build-windows/bin" "$PWD/$contenido" \
      "$PWD/build-windows/prefijo-wine" "$PWD/demo/windows" "$PWD/$escenario" --contar
  fi
  # The demo machine: a prefix of its own that Wine makes, with .NET Framework 2.0 as a school's.
  export WINEPREFIX="$PWD/build-windows/demo-wine/prefijo" HOME="$PWD/build-windows/demo-wine/casa"
  export WINEDLLOVERRIDES="mscoree,mshtml=,winemenubuilder.exe=d" WINEDEBUG=-all
  mkdir -p "$HOME"
  wine reg add 'HKLM\SOFTWARE\Microsoft\NET Framework Setup\NDP\v2.0.50727' /v Install /t REG_DWORD /d 1 /f \
    >/dev/null 2>&1
  echo "Prefijo de Wine de la demostración: $WINEPREFIX"
  scripts/con-servidor-dev.sh build/bin/evalora-servidor-dev "$contenido" --contenido-hecho -- \
    sh -c 'EVALORA_SITIO_WEB="$EVALORA_HTTP/" exec wine "$0"' "$ejecutable"
  wineserver -k 2>/dev/null || true
  exit 0
fi

contenido=build/demo-contenido
mkdir -p "$contenido"
if [[ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]]; then
  escenario="tests/escenarios/demo-${tipo}.txt"
  if [[ ! -f "$escenario" ]]; then
    echo "No hay pantalla y el tipo $tipo aún no tiene escenario de demostración ($escenario)." >&2
    exit 1
  fi
  echo "Sin pantalla: el escenario $escenario corre fuera de pantalla; capturas en demo/."
  build/bin/evalora-escenario --preparar-contenido "$contenido"
  exec build/bin/evalora-escenario --contenido "$contenido" --capturas demo --contar "$escenario"
fi

# The development server: the demo catalogue and its downloads, on free ports.
salida=$(mktemp)
build/bin/evalora-servidor-dev --contenido "$contenido" >"$salida" &
servidor=$!
trap 'kill $servidor 2>/dev/null; rm -f "$salida"' EXIT
for _ in $(seq 100); do
  [[ $(wc -l <"$salida") -ge 2 ]] && break
  kill -0 $servidor 2>/dev/null || { echo "El servidor de desarrollo no arrancó." >&2; exit 1; }
  sleep 0.1
done
catalogo=$(awk '/^catalogo /{print $2}' "$salida")
descargas=$(awk '/^descargas /{print $2}' "$salida")
echo "Servidor de desarrollo: catálogo en 127.0.0.1:$catalogo, descargas en 127.0.0.1:$descargas"

# The demo machine is a school's: .NET Framework 2.0 is there.
mkdir -p build/demo-prefijo
EVALORA_PREFIJO="$PWD/build/demo-prefijo" build/bin/evalora-reg add \
  'HKLM\SOFTWARE\Microsoft\NET Framework Setup\NDP\v2.0.50727' /v Install /t REG_DWORD /d 1 /f >/dev/null
ejecutable=$(find build/bin -maxdepth 1 -type f -name "${patrones[$((tipo - 1))]}" | head -n 1)
EVALORA_PREFIJO="$PWD/build/demo-prefijo" \
EVALORA_CATALOGO="127.0.0.1:$catalogo" \
EVALORA_SITIO_WEB="http://127.0.0.1:$descargas/" \
  "$ejecutable"

#!/usr/bin/env bash
# Builds the wizards and runs the one of the given kind (1 to 8, default 6) against the
# development server on loopback, over a demo prefix (build/demo-prefijo). With a display the
# wizard opens its window; without one, the kind's demo scenario (tests/escenarios/demo-<kind>.txt)
# runs offscreen, prints each step it reaches and writes its screenshots to demo/.
set -euo pipefail
cd "$(dirname "$0")/.."
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
  echo "uso: scripts/demo.sh [tipo 1-8]" >&2
  exit 2
fi
scripts/bootstrap.sh
generador=()
if command -v ninja >/dev/null 2>&1; then generador=(-G Ninja); fi
cmake -S . -B build "${generador[@]}" >/dev/null
cmake --build build --parallel "$(nproc)"

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

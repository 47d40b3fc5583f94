#!/usr/bin/env bash
# Builds and runs the wizard of one kind (1 to 8, default 6).
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
ejecutable=$(find build/bin -maxdepth 1 -type f -name "${patrones[$((tipo - 1))]}" | head -n 1)
exec "$ejecutable"

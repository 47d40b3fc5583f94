#!/usr/bin/env bash
# Builds and runs the wizard of one kind (1 to 8, default 6).
set -euo pipefail
cd "$(dirname "$0")/.."
tipo="${1:-6}"
nombres=(
  AsistenteDeInstalacionEvalora2020Cloud
  AsistenteBaseDeDatosEvalora2020Local
  AsistenteDeInstalacionEvalora2020Local
  AsistenteDescargaEvalora2020Cloud
  AsistenteDescargaEvalora2020Local
  AsistenteMaterialDidacticoEvalora2020Cloud
  AsistenteMaterialDidacticoEvalora2020Local
  AsistenteLanzadoresEvalora2020
)
if ! [[ "$tipo" =~ ^[1-8]$ ]]; then
  echo "uso: scripts/demo.sh [tipo 1-8]" >&2
  exit 2
fi
scripts/bootstrap.sh
generador=()
if command -v ninja >/dev/null 2>&1; then generador=(-G Ninja); fi
cmake -S . -B build "${generador[@]}" >/dev/null
cmake --build build --parallel "$(nproc)" --target "${nombres[$((tipo - 1))]}"
exec "build/bin/${nombres[$((tipo - 1))]}"

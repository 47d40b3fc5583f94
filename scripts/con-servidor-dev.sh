#!/usr/bin/env bash
# Runs a command while the development server runs as a Linux program on loopback:
#   scripts/con-servidor-dev.sh <evalora-servidor-dev> <content folder> [server options… --] <command> [arguments…]
# The command finds the server in its environment: EVALORA_CATALOGO (127.0.0.1:<port>),
# EVALORA_HTTP (http://127.0.0.1:<port>), EVALORA_REGISTRO_CATALOGO (the statements log),
# EVALORA_PEDIDOS_HTTP (the HTTP requests log) and EVALORA_CONTENIDO (the folder it serves).
# Windows programs under Wine see the same variables. Options before "--" go to the server
# (--catalogo FILE.sql, --contenido-hecho, …).
set -uo pipefail
servidor=$1
contenido=$2
shift 2
opciones=()
# Looked for without a pipe: with pipefail, grep -q leaving early would fail the printf feeding it.
hay_opciones=false
for argumento in "$@"; do
  if [ "$argumento" = -- ]; then
    hay_opciones=true
    break
  fi
done
if $hay_opciones; then
  while [ "$1" != -- ]; do
    opciones+=("$1")
    shift
  done
  shift
fi
if [ ! -x "$servidor" ]; then
  echo "con-servidor-dev: no existe el servidor de desarrollo $servidor (lo da la compilación de Linux)" >&2
  exit 1
fi
carpeta=$(mktemp -d "${TMPDIR:-/tmp}/evalora-servidor.XXXXXX")
mkdir -p "$contenido"
"$servidor" --registro "$carpeta/registro.txt" --pedidos "$carpeta/pedidos.txt" --contenido "$contenido" \
  "${opciones[@]}" >"$carpeta/salida.txt" 2>&1 &
pid=$!
terminar() {
  kill "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  rm -rf "$carpeta"
}
trap terminar EXIT
for _ in $(seq 1 200); do
  grep -q '^descargas ' "$carpeta/salida.txt" 2>/dev/null && break
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.05
done
catalogo=$(sed -n 's/^catalogo //p' "$carpeta/salida.txt")
descargas=$(sed -n 's/^descargas //p' "$carpeta/salida.txt")
if [ -z "$catalogo" ] || [ -z "$descargas" ]; then
  echo "con-servidor-dev: el servidor no arrancó:" >&2
  cat "$carpeta/salida.txt" >&2
  exit 1
fi
# The statements of the demo's start are not the command's.
: >"$carpeta/registro.txt"
: >"$carpeta/pedidos.txt"
EVALORA_CATALOGO="127.0.0.1:$catalogo" EVALORA_HTTP="http://127.0.0.1:$descargas" \
  EVALORA_REGISTRO_CATALOGO="$carpeta/registro.txt" EVALORA_PEDIDOS_HTTP="$carpeta/pedidos.txt" \
  EVALORA_CONTENIDO="$contenido" "$@"

#!/usr/bin/env bash
# The download benchmark: the wizard's download manager against one curl process, in one run, over
# the development server on loopback. (a) one file of 1 GiB, (b) 2,000 files of 64 KiB; with
# --muchos also (c) 40,000 files of 1 KiB (six rounds: they take long), whose rate at the start
# and at the end of the list must match. Every byte of every copy is compared with the served file.
# Medians of 45 rounds, each round led by another contender in turn, each contender in a process of
# its own; the ratios are the medians of each round's side-by-side ratios.
# With --cortes only (d): one file of 256 MiB whose connection drops after every 32 MiB of it, the
# manager against curl resuming (`curl -C -` run again after each cut until the file is whole) and
# `aria2c -c` (the same), with each one's bytes fetched as the server counted them.
# With --windows the Windows build's manager under Wine (WinINet) runs beside the Linux manager and
# curl on (a), (b) and (d) (fewer rounds: Wine starts for each one).
# Usage: bench/descarga.sh [--muchos] [--cortes] [--windows] [folder for the files, default a temporary one]
set -euo pipefail
cd "$(dirname "$0")/.."
muchos=false
cortes=false
windows=false
while [ "${1:-}" = --muchos ] || [ "${1:-}" = --cortes ] || [ "${1:-}" = --windows ]; do
  case "$1" in
    --muchos) muchos=true ;;
    --cortes) cortes=true ;;
    --windows) windows=true ;;
  esac
  shift
done
scripts/bootstrap.sh
generador=()
if command -v ninja >/dev/null 2>&1; then generador=(-G Ninja); fi
cmake -S . -B build "${generador[@]}" >/dev/null
cmake --build build --parallel "$(nproc)" --target evalora-servidor-dev evalora-banco-descarga >/dev/null
if $windows; then
  if [ -f build-windows/build.ninja ] || [ -f build-windows/Makefile ]; then
    cmake --build build-windows --parallel "$(nproc)" --target evalora-banco-descarga-win >/dev/null
  else
    scripts/compilar-windows.sh >/dev/null
  fi
  export EVALORA_BANCO_WINDOWS="$PWD/scripts/en-wine.sh $PWD/build-windows/prefijo-wine $PWD/build-windows/bin/evalora-banco-descarga-win.exe"
fi

trabajo="${1:-}"
propio=false  # a temporary folder of its own goes away at the end, content and all
sello="$trabajo/borrado"  # when the benchmark last deleted its files on this disk
if [ -z "$trabajo" ]; then
  trabajo=$(mktemp -d)
  propio=true
  sello="$(dirname "$trabajo")/evalora-banco-borrado"
fi
mkdir -p "$trabajo/contenido/a" "$trabajo/contenido/b" "$trabajo/contenido/d"
casos=(a b)
if $cortes; then
  casos=(d)
elif $windows; then
  casos=(a b d)
fi
if [[ " ${casos[*]} " = *" a "* ]] && [ ! -f "$trabajo/contenido/a/grande.bin" ]; then
  head -c 1073741824 /dev/urandom > "$trabajo/contenido/a/grande.bin"
fi
if [[ " ${casos[*]} " = *" b "* ]] && [ ! -f "$trabajo/contenido/b/f1999.bin" ]; then
  for i in $(seq 0 1999); do head -c 65536 /dev/urandom > "$trabajo/contenido/b/f$i.bin"; done
fi
[ -f "$trabajo/contenido/d/cortado.bin" ] || head -c 268435456 /dev/urandom > "$trabajo/contenido/d/cortado.bin"

if $muchos; then
  casos+=(c)
  mkdir -p "$trabajo/contenido/c"
  if [ ! -f "$trabajo/contenido/c/f39999.bin" ]; then
    head -c $((40000 * 1024)) /dev/urandom | split -a 5 -d -b 1024 - "$trabajo/contenido/c/f"
    for f in "$trabajo"/contenido/c/f?????; do mv "$f" "$trabajo/contenido/c/f$((10#${f##*/f})).bin"; done
  fi
fi

# The window's Qt wants a runtime folder of the user's own.
export XDG_RUNTIME_DIR="$trabajo/runtime"
mkdir -p -m 700 "$XDG_RUNTIME_DIR"

salida="$trabajo/servidor.txt"
build/bin/evalora-servidor-dev --sin-demo --contenido "$trabajo/contenido" > "$salida" &
servidor=$!
trap 'kill $servidor 2>/dev/null; wait $servidor 2>/dev/null || true; if $propio; then rm -rf "$trabajo"; touch "$sello"; fi' EXIT
for _ in $(seq 1 100); do grep -q descargas "$salida" 2>/dev/null && break; sleep 0.1; done
puerto=$(awk '/descargas/{print $2}' "$salida")

# The server reads its files from the page cache for every contender alike.
for caso in "${casos[@]}"; do find "$trabajo/contenido/$caso" -type f -exec cat {} + > /dev/null; done
if $muchos; then find "$trabajo/contenido/c" -type f -exec cat {} + > /dev/null; fi

# Nothing deleted while it measures. On ext4 without a journal, for up to five minutes after a
# deletion (while the inode table is not yet on disk) every file created skips the inodes just
# freed one by one, which slows file creation many times over for whoever comes next: the copies
# of each round are moved aside (bench/banco_descarga.cpp), deleted at the end, and the next run
# waits until five minutes have passed since then.
borrar() {
  rm -rf "$@"
  sync
  touch "$sello"
}
copias=(prefijo curl curl-c aria2c windows papelera)
if [ -n "$(cd "$trabajo" && ls -d "${copias[@]}" 2>/dev/null)" ]; then
  borrar "${copias[@]/#/$trabajo/}"
fi
if [ -f "$sello" ]; then
  falta=$(($(stat -c %Y "$sello") + 305 - $(date +%s)))
  if [ "$falta" -gt 0 ]; then
    echo "esperando ${falta} s: los archivos borrados hace menos de cinco minutos frenan la creación de otros"
    sleep "$falta"
  fi
fi

for caso in "${casos[@]}"; do
  if [ "$caso" = a ]; then
    echo "(a) un archivo de 1 GiB"
    archivos=(a/grande.bin)
  elif [ "$caso" = b ]; then
    echo "(b) 2000 archivos de 64 KiB"
    archivos=()
    for i in $(seq 0 1999); do archivos+=("b/f$i.bin"); done
  elif [ "$caso" = c ]; then
    echo "(c) 40000 archivos de 1 KiB"
    archivos=()
    for i in $(seq 0 39999); do archivos+=("c/f$i.bin"); done
  else
    echo "(d) un archivo de 256 MiB cortado cada 32 MiB"
    archivos=(d/cortado.bin)
  fi
  # Rounds of about a second on a machine that is never quite still: one round's ratio of two
  # contenders ranges from 0.7 to 1.4, and the median of 21 rounds moved by five per cent from one
  # run to the next; 45 of them (a multiple of three: each contender leads as many rounds as the
  # others).
  # Six for the long list: a tenth of it lasts under a second, and this machine's pace can shift
  # by a third within a round (the median round's change from the first tenth to the last moved
  # between -3 % and -42 % in four runs of the same code with three rounds).
  rondas=45
  [ "$caso" = c ] && rondas=6
  base="http://127.0.0.1:$puerto"
  contendientes=()
  copias=(prefijo/drive_c/BancoGestor prefijo/drive_c/Banco curl)
  if [ "$caso" = d ]; then
    # Every contender meets the same cuts: the file's connection closes at each 32 MiB of it.
    base="$base/_fallas/cortar-cada=33554432"
    rondas=9
    contendientes=(--contendientes gestor,curl-c,aria2c)
    copias=(prefijo/drive_c/BancoGestor curl-c aria2c)
  fi
  if $windows; then
    rondas=5
    if [ "$caso" = d ]; then
      contendientes=(--contendientes gestor,curl-c,aria2c,windows)
    else
      contendientes=(--contendientes gestor,curl,windows)
      copias=(prefijo/drive_c/BancoGestor curl)
    fi
    copias+=(windows)
  fi
  build/bin/evalora-banco-descarga --rondas "$rondas" "${contendientes[@]}" "$base" "$trabajo" "${archivos[@]}"
  # The last round's copies, byte by byte, and nothing else beside them (no temporary file left).
  for copia in "${copias[@]}"; do
    diff -rq "$trabajo/contenido/$caso" "$trabajo/$copia/$caso" || { echo "copia diferente: $copia/$caso"; exit 1; }
  done
done
copias=(prefijo curl curl-c aria2c windows papelera)
borrar "${copias[@]/#/$trabajo/}"

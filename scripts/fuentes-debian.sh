#!/usr/bin/env bash
# Fetches Debian source packages with apt-get source into a folder, without touching the machine's
# apt setup: the source entries ("deb-src") are derived from the machine's own enabled entries
# ("deb") into a private apt state under the folder.
#   scripts/fuentes-debian.sh <folder> <package>...
# Each package ends up unpacked (with Debian's patches applied) in <folder>/<package>-<version>/,
# and its path is written to <folder>/<package>.ruta. A package already fetched is not fetched again.
set -euo pipefail
carpeta=$1
shift
mkdir -p "$carpeta"
carpeta=$(cd "$carpeta" && pwd)
apt="$carpeta/apt"

faltan=()
for paquete in "$@"; do
  ruta_guardada="$carpeta/$paquete.ruta"
  if [ -f "$ruta_guardada" ] && [ -d "$(cat "$ruta_guardada")" ]; then continue; fi
  faltan+=("$paquete")
done
[ ${#faltan[@]} -eq 0 ] && exit 0

mkdir -p "$apt/sources.list.d" "$apt/lists/partial" "$apt/cache/archives/partial"
: >"$apt/sources.list"
# One-line entries: "deb …" gives "deb-src …".
for lista in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
  [ -f "$lista" ] || continue
  sed -n 's/^[[:space:]]*deb[[:space:]]/deb-src /p' "$lista" >>"$apt/sources.list"
done
# deb822 entries: the same stanzas with "Types: deb-src".
for lista in /etc/apt/sources.list.d/*.sources; do
  [ -f "$lista" ] || continue
  awk 'BEGIN { RS=""; ORS="\n\n" }
       /(^|\n)Types:[^\n]*(^|[ \t])deb([ \t]|\n|$)/ {
         sub(/(^|\n)Types:[^\n]*/, "\nTypes: deb-src"); sub(/^\n/, ""); print
       }' "$lista" >"$apt/sources.list.d/$(basename "$lista")"
done

opciones=(-o "Dir::Etc::SourceList=$apt/sources.list" -o "Dir::Etc::SourceParts=$apt/sources.list.d"
          -o "Dir::State::Lists=$apt/lists" -o "Dir::Cache=$apt/cache" -o "APT::Sandbox::User=root"
          -o "Debug::NoLocking=1")
apt-get "${opciones[@]}" -qq update
cd "$carpeta"
for paquete in "${faltan[@]}"; do
  apt-get "${opciones[@]}" -qq source "$paquete" >"$carpeta/$paquete.txt" 2>&1 || {
    cat "$carpeta/$paquete.txt" >&2
    exit 1
  }
  ruta=$(ls -d "$carpeta/$paquete"-*/ | head -1)
  echo "${ruta%/}" >"$carpeta/$paquete.ruta"
done

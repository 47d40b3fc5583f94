#!/usr/bin/env bash
# Runs one Windows program of the tests under Wine, as the tests' emulator:
#   scripts/en-wine.sh <base folder> [--despues <check>] <program.exe> [arguments…]
# Each run gets a fresh copy of a prefix that `wineboot -i` made once in <base folder>, its own HOME
# and no menu entries or browser/.NET downloads, so nothing is written outside the temporary folder.
# With --despues, <check> (a Linux program) then reads what the program left in the prefix, with
# WINEPREFIX and HOME set for Wine's own tools; the run fails when either fails. EVALORA_PPP in
# the environment sets the screen's DPI of the run (96, 120, 144…). The run's Wine is
# ended (`wineserver -k` on its prefix) and its folder removed afterwards.
# Without Wine the run fails: a test that needs Wine never passes without it.
set -uo pipefail

base=$1
shift
despues=""
if [ "${1:-}" = --despues ]; then
  despues=$2
  shift 2
fi
wine=$(command -v wine || command -v wine64 || true)
servidor=$(command -v wineserver || ls /usr/lib/wine/wineserver 2>/dev/null || true)
if [ -z "$wine" ] || [ -z "$servidor" ]; then
  echo "en-wine: Wine no está instalado (scripts/bootstrap.sh instala wine y wine64)" >&2
  exit 1
fi
if ! command -v xvfb-run >/dev/null 2>&1; then
  echo "en-wine: falta xvfb-run (scripts/bootstrap.sh instala xvfb)" >&2
  exit 1
fi
export WINEDLLOVERRIDES="mscoree,mshtml=,winemenubuilder.exe=d"
export WINEDEBUG=${WINEDEBUG:--all}
# The Windows user of every test machine is the school's "alumno" (C:\users\alumno), as in the
# Linux build's test machines; Wine names the profile after USER.
export USER=alumno LOGNAME=alumno

# The base prefix, made once (one process at a time).
mkdir -p "$base"
exec 9>"$base.lock"
flock 9
if [ ! -f "$base/.evalora-listo-3" ]; then
  rm -rf "$base/prefijo" "$base/casa"
  mkdir -p "$base/casa"
  HOME="$base/casa" WINEPREFIX="$base/prefijo" "$wine" wineboot -i >"$base/wineboot.txt" 2>&1
  HOME="$base/casa" WINEPREFIX="$base/prefijo" "$servidor" -w
  if [ ! -f "$base/prefijo/system.reg" ]; then
    echo "en-wine: wineboot -i no creó el prefijo:" >&2
    cat "$base/wineboot.txt" >&2
    exit 1
  fi
  # Wine links the profile's Desktop, Documents… to HOME; on the test machines they are folders
  # of the profile, as on Windows, so that nothing a test writes lands outside its copy.
  find "$base/prefijo/drive_c/users" -mindepth 2 -maxdepth 2 -type l | while read -r enlace; do
    rm "$enlace" && mkdir "$enlace"
  done
  touch "$base/.evalora-listo-3"
fi
flock -u 9
exec 9>&-

carpeta=$(mktemp -d "${TMPDIR:-/tmp}/evalora-wine.XXXXXX")
terminar() {
  HOME="$carpeta/casa" WINEPREFIX="$carpeta/prefijo" "$servidor" -k 2>/dev/null
  HOME="$carpeta/casa" WINEPREFIX="$carpeta/prefijo" "$servidor" -w 2>/dev/null
  rm -rf "$carpeta"
}
trap terminar EXIT
mkdir -p "$carpeta/casa"
shopt -s dotglob
# Wine's own program files are shared (hard links): no test changes them in place. The registry
# and every other file are copies.
mkdir -p "$carpeta/prefijo"
for f in "$base/prefijo"/*; do
  nombre=$(basename "$f")
  if [ "$nombre" = drive_c ]; then
    mkdir -p "$carpeta/prefijo/drive_c"
    for g in "$f"/*; do
      if [ "$(basename "$g")" = windows ]; then
        cp -al "$g" "$carpeta/prefijo/drive_c/windows"
      else
        cp -a "$g" "$carpeta/prefijo/drive_c/"
      fi
    done
  else
    cp -a "$f" "$carpeta/prefijo/"
  fi
done
# Files Wine rewrites in place get a copy of their own.
find "$carpeta/prefijo/drive_c/windows" -maxdepth 1 -type f -name '*.ini' -exec sh -c 'cp --remove-destination "$1" "$1.c" && mv "$1.c" "$1"' _ {} \;

# A value of the user's registry in the copy, written into its hive before Wine starts there (a
# `wine reg add` would start Wine's desktop without the run's display): section (as the hive
# writes it), name, the value's text.
valor_de_usuario() {
  SECCION="[$1] " NOMBRE="\"$2\"=" LINEA="\"$2\"=$3" awk '
    BEGIN { seccion = ENVIRON["SECCION"]; nombre = ENVIRON["NOMBRE"]; linea = ENVIRON["LINEA"] }
    /^\[/ { dentro = index($0, seccion) == 1; recien = dentro; if (dentro) hallada = 1 }
    dentro && index($0, nombre) == 1 { next }
    recien && !/^\[/ && !/^#/ { print linea; recien = 0 }
    { print }
    END { if (!hallada) { print ""; print seccion "0"; print linea } }
  ' "$carpeta/prefijo/user.reg" >"$carpeta/user.reg" && mv "$carpeta/user.reg" "$carpeta/prefijo/user.reg"
}
# EVALORA_PPP: the screen's DPI of this run (the user's LogPixels, as a laptop at 125 or 150 %
# has it), read by every program when it starts.
if [ -n "${EVALORA_PPP:-}" ]; then
  if ! [[ "$EVALORA_PPP" =~ ^[0-9]+$ ]]; then
    echo "en-wine: EVALORA_PPP no es un número: '$EVALORA_PPP'" >&2
    exit 1
  fi
  valor_de_usuario 'Control Panel\\Desktop' LogPixels "dword:$(printf '%08x' "$EVALORA_PPP")"
fi
# EVALORA_MARCO_DE_WINE=1: Wine draws the windows' frames and captions itself (the test's display
# has no window manager to draw them), so a picture of a whole window shows its caption.
if [ "${EVALORA_MARCO_DE_WINE:-}" = 1 ]; then
  valor_de_usuario 'Software\\Wine\\X11 Driver' Decorated '"N"'
fi

# What the program writes goes to a file: Wine's services keep a pipe open after the program ends.
# Its windows go to a display of its own (Xvfb), never to the user's screen.
HOME="$carpeta/casa" WINEPREFIX="$carpeta/prefijo" EVALORA_PREFIJO_DE_PRUEBA="$carpeta/prefijo" \
  xvfb-run -a -s "-screen 0 1280x1024x24" "$wine" "$@" >"$carpeta/salida.txt" 2>&1
estado=$?
cat "$carpeta/salida.txt"
if [ -n "$despues" ]; then
  HOME="$carpeta/casa" WINEPREFIX="$carpeta/prefijo" "$despues" || estado=1
fi
exit $estado

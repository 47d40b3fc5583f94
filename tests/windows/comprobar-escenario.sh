#!/usr/bin/env bash
# What a scenario under Wine asked of Wine's own tools, checked once the wizard and Wine have ended
# (scripts/en-wine.sh runs it with the run's WINEPREFIX and HOME): each line of
# C:\evalora-escenario\comprobaciones.txt, fields separated by tabs, is
#   wine-valor <key> <value name> <text>  (`wine reg query` shows the text; empty name: the key)
#   lnkinfo <shortcut> <text>              (Debian's lnkinfo reads the text from the shortcut)
#   base <file> <key> <query> <rows>       (Debian's sqlcipher reads exactly those rows: "|" between
#                                           fields, \r\n between rows)
set -uo pipefail
lista="$WINEPREFIX/drive_c/evalora-escenario/comprobaciones.txt"
[ -f "$lista" ] || exit 0
wine=$(command -v wine || command -v wine64)
# Runs of blanks and tabs count as one blank, as lnkinfo aligns its fields.
juntar() { tr '\t' ' ' | tr -s ' '; }
# The Linux path of a Windows path of the prefix. Right after the run's Wine has ended, a new Wine
# now and then fails to start (its start program prints an error instead): asked again, it answers.
ruta_linux() {
  local ruta intento
  for intento in 1 2 3; do
    ruta=$("$wine" winepath -u "$1" 2>/dev/null | tr -d '\r')
    [[ "$ruta" == /* ]] && break
    "${WINESERVER:-wineserver}" -w 2>/dev/null
  done
  printf '%s' "$ruta"
}
fallos=0
while IFS=$'\t' read -r orden a b c d; do
  case "$orden" in
    wine-valor)
      if [ -n "$b" ]; then salida=$("$wine" reg query "$a" /v "$b" 2>&1); else salida=$("$wine" reg query "$a" 2>&1); fi
      estado=$?
      if [ $estado -ne 0 ] || ! grep -qF -- "$c" <<<"$salida"; then
        echo "wine-valor $a $b: se esperaba «$c»; reg query ($estado): $salida" >&2
        fallos=$((fallos + 1))
      fi
      ;;
    lnkinfo)
      ruta=$(ruta_linux "$a")
      salida=$(lnkinfo "$ruta" 2>&1)
      if ! grep -qF -- "$(juntar <<<"$b")" <<<"$(juntar <<<"$salida")"; then
        echo "lnkinfo $a: se esperaba «$b»; lnkinfo dijo: $salida" >&2
        fallos=$((fallos + 1))
      fi
      ;;
    base)
      ruta=$(ruta_linux "$a")
      # PRAGMA key answers "ok" on a line of its own; the rows follow.
      salida=$(printf "PRAGMA key='%s';\n%s;\n" "$b" "$c" | sqlcipher "$ruta" 2>&1 | sed '1{/^ok$/d}' |
        awk 'NR > 1 { printf "\\r\\n" } { printf "%s", $0 }')
      if [ "$salida" != "$d" ]; then
        echo "base $a: $c: se esperaba «$d»; sqlcipher leyó «$salida»" >&2
        fallos=$((fallos + 1))
      fi
      ;;
    *)
      echo "comprobación desconocida: $orden" >&2
      fallos=$((fallos + 1))
      ;;
  esac
done <"$lista"
"${WINESERVER:-wineserver}" -k 2>/dev/null
[ $fallos -eq 0 ]

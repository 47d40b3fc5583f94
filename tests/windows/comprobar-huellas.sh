#!/usr/bin/env bash
# Reads from outside what the DejaHuella test of the Windows build left in its Wine prefix
# (WINEPREFIX, HOME set by scripts/en-wine.sh): the registry with `wine reg query`, the shortcut
# with lnkinfo, the printer where Windows keeps it.
set -uo pipefail
fallos=0
comprobar() {  # <what> <expected text> <output>
  if grep -qF -- "$2" <<<"$3"; then
    echo "bien: $1"
  else
    echo "MAL: $1: no se encontró «$2» en:" >&2
    echo "$3" >&2
    fallos=$((fallos + 1))
  fi
}
consulta() { wine reg query "$1" 2>&1 >"$WINEPREFIX/../consulta.txt"; cat "$WINEPREFIX/../consulta.txt"; }

politica=$(consulta 'HKCU\Software\Policies\EvaloraHuella')
comprobar "valor de texto de la política" 'Program Files\Evalora 2020 Cloud' "$politica"
comprobar "valor numérico de la política" '0x3' "$politica"

impresora=$(consulta 'HKLM\System\CurrentControlSet\Control\Print\Printers\Evalora')
comprobar "controlador de la impresora" 'MS Publisher Color Printer' "$impresora"
comprobar "puerto de la impresora" 'C:\evalora-huella\Evalora.prn' "$impresora"

lnk="$WINEPREFIX/drive_c/evalora-huella/Evalora 2020 Cloud.lnk"
if [ -f "$lnk" ]; then
  enlace=$(lnkinfo "$lnk" 2>&1)
  comprobar "destino del acceso directo" 'EVLogIn.exe' "$enlace"
  comprobar "argumentos del acceso directo" '/inicio' "$enlace"
  comprobar "descripción del acceso directo" 'Evalora 2020 Cloud' "$enlace"
else
  echo "MAL: no existe $lnk" >&2
  fallos=$((fallos + 1))
fi
exit $((fallos > 0))

#!/usr/bin/env bash
# Reads on Linux, with Debian's sqlcipher tool (the library the Linux build uses), the registration
# file the Windows build wrote under Wine ($EVALORA_CONTENIDO/pruebas-win/escrito-en-windows.evx).
set -uo pipefail
archivo="$EVALORA_CONTENIDO/pruebas-win/escrito-en-windows.evx"
if [ ! -f "$archivo" ]; then
  echo "MAL: la compilación de Windows no dejó $archivo" >&2
  exit 1
fi
leido=$(printf "PRAGMA key='kvd4848wqB';\nSELECT bit_usu_ide, bit_cpu_mac FROM TBL_BITACORA;\nSELECT ins_nom FROM TBL_INSTITUCION;\n" |
  sqlcipher "$archivo" 2>&1)
rm -f "$archivo"
for esperado in 'escrito en Windows|Año ñandú' 'Institución de ejemplo'; do
  if ! grep -qF -- "$esperado" <<<"$leido"; then
    echo "MAL: sqlcipher no leyó «$esperado» en el archivo de Windows:" >&2
    echo "$leido" >&2
    exit 1
  fi
  echo "bien: sqlcipher lee «$esperado»"
done

#!/usr/bin/env bash
# What a school downloads, read back with tools that are not ours, as Windows would read it:
#   tests/windows/comprobar-distribucion.sh <dist/windows> <build-windows/bin> <wizard names, kind 1 first…>
# - the folder holds the eight wizards and nothing else;
# - each carries its manifest (the rights it asks for: the installing kinds 1 to 3 the
#   administrator's when there is one, the others the user's; the systems it is made for; Common
#   Controls 6; DPI awareness) and its icon (wrestool, of icoutils);
# - the wizards and the programs the demo content delivers are programs without a console
#   (the PE header's subsystem, read by objdump);
# - signed with a throwaway certificate by scripts/firmar-windows.sh, each signature is one that
#   osslsigncode verifies; without a certificate nothing changes.
set -uo pipefail
dist=$1 bin=$2
shift 2
raiz=$(cd "$(dirname "$0")/../.." && pwd)
fallos=0
falla() {
  echo "comprobar-distribucion: $*" >&2
  fallos=$((fallos + 1))
}

esperados=$(printf '%s.exe\n' "$@" | sort)
hay=$(cd "$dist" && ls | sort)
[ "$hay" = "$esperados" ] || falla "$dist tiene $(echo $hay) en lugar de $(echo $esperados)"

tipo=0
for nombre in "$@"; do
  tipo=$((tipo + 1))
  exe="$dist/$nombre.exe"
  recursos=$(wrestool -l "$exe" 2>&1)
  grep -q -- '--type=14 --name=1 ' <<<"$recursos" || falla "$nombre no tiene el grupo de iconos 1: $recursos"
  grep -q -- '--type=24 --name=1 ' <<<"$recursos" || falla "$nombre no tiene manifiesto"
  manifiesto=$(wrestool -x -R -t 24 "$exe" 2>/dev/null | tr -s ' \n' ' ')
  if [ "$tipo" -le 3 ]; then nivel=highestAvailable; else nivel=asInvoker; fi
  for esperado in "requestedExecutionLevel level=\"$nivel\" uiAccess=\"false\"" \
    '{e2011457-1546-43c5-a5fe-008deee3d3f0}' '{35138b9a-5d96-4fbd-8e2d-a2440225f93a}' \
    '{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}' '{1f676c76-80e1-4239-95bb-83d0f6d0da78}' \
    '{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}' \
    'name="Microsoft.Windows.Common-Controls" version="6.0.0.0" processorArchitecture="*" publicKeyToken="6595b64144ccf1df" language="*"' \
    '<dpiAware xmlns="http://schemas.microsoft.com/SMI/2005/WindowsSettings">true</dpiAware>' \
    "version=\"2020.$tipo.0."; do
    grep -qF -- "$esperado" <<<"$manifiesto" || falla "el manifiesto de $nombre no dice $esperado"
  done
done

# (Each tool's whole output first: grep -q leaving early would fail the pipe under pipefail.)
for exe in "$dist"/*.exe "$bin/evalora-securityfolder.exe" "$bin/evalora-evlogin.exe"; do
  cabecera=$(x86_64-w64-mingw32-objdump -p "$exe")
  grep -q '^Subsystem.*(Windows GUI)' <<<"$cabecera" || falla "$(basename "$exe") es un programa de consola"
done
for exe in "$bin/evalora-securityfolder.exe" "$bin/evalora-evlogin.exe"; do
  recursos=$(wrestool -l "$exe")
  grep -q -- '--type=14 --name=1 ' <<<"$recursos" || falla "$(basename "$exe") no tiene icono"
  manifiesto=$(wrestool -x -R -t 24 "$exe")
  grep -q 'level="asInvoker"' <<<"$manifiesto" || falla "$(basename "$exe") no tiene su manifiesto"
done

# The signature, with a certificate made for this run only.
temporal=$(mktemp -d)
trap 'rm -rf "$temporal"' EXIT
openssl req -x509 -newkey rsa:2048 -nodes -keyout "$temporal/clave.pem" -out "$temporal/certificado.pem" -days 2 \
  -subj "/CN=Evalora (pruebas)" >/dev/null 2>&1 || falla "openssl no hizo el certificado"
openssl pkcs12 -export -inkey "$temporal/clave.pem" -in "$temporal/certificado.pem" -out "$temporal/evalora.p12" \
  -passout pass:prueba-de-firma >/dev/null 2>&1 || falla "openssl no hizo el archivo PKCS#12"
mkdir -p "$temporal/firmados"
cp "$dist"/*.exe "$temporal/firmados/"
salida=$(env -u EVALORA_CERTIFICADO "$raiz/scripts/firmar-windows.sh" "$temporal/firmados"/*.exe)
grep -q 'sin EVALORA_CERTIFICADO' <<<"$salida" || falla "sin certificado no lo dice: $salida"
for exe in "$temporal/firmados"/*.exe; do
  cmp -s "$exe" "$dist/$(basename "$exe")" || falla "sin certificado cambió $(basename "$exe")"
done
EVALORA_CERTIFICADO="$temporal/evalora.p12" EVALORA_CERTIFICADO_CLAVE=prueba-de-firma \
  "$raiz/scripts/firmar-windows.sh" "$temporal/firmados"/*.exe >/dev/null || falla "firmar-windows falló"
for exe in "$temporal/firmados"/*.exe; do
  verificada=$(osslsigncode verify -CAfile "$temporal/certificado.pem" -in "$exe" 2>&1)
  grep -q 'Signature verification: ok' <<<"$verificada" || falla "la firma de $(basename "$exe") no se verifica: $verificada"
  recursos=$(wrestool -l "$exe")
  grep -q -- '--type=24 --name=1 ' <<<"$recursos" || falla "firmado, $(basename "$exe") perdió su manifiesto"
done
# A wrong password signs nothing and leaves the file as it was.
cp "$dist/$1.exe" "$temporal/otro.exe"
if EVALORA_CERTIFICADO="$temporal/evalora.p12" EVALORA_CERTIFICADO_CLAVE=otra \
  "$raiz/scripts/firmar-windows.sh" "$temporal/otro.exe" >/dev/null 2>&1; then
  falla "con una clave equivocada firmó"
fi
cmp -s "$temporal/otro.exe" "$dist/$1.exe" || falla "con una clave equivocada cambió el archivo"

[ "$fallos" -eq 0 ] && echo "comprobar-distribucion: todo en orden"
exit $((fallos > 0))

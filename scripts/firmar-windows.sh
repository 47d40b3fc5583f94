#!/usr/bin/env bash
# Signs Windows executables in place with Authenticode (SHA-256) using Debian's osslsigncode:
#   scripts/firmar-windows.sh FILE.exe...
# EVALORA_CERTIFICADO names the maker's PKCS#12 file (certificate and private key),
# EVALORA_CERTIFICADO_CLAVE its password, EVALORA_SELLO_DE_TIEMPO (optional) the address of an
# RFC 3161 time-stamping server, so that the signature outlives the certificate. Without a
# certificate the files stay unsigned and the script says so (the build goes on).
set -euo pipefail

if [ -z "${EVALORA_CERTIFICADO:-}" ]; then
  echo "firmar-windows: sin EVALORA_CERTIFICADO, los ejecutables quedan sin firmar"
  exit 0
fi
if [ ! -r "$EVALORA_CERTIFICADO" ]; then
  echo "firmar-windows: no se puede leer el certificado $EVALORA_CERTIFICADO" >&2
  exit 1
fi
if ! command -v osslsigncode >/dev/null 2>&1; then
  echo "firmar-windows: falta osslsigncode (scripts/bootstrap.sh lo instala)" >&2
  exit 1
fi
sello=()
if [ -n "${EVALORA_SELLO_DE_TIEMPO:-}" ]; then sello=(-ts "$EVALORA_SELLO_DE_TIEMPO"); fi
for exe in "$@"; do
  # Signed into a copy beside it, which then takes its place: a failure leaves the file as it was.
  # The description is what the consent prompt of Windows shows as the program's name.
  descripcion=$(basename "$exe" .exe)
  rm -f "$exe.firmado"
  if ! osslsigncode sign -pkcs12 "$EVALORA_CERTIFICADO" -pass "${EVALORA_CERTIFICADO_CLAVE:-}" -h sha256 \
    -n "$descripcion" "${sello[@]}" -in "$exe" -out "$exe.firmado" >/dev/null; then
    rm -f "$exe.firmado"
    echo "firmar-windows: no se pudo firmar $exe" >&2
    exit 1
  fi
  mv "$exe.firmado" "$exe"
done
echo "firmar-windows: $# ejecutables firmados"

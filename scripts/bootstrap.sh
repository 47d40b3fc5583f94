#!/usr/bin/env bash
# Installs the Debian packages the wizard needs to build, run and be tested.
# Does nothing when all of them are present; runs `apt-get update` only when it must install.
set -euo pipefail

paquetes=(
  # build
  cmake g++ ninja-build pkg-config
  # window, widgets, painting, event loop
  qt6-base-dev
  # catalogue: the ODBC API of unixODBC and the FreeTDS driver (the development server's tests
  # also speak to it through Qt's ODBC driver, a client that is not ours)
  unixodbc-dev tdsodbc libqt6sql6-odbc
  # HTTP downloads
  libcurl4-openssl-dev
  # password-protected registration database
  libsqlcipher-dev
  # tests and benchmarks (aria2: a peer that resumes, for the benchmark of a cut download)
  libgtest-dev libgmock-dev fonts-dejavu-core curl aria2
  # an independent reader of the shortcuts we write
  liblnk-utils
  # an independent reader of the font resource files we write
  icoutils
  # Wine: prefixes it makes and reads back (the registry's tests), the way a change reaches a
  # running Wine, and where the Windows build's tests run
  wine wine64
  # the Windows build: the cross-compiler, GoogleTest's sources to build for it, a display for
  # its windows under Wine; the tools that unpack Debian's sources of SQLCipher and libtomcrypt and
  # make SQLCipher's amalgamation; the sqlcipher tool that reads its registration files on Linux
  g++-mingw-w64-x86-64-posix googletest xvfb xauth dpkg-dev xz-utils tcl sqlcipher
  # its Authenticode signatures, and the throwaway certificates of their tests
  osslsigncode openssl
)

faltan=()
for p in "${paquetes[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    faltan+=("$p")
  fi
done

if [ ${#faltan[@]} -eq 0 ]; then
  exit 0
fi

echo "bootstrap: instalando ${faltan[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${faltan[@]}"

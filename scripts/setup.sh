#!/usr/bin/env bash
# Installs what the build, the program and the tests need, when missing.
# Usage: scripts/setup.sh            (everything)
set -euo pipefail

need=()
have_cmd() { command -v "$1" >/dev/null 2>&1; }
have_pkg() { dpkg -s "$1" >/dev/null 2>&1; }

have_cmd cmake || need+=(cmake)
have_cmd g++ || need+=(g++)
have_cmd make || need+=(make)
have_cmd clang++ || need+=(clang)
have_pkg libclang-rt-14-dev || have_pkg libclang-rt-dev || need+=(libclang-rt-dev)
have_pkg libgtest-dev || need+=(libgtest-dev googletest)
have_pkg libgmock-dev || need+=(libgmock-dev)
have_pkg libbenchmark-dev || need+=(libbenchmark-dev)
have_cmd x86_64-w64-mingw32-g++ || need+=(mingw-w64)
have_cmd i686-w64-mingw32-g++ || need+=(mingw-w64)
have_cmd wine || need+=(wine)
[ -x /usr/lib/wine/wine64 ] || have_cmd wine64 || need+=(wine64)
have_cmd Xvfb || need+=(xvfb)
have_cmd xwd || need+=(x11-apps)
have_cmd convert || need+=(imagemagick)
have_cmd pdftoppm || need+=(poppler-utils)

if [ ${#need[@]} -gt 0 ]; then
  echo "setup: installing ${need[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${need[@]}"
fi

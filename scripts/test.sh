#!/usr/bin/env bash
# Sets everything up, builds the native program and tests and the Windows
# programs (mingw-w64, 64-bit and 32-bit), and runs every test (native suites,
# benchmarks' smoke runs, the Wine tests of both Windows builds; the 32-bit
# ones on the 32-bit Wine under qemu-i386). Ends with ctest's summary line.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
bash scripts/setup.sh
JOBS=$(nproc)

if [ -f platform/window/win32/win32.cmake ]; then
  # The 32-bit Wine that runs build-win32's programs (fetched once, then
  # cached there), put together while the programs build.
  mkdir -p build-win32
  bash scripts/wine/wine32-setup.sh build-win32/wine32 >build-win32/wine32-setup.log 2>&1 &
  wine32_setup=$!
  cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" \
        -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build build-win -j "$JOBS"
  cmake -S . -B build-win32 -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-i686.cmake" \
        -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build build-win32 -j "$JOBS"
  wait "$wine32_setup" || { cat build-win32/wine32-setup.log; echo "test.sh: the 32-bit Wine could not be set up"; exit 1; }
  cat build-win32/wine32-setup.log
  # The installer holds both programs.
  cmake --build build-win --target pantrium_setup
fi

cmake -S . -B build -DPANTRIUM_WIN_BUILD="$ROOT/build-win" -DPANTRIUM_WIN32_BUILD="$ROOT/build-win32" >/dev/null
cmake --build build -j "$JOBS"
cd build
ctest --output-on-failure -j "$JOBS" --timeout 300

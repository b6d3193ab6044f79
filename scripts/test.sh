#!/usr/bin/env bash
# Sets everything up, builds the native program and tests and the Windows
# program (mingw-w64), and runs every test (native suites, benchmarks' smoke
# runs, the Wine smoke test). Ends with ctest's summary line.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
bash scripts/setup.sh
JOBS=$(nproc)

if [ -f platform/win32/win32.cmake ]; then
  cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" \
        -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build build-win -j "$JOBS"
  cmake -S . -B build-win32 -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-i686.cmake" \
        -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build build-win32 -j "$JOBS"
  # The installer holds both programs.
  cmake --build build-win --target pantrium_setup
fi

cmake -S . -B build -DPANTRIUM_WIN_BUILD="$ROOT/build-win" >/dev/null
cmake --build build -j "$JOBS"
cd build
ctest --output-on-failure -j "$JOBS" --timeout 300

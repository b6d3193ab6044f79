#!/usr/bin/env bash
# Without options: the native Linux program on Qt 6 (scripts/run-qt.sh).
# With --wine: the Windows program under Wine, as follows.
#
# Sets everything up, builds pantrium.exe (mingw-w64, 64-bit, in build-win)
# and starts it under Wine in the folder build-win/run (its pantrium.ini,
# lists and grocery.ini live there; a first run gets a sample list).
#   DISPLAY set:   the program opens on that display; the script ends with it.
#   DISPLAY unset: the program runs under Xvfb; the script saves a screenshot
#                  of the main window to build-win/screenshots/run-main-window.png
#                  and ends the program.
# Wine uses the private prefix build-win/wineprefix and stays quiet.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "${1:-}" = --wine ]; then
  shift
else
  exec bash scripts/run-qt.sh "$@"
fi
ROOT=$PWD
bash scripts/setup.sh
cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" \
      -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-win -j "$(nproc)" --target pantrium
exe=$ROOT/build-win/pantrium.exe
run=$ROOT/build-win/run
shot=$ROOT/build-win/screenshots/run-main-window.png
mkdir -p "$run" "$(dirname "$shot")"
if [ ! -f "$run/pantrium.ini" ] && [ ! -f "$run/my Pantrium.ptm" ]; then
  python3 scripts/sample-list.py "$run/my Pantrium.ptm"
  echo "run: wrote a sample list to $run/my Pantrium.ptm"
fi

. scripts/wine/wine-env.sh
trap_wine_cleanup
wine_setup "$ROOT/build-win/wineprefix"

if [ -n "${DISPLAY:-}" ]; then
  start_wineserver
  prepare_prefix
  echo "run: starting pantrium.exe on $DISPLAY"
  cd "$run"
  "$wine_loader" "$exe"
  exit 0
fi

start_xvfb
start_wineserver
prepare_prefix
echo "run: no DISPLAY; starting pantrium.exe under Xvfb on $DISPLAY"
cd "$run"
"$wine_loader" "$exe" &
prog_pid=$!
shoot_main_window "$prog_pid" pantrium.exe "$shot"

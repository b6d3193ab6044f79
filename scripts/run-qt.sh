#!/usr/bin/env bash
# Sets everything up, builds the native Linux program pantrium-qt (Qt 6, in
# the native build folder build) and starts it in build/run-qt (its
# pantrium.ini, lists and grocery.ini live there; a first run gets a sample list).
#   DISPLAY set:   the program opens on that display; the script ends with it.
#   DISPLAY unset: the program runs under Xvfb; the script saves a screenshot
#                  of the main window to build/screenshots/run-qt-main-window.png
#                  and ends the program.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
bash scripts/setup.sh
cmake -S . -B build >/dev/null
cmake --build build -j 2 --target pantrium-qt
exe=$ROOT/build/pantrium-qt
[ -x "$exe" ] || { echo "run: pantrium-qt was not built (is Qt 6 installed?)"; exit 1; }
run=$ROOT/build/run-qt
shot=$ROOT/build/screenshots/run-qt-main-window.png
mkdir -p "$run" "$(dirname "$shot")"
if [ ! -f "$run/pantrium.ini" ] && [ ! -f "$run/my Pantrium.ptm" ]; then
  python3 scripts/sample-list.py "$run/my Pantrium.ptm"
  echo "run: wrote a sample list to $run/my Pantrium.ptm"
fi
cd "$run"

if [ -n "${DISPLAY:-}" ]; then
  echo "run: starting pantrium-qt on $DISPLAY"
  exec "$exe"
fi

# Xvfb and the screenshot come from the helpers the Wine scripts use.
. "$ROOT/scripts/wine/wine-env.sh"
wine_tmp=$(mktemp -d)
trap_wine_cleanup
start_xvfb
export QT_QPA_PLATFORM=xcb
echo "run: no DISPLAY; starting pantrium-qt under Xvfb on $DISPLAY"
"$exe" 2>"$wine_tmp/program.log" &
prog_pid=$!
shoot_main_window "$prog_pid" pantrium-qt "$shot" || { cat "$wine_tmp/program.log"; exit 1; }

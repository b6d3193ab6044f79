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

tmp=$(mktemp -d)
xvfb_pid= ; prog_pid=
cleanup() {
  set +e
  [ -n "$prog_pid" ] && kill "$prog_pid" 2>/dev/null && wait "$prog_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$tmp"
}
trap 'rc=$?; cleanup; exit $rc' EXIT
trap 'exit 130' INT TERM

# Xvfb picks a free display number itself and writes it to fd 3.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$tmp/display" 2>"$tmp/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 1 100); do
  [ -s "$tmp/display" ] && break
  kill -0 "$xvfb_pid" 2>/dev/null || break
  sleep 0.1
done
[ -s "$tmp/display" ] || { echo "run: Xvfb did not start"; cat "$tmp/xvfb.log"; exit 1; }
export DISPLAY=:$(head -n1 "$tmp/display")
export QT_QPA_PLATFORM=xcb
echo "run: no DISPLAY; starting pantrium-qt under Xvfb on $DISPLAY"
"$exe" 2>"$tmp/program.log" &
prog_pid=$!
# The main window's caption is the loaded list's path up to its first full
# stop, or "Pantrium" when no list file is there yet.
list="my Pantrium.ptm"
if [ -f pantrium.ini ]; then
  first=$(head -n1 pantrium.ini | tr -d '\r"')
  [ -n "$first" ] && list=${first%%,*}
fi
caption=Pantrium
[ -f "$list" ] && caption=${list%%.*}
window=
for _ in $(seq 1 100); do
  kill -0 "$prog_pid" 2>/dev/null || { echo "run: pantrium-qt ended early"; cat "$tmp/program.log"; exit 1; }
  window=$(xwininfo -root -tree 2>/dev/null | grep -F "\"$caption\": (" | head -n1 | awk '{print $1}' || true)
  [ -n "$window" ] && break
  sleep 0.2
done
[ -n "$window" ] || { echo "run: the main window \"$caption\" did not appear"; exit 1; }
sleep 1  # let it paint
xwd -id "$window" -silent >"$tmp/window.xwd"
convert "xwd:$tmp/window.xwd" "$shot"
echo "run: screenshot of the main window saved to $shot"

#!/usr/bin/env bash
# Runs the Wine smoke test program (pantrium_smoke.exe, mingw-built) under a
# private Xvfb display and a private Wine prefix, takes the screenshots the
# program asks for, checks the printed PDFs, and cleans up its Xvfb and
# wineserver by process id.
#
# Usage: scripts/wine-smoke.sh <path/to/pantrium_smoke.exe> [screenshot-dir]
#   screenshot-dir defaults to <exe dir>/screenshots. The program runs in
#   <exe dir>/smoke-run (emptied first), the prefix is <exe dir>/wineprefix-smoke.
#
# The program prints "SHOT <name> <left> <top> <width> <height>" when a window
# is ready to be photographed and waits for the file shot-<name>.done in its
# working directory; this script writes <name>.png (the window's rectangle cut
# from the screen) and then that file.
set -uo pipefail

exe=${1:?usage: wine-smoke.sh <pantrium_smoke.exe> [screenshot-dir]}
if [ ! -f "$exe" ]; then
  echo "FAIL: smoke program $exe does not exist (build the mingw build first)"
  exit 1
fi
exe=$(cd "$(dirname "$exe")" && pwd)/$(basename "$exe")
build=$(dirname "$exe")
shots=${2:-$build/screenshots}
work=$build/smoke-run
export WINEPREFIX=$build/wineprefix-smoke
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="  # no Mono/Gecko installer prompts
deadline=${PANTRIUM_SMOKE_TIMEOUT:-150}     # seconds for the program itself

wine_loader=wine
[ -x /usr/lib/wine/wine64 ] && wine_loader=/usr/lib/wine/wine64
wineserver_bin=wineserver
[ -x /usr/lib/wine/wineserver64 ] && wineserver_bin=/usr/lib/wine/wineserver64

xvfb_pid= ; ws_pid= ; prog_pid= ; fifo_dir=
cleanup() {
  [ -n "$prog_pid" ] && kill "$prog_pid" 2>/dev/null
  if [ -n "$ws_pid" ] && kill -0 "$ws_pid" 2>/dev/null; then
    kill "$ws_pid" 2>/dev/null
    for _ in 1 2 3 4 5 6 7 8 9 10; do kill -0 "$ws_pid" 2>/dev/null || break; sleep 0.2; done
    kill -9 "$ws_pid" 2>/dev/null
  fi
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
  fi
  [ -n "$fifo_dir" ] && rm -rf "$fifo_dir"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

started=$(date +%s)
rm -rf "$work"
mkdir -p "$work" "$shots"
rm -f "$shots"/*.png

# A free display: Xvfb picks the number itself and writes it to fd 3.
fifo_dir=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo_dir/display" 2>"$fifo_dir/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 1 100); do
  [ -s "$fifo_dir/display" ] && break
  kill -0 "$xvfb_pid" 2>/dev/null || break
  sleep 0.1
done
if [ ! -s "$fifo_dir/display" ]; then
  echo "FAIL: Xvfb did not start"; cat "$fifo_dir/xvfb.log"; exit 1
fi
export DISPLAY=:$(head -n1 "$fifo_dir/display")
echo "smoke: Xvfb on $DISPLAY (pid $xvfb_pid)"

# Our own wineserver, in the foreground so that we hold its process id.
mkdir -p "$WINEPREFIX"
"$wineserver_bin" -f -p &
ws_pid=$!
read -r dev ino < <(stat -c '%d %i' "$WINEPREFIX")
socket=/tmp/.wine-$(id -u)/server-$(printf %x "$dev")-$(printf %x "$ino")/socket
for _ in $(seq 1 100); do
  [ -S "$socket" ] && break
  kill -0 "$ws_pid" 2>/dev/null || { echo "FAIL: wineserver did not start"; exit 1; }
  sleep 0.05
done
if [ ! -f "$WINEPREFIX/.pantrium-ready" ]; then
  echo "smoke: creating the Wine prefix $WINEPREFIX"
  "$wine_loader" wineboot -i >/dev/null 2>&1 && touch "$WINEPREFIX/.pantrium-ready"
fi
# Let Wine draw the window frames itself (there is no window manager), so
# that captions and borders show in the screenshots.
"$wine_loader" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1

# Run the program with its output in a pipe that we read line by line.
mkfifo "$fifo_dir/out"
cd "$work" || exit 1
timeout -s KILL "$deadline" "$wine_loader" "$exe" >"$fifo_dir/out" 2>&1 &
prog_pid=$!
failed=0
while IFS= read -r line; do
  line=${line%$'\r'}
  echo "$line"
  case "$line" in
    "SHOT "*)
      read -r _ name left top width height <<<"$line"
      if xwd -root -silent -display "$DISPLAY" >"$fifo_dir/screen.xwd" &&
         convert "xwd:$fifo_dir/screen.xwd" -crop "${width}x${height}+${left}+${top}" +repage \
                 "$shots/$name.png"; then
        echo "smoke: screenshot $shots/$name.png"
      else
        echo "FAIL: screenshot $name"; failed=1
      fi
      touch "$work/shot-$name.done"
      ;;
  esac
done <"$fifo_dir/out"
wait "$prog_pid"
rc=$?
prog_pid=
if [ "$rc" -ne 0 ]; then
  echo "FAIL: smoke program exited with $rc"
  failed=1
fi

# The printed lists: the shopping list holds the items to buy only.
check_pdf() {  # file, words that must be there, then "--", words that must not
  local pdf=$1 text; shift
  if [ ! -s "$pdf" ]; then echo "FAIL: $pdf was not written"; failed=1; return; fi
  text=$(pdftotext -layout "$pdf" - 2>/dev/null)
  local want=1 word
  for word in "$@"; do
    if [ "$word" = "--" ]; then want=0; continue; fi
    if grep -qF -- "$word" <<<"$text"; then
      [ $want = 1 ] || { echo "FAIL: $(basename "$pdf") shows $word"; failed=1; }
    else
      [ $want = 0 ] || { echo "FAIL: $(basename "$pdf") lacks $word"; failed=1; }
    fi
  done
  pdftoppm -png -r 50 -f 1 -l 1 "$pdf" "$shots/$(basename "$pdf" .pdf)" 2>/dev/null
  echo "PASS: $(basename "$pdf") checked"
}
if command -v pdftotext >/dev/null; then
  [ -f "$work/expect-print-list" ] &&
    check_pdf "$work/smoke-print-list.pdf" Milk Apples Bananas Item "Unit Descr" -- "Paper towels"
  [ -f "$work/expect-print-all" ] &&
    check_pdf "$work/smoke-print-all.pdf" Milk Apples Bananas "Paper towels" Bread
fi

echo "smoke: screenshots in $shots"
echo "smoke: finished in $(( $(date +%s) - started )) s"
if [ "$failed" -ne 0 ]; then
  echo "wine smoke test FAILED"
  exit 1
fi
echo "wine smoke test passed"

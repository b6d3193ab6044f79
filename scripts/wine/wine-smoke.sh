#!/usr/bin/env bash
# Runs the Wine smoke test program (pantrium_smoke.exe, mingw-built) under a
# private Xvfb display and a private Wine prefix, takes the screenshots the
# program asks for, checks the printed PDFs, and cleans up its Xvfb and
# wineserver by process id.
#
# Usage: scripts/wine/wine-smoke.sh <path/to/pantrium_smoke.exe> [screenshot-dir]
#   screenshot-dir defaults to <exe dir>/screenshots. The program runs in
#   <exe dir>/smoke-run (emptied first), the prefix is <exe dir>/wineprefix-smoke.
#   A 32-bit program runs on the 32-bit Wine of scripts/wine/wine32-setup.sh in
#   $PANTRIUM_WINE32 (default <exe dir>/wine32), under qemu-i386.
#
# The program prints "SHOT <name> <left> <top> <width> <height>" when a window
# is ready to be photographed and waits for the file shot-<name>.done in its
# working directory; this script writes <name>.png (the X window of exactly
# that rectangle) and then that file.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"

exe=${1:?usage: wine-smoke.sh <pantrium_smoke.exe> [screenshot-dir]}
if [ ! -f "$exe" ]; then
  echo "FAIL: smoke program $exe does not exist (build the mingw build first)"
  exit 1
fi
exe=$(cd "$(dirname "$exe")" && pwd)/$(basename "$exe")
build=$(dirname "$exe")
shots=${2:-$build/screenshots}
work=$build/smoke-run

trap_wine_cleanup

started=$(date +%s)
rm -rf "$work"
mkdir -p "$work" "$shots"

# A 32-bit program runs on the 32-bit Wine under qemu-i386, set up once in
# its build folder (a no-op when it is there).
wine32=
if pe_is_32bit "$exe"; then
  wine32=${PANTRIUM_WINE32:-$build/wine32}
  bash "$here/wine32-setup.sh" "$wine32" || { echo "FAIL: the 32-bit Wine could not be set up"; exit 1; }
fi
wine_setup "$build/wineprefix-smoke" "$wine32"
# Seconds for the program itself, and for its own watchdog inside: emulated,
# the 32-bit program runs about twice as long.
# The checks' own deadlines grow the same way (they end as soon as the state
# they wait for is there).
if [ -n "$wine32" ]; then
  deadline=${PANTRIUM_SMOKE_TIMEOUT:-420}
  export PANTRIUM_SMOKE_TIME_FACTOR=${PANTRIUM_SMOKE_TIME_FACTOR:-3}
else
  deadline=${PANTRIUM_SMOKE_TIMEOUT:-240}
fi
export PANTRIUM_SMOKE_WATCHDOG=$(( deadline - 30 ))
start_xvfb || exit 1
echo "smoke: Xvfb on $DISPLAY (pid $xvfb_pid)"
start_wineserver || exit 1
prepare_prefix
# Display scaling: 96 dpi (100 %) unless PANTRIUM_WINE_DPI asks for another.
set_wine_dpi "${PANTRIUM_WINE_DPI:-96}"

# Run the program with its output in a pipe that we read line by line.
mkfifo "$wine_tmp/out"
cd "$work" || exit 1
# A native hhctrl.ocx may load: the smoke program's stand-in help viewer.
PANTRIUM_SMOKE_SHOTS=1 WINEDLLOVERRIDES="$WINEDLLOVERRIDES;hhctrl.ocx=n,b" timeout -s KILL "$deadline" "$wine_loader" "$exe" >"$wine_tmp/out" 2>&1 &
prog_pid=$!
failed=0
while IFS= read -r line; do
  line=${line%$'\r'}
  echo "$line"
  case "$line" in
    "SHOT "*)
      read -r _ name left top width height <<<"$line"
      if window_shot "$shots/$name.png" "$left" "$top" "$width" "$height"; then
        echo "smoke: screenshot $shots/$name.png"
      else
        echo "FAIL: screenshot $name"; failed=1
      fi
      touch "$work/shot-$name.done"
      ;;
  esac
done <"$wine_tmp/out"
wait "$prog_pid"
rc=$?
prog_pid=
if [ "$rc" -ne 0 ]; then
  echo "FAIL: smoke program exited with $rc"
  failed=1
fi

# The printed lists: the shopping list holds the items to buy only.
check_pdf() {  # file, words that must be there, then "--", words that must not
  local pdf=$1 text want=1 word bad=0; shift
  if [ ! -s "$pdf" ]; then echo "FAIL: $pdf was not written"; failed=1; return; fi
  text=$(pdftotext -layout "$pdf" - 2>/dev/null)
  for word in "$@"; do
    if [ "$word" = "--" ]; then want=0; continue; fi
    if grep -qF -- "$word" <<<"$text"; then
      [ $want = 1 ] || { echo "FAIL: $(basename "$pdf") shows $word"; bad=1; }
    else
      [ $want = 0 ] || { echo "FAIL: $(basename "$pdf") lacks $word"; bad=1; }
    fi
  done
  pdftoppm -png -r 60 -f 1 -l 1 -singlefile "$pdf" "$shots/$(basename "$pdf" .pdf)" 2>/dev/null
  if [ $bad = 0 ]; then echo "PASS: $(basename "$pdf") holds the expected items"; else failed=1; fi
}
# The cost case: 3 units at 0.335 print the cost the item list shows, 1.01
# (1.005 as typed, not the single-precision product just below it).
check_cost_pdf() {  # file
  local pdf=$1 line
  if [ ! -s "$pdf" ]; then echo "FAIL: $pdf was not written"; failed=1; return; fi
  line=$(pdftotext -layout "$pdf" - 2>/dev/null | grep -F Olives | tr -s ' ' | sed 's/ *$//')
  if [[ "$line" == *" 3.00 1.01" ]]; then
    echo "PASS: $(basename "$pdf"): 3 units at 0.335 cost 1.01"
  else
    echo "FAIL: $(basename "$pdf"): the line of 3 units at 0.335 reads \"$line\", expected it to end in 3.00 1.01"
    failed=1
  fi
}
# The title line: the list's name, what is printed and the date it was printed.
check_pdf_title() {  # file, what is printed
  local pdf=$1 what=$2
  [ -s "$pdf" ] || return
  if pdftotext -layout "$pdf" - 2>/dev/null |
     grep -qE "^ *smoke list: $what, printed [0-9]{2}-[0-9]{2}-20[0-9]{2}( |\$)"; then
    echo "PASS: $(basename "$pdf") has the title line"
  else
    echo "FAIL: $(basename "$pdf") lacks the title \"smoke list: $what, printed MM-DD-YYYY\""; failed=1
  fi
}
if command -v pdftotext >/dev/null; then
  # Milk 2 x 2.50, Apples 3 x 1.25, Bananas 12 x .50: three items for 14.75.
  [ -f "$work/expect-print-list" ] &&
    check_pdf "$work/smoke-print-list.pdf" Milk Apples Bananas Item "Unit Descr" "Items to buy: 3" \
      "Total cost:" 14.75 -- "Paper towels" Bread "Page 1" &&
    check_pdf_title "$work/smoke-print-list.pdf" "shopping list"
  [ -f "$work/expect-print-all" ] &&
    check_pdf "$work/smoke-print-all.pdf" Milk Apples Bananas "Paper towels" Bread "Items: 5" -- \
      "Total cost:" "Page 1" &&
    check_pdf_title "$work/smoke-print-all.pdf" "all items"
  [ -f "$work/expect-print-cost" ] && check_cost_pdf "$work/smoke-print-cost.pdf"
fi

echo "smoke: screenshots in $shots"
echo "smoke: finished in $(( $(date +%s) - started )) s"
if [ "$failed" -ne 0 ]; then
  echo "wine smoke test FAILED"
  exit 1
fi
echo "wine smoke test passed"

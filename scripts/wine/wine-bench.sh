#!/usr/bin/env bash
# Runs the benchmark of the real program (pantrium_bench.exe, mingw-built)
# under a private Xvfb display and a private Wine prefix, and prints its
# figures. Not a test: it measures start-up, full rebuilds, checkout, undo,
# a toggle and a keystroke at 0 to 100,000 items.
#
# Usage: scripts/wine/wine-bench.sh <path/to/pantrium_bench.exe> [repetitions [sizes...]]
#   The program runs in <exe dir>/bench-run (emptied first); the prefix is
#   <exe dir>/wineprefix-bench.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"

exe=${1:?usage: wine-bench.sh <pantrium_bench.exe> [repetitions [sizes...]]}
shift
if [ ! -f "$exe" ]; then
  echo "FAIL: benchmark program $exe does not exist (build the mingw build first)"
  exit 1
fi
exe=$(cd "$(dirname "$exe")" && pwd)/$(basename "$exe")
build=$(dirname "$exe")
work=$build/bench-run

trap_wine_cleanup
rm -rf "$work"
mkdir -p "$work"
wine_setup "$build/wineprefix-bench"
start_xvfb || exit 1
start_wineserver || exit 1
prepare_prefix

echo "bench: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ //'), load $(cut -d' ' -f1-3 /proc/loadavg)"
cd "$work" || exit 1
"$wine_loader" "$exe" "$@" 2>&1 | tr -d '\r' &
prog_pid=$!
wait "$prog_pid"
rc=$?
prog_pid=
echo "bench: load afterwards $(cut -d' ' -f1-3 /proc/loadavg)"
exit $rc

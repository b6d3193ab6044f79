#!/usr/bin/env bash
# No test writes outside its build folder. The test run's first test notes
# what the home folder holds; its last one fails when anything appeared there
# in between (a Wine prefix whose Documents is the home folder, a cache).
#
# Usage: scripts/home-check.sh record <list-file>
#        scripts/home-check.sh compare <list-file>
set -uo pipefail
mode=${1:?usage: home-check.sh record|compare <list-file>}
list=${2:?usage: home-check.sh record|compare <list-file>}

entries() { find "$HOME" -xdev -mindepth 1 2>/dev/null | LC_ALL=C sort; }

case $mode in
  record)
    entries >"$list"
    echo "PASS: $(wc -l <"$list") entries of $HOME noted"
    ;;
  compare)
    [ -f "$list" ] || { echo "FAIL: no list of $HOME was noted ($list)"; exit 1; }
    new=$(LC_ALL=C comm -13 "$list" <(entries))
    if [ -n "$new" ]; then
      echo "FAIL: the tests wrote into the home folder $HOME:"
      head -n 40 <<<"$new" | sed 's/^/  /'
      exit 1
    fi
    echo "PASS: nothing appeared in $HOME during the tests"
    ;;
  *) echo "home-check.sh: unknown mode $mode"; exit 2 ;;
esac

#!/usr/bin/env bash
# The check before a stop: runs CI's test command the way a fresh machine
# does. Each run clones the committed main into a temporary folder (no build
# folders, no downloads cached in them) and runs .ci/run there; the runs'
# closing lines and times are printed at the end, their logs kept.
#
# Usage: scripts/fresh-check.sh [--purge] [runs]      (runs: default 1)
#   --purge  first purges the packages scripts/setup.sh installs and empties
#            apt's download cache, so that the set-up installs them anew.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
repo=$(git -C "$here" rev-parse --show-toplevel)
purge=0
[ "${1:-}" = --purge ] && { purge=1; shift; }
runs=${1:-1}

# What apt would remove with these packages, one name a line.
removed_with() { apt-get -s purge "$@" 2>/dev/null | awk '/^Purg/ {print $2}'; }
orphans() { apt-get -s autoremove 2>/dev/null | awk '/^Remv/ {print $2}' | sort; }

if [ $purge = 1 ]; then
  # The set-up's packages that the system does not need: those of no required
  # or important priority whose removal takes no other package with it, and
  # the dependencies they leave behind.
  mapfile -t packages < <(bash "$here/setup.sh" --list)
  gone=()
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || continue
    # The system's own (apt's archive keyring, for one) stay.
    case $(dpkg-query -W -f='${Priority}' "$p") in required|important) continue ;; esac
    others=$(removed_with "$p" | grep -vxF -f <(printf '%s\n' "${packages[@]}"))
    [ -z "$others" ] && gone+=("$p")
  done
  before=$(mktemp); orphans >"$before"
  echo "fresh-check: purging ${gone[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get purge -y -q "${gone[@]}" >/dev/null || { echo "fresh-check: the purge failed"; exit 1; }
  mapfile -t left < <(comm -13 "$before" <(orphans))
  rm -f "$before"
  [ ${#left[@]} -eq 0 ] || apt-get purge -y -q "${left[@]}" >/dev/null
  apt-get clean
  echo "fresh-check: purged ${#gone[@]} packages and ${#left[@]} dependencies"
fi

logs=$(mktemp -d /tmp/pantrium-fresh-check.XXXXXX)
summary=() failed=0
for run in $(seq 1 "$runs"); do
  clone=$logs/clone
  rm -rf "$clone"
  git clone -q --branch main "$repo" "$clone" || { echo "fresh-check: cannot clone $repo"; exit 1; }
  echo "fresh-check: run $run of $runs in $clone (log: $logs/run-$run.log)"
  started=$(date +%s)
  (cd "$clone" && CI=true bash .ci/run </dev/null) >"$logs/run-$run.log" 2>&1
  rc=$?
  took=$(( $(date +%s) - started ))
  [ $rc = 0 ] || failed=1
  summary+=("run $run: exit $rc in $((took / 60)) min $((took % 60)) s: $(grep -E 'tests passed|tests failed out of' "$logs/run-$run.log" | tail -n1)")
  [ $rc = 0 ] && rm -rf "$clone"
done

echo "fresh-check: $(git -C "$repo" rev-parse --short main) on $(nproc) cores"
printf '  %s\n' "${summary[@]}"
echo "fresh-check: logs in $logs"
exit $failed

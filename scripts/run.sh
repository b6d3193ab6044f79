#!/usr/bin/env bash
# Sets everything up, builds the program and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build >/dev/null
cmake --build build -j "$(nproc)"
echo "run: the native build is ready; the Windows program starts here once it is built."

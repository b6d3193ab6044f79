#!/usr/bin/env bash
# Builds the list-file fuzzer with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) into build-fuzz/ and runs it.
# Usage: scripts/fuzz.sh [seconds] [extra libFuzzer options...]   (default 60 s)
set -euo pipefail
cd "$(dirname "$0")/.."
RUN_SECONDS=${1:-60}
shift || true
OUT=build-fuzz
mkdir -p "$OUT/seeds" "$OUT/corpus"

clang++ -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
        -I. fuzz/list_file_fuzzer.cpp data/*.cpp platform/files/*.cpp platform/files/posix/*.cpp -o "$OUT/list_file_fuzzer"

# Seeds: an empty file, an empty list, and the one-item list with one category.
header='Pantrium 1.50'
: > "$OUT/seeds/empty"
{ printf '%s' "$header"; printf '\0\0\0\0\0\0\0\0'; } > "$OUT/seeds/empty-list"
{
  printf '%s' "$header"
  printf '\001\0\0\0\001\0\0\0\001\0\0\0'
  printf '\001%-20s%-20s' 'Milk' '1 gallon'
  printf '\0\0\040\100\0\0\0\0'           # price 2.5, units 0
  printf '\157\060\0\0\0\0\0\0\0\0'       # 03-15-24 and four empty dates
  printf '\0\0\0\100'; printf '\0%.0s' $(seq 16)  # 2 units, four zeros
  printf '\0'
  printf '%-20s' 'dairy'
} > "$OUT/seeds/milk"
{
  printf '%s' "$header"
  printf '\003\0\0\0\002\0\0\0\002\0\0\0\003\0\0\0\001\0\0\0'
  for name in Bread Eggs Apples; do
    printf '\002%-20s%-20s' "$name" 'each'
    printf '\0\0\200\077\0\0\000\100'     # price 1, units 2
    printf '\041\060\102\060\143\060\0\0\0\0'
    printf '\0\0\200\077\0\0\000\100\0\0\100\100'; printf '\0%.0s' $(seq 8)
    printf '\005'
  done
  printf '%-20s%-20s' 'bakery' 'produce'
} > "$OUT/seeds/three-items"

nice -n 10 "$OUT/list_file_fuzzer" -max_total_time="$RUN_SECONDS" -print_final_stats=1 \
     -artifact_prefix="$OUT/" "$@" "$OUT/corpus" "$OUT/seeds"

#!/usr/bin/env bash
# Builds a fuzzer with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) into build-fuzz/ and runs it: the list-file
# fuzzer, or with "csv" the CSV import's.
# Usage: scripts/fuzz.sh [csv] [seconds] [extra libFuzzer options...]   (default 60 s)
set -euo pipefail
cd "$(dirname "$0")/.."
target=list_file
[ "${1:-}" = csv ] && { target=csv; shift; }
RUN_SECONDS=${1:-60}
shift || true
OUT=${PANTRIUM_FUZZ_DIR:-build-fuzz}  # the test run's is in its build folder

build() {
  clang++ -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
          -I. "fuzz/$1_fuzzer.cpp" data/*.cpp platform/files/*.cpp platform/files/posix/*.cpp -o "$OUT/$1_fuzzer"
}

if [ $target = csv ]; then
  mkdir -p "$OUT/csv-seeds" "$OUT/csv-corpus"
  build csv
  # Seeds: the export's form, and a spreadsheet's with ";", a decimal comma and ANSI.
  printf '\357\273\277Category,Item,Unit,Price,Units to buy,On list,One-time buy,Auto-listed,Purchase 1 date,Purchase 1 units\r\n' \
    > "$OUT/csv-seeds/export"
  printf 'dairy,Milk,gallon,2.5,1,yes,no,no,2024-03-07,2\r\n,"Tea, ""green""",box,0.335,0,no,no,no,,\r\n' \
    >> "$OUT/csv-seeds/export"
  printf 'ITEM;category;Price;Purchase 1 Date;Purchase 1 Units\r\n"Cr\350me; fra\356che";Dairy;3,5;3/9/2024;1,5\r\n' \
    > "$OUT/csv-seeds/spreadsheet"
  exec nice -n 10 "$OUT/csv_fuzzer" -max_total_time="$RUN_SECONDS" -print_final_stats=1 \
       -artifact_prefix="$OUT/" "$@" "$OUT/csv-corpus" "$OUT/csv-seeds"
fi

mkdir -p "$OUT/seeds" "$OUT/corpus"
build list_file

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

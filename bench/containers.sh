#!/usr/bin/env bash
# Containers benchmark: the bytes read and the time per file for each kind of
# photo file (the demo photos and the formats corpus), and a search over a
# mixed tree of N files (the demo JPEGs and every file of the formats corpus
# taking turns) against the same search over a tree of N JPEGs, on warm
# cache, best of five rounds each.
# Usage: bench/containers.sh [N]   (default 20000)
set -euo pipefail
cd "$(dirname "$0")/.."
n=${1:-20000}
formats=${ORVALIS_CORPUS_DIR:-../shared/corpus}/formats
work=${BENCH_DIR:-/tmp/orvalis-bench}
mkdir -p "$work"
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DORVALIS_BUILD_UI=OFF -DORVALIS_BUILD_TESTS=OFF >/dev/null
cmake --build build-bench -j2 --target orvalis-cli orvalis-make-corpus orvalis-bench-container-reads >/dev/null
bin=build-bench

"$bin/orvalis-bench-container-reads" samples/*.jpg "$formats"/*

"$bin/orvalis-make-corpus" "$n" "$work/jpeg" samples >/dev/null
"$bin/orvalis-make-corpus" --any "$n" "$work/mixed" samples "$formats" >/dev/null
best() {
  local best=999999 t0 t1 t
  for _ in 1 2 3 4 5; do
    t0=$(date +%s.%N)
    "$bin/orvalis-cli" --no-limit "SELECT Name, Format, Make, DateTimeOriginal FROM $1/* WITH subdirs" >/dev/null
    t1=$(date +%s.%N)
    t=$(echo "$t1 - $t0" | bc -l)
    if (( $(echo "$t < $best" | bc -l) )); then best=$t; fi
  done
  echo "$best"
}
jpeg=$(best "$work/jpeg")
mixed=$(best "$work/mixed")
printf '| tree of %s files | time | µs per file |\n|---|---|---|\n' "$n"
printf '| JPEG only | %.3f s | %.1f |\n' "$jpeg" "$(echo "1000000 * $jpeg / $n" | bc -l)"
printf '| mixed | %.3f s | %.1f |\n' "$mixed" "$(echo "1000000 * $mixed / $n" | bc -l)"
printf 'mixed / JPEG: %.2f\n' "$(echo "$mixed / $jpeg" | bc -l)"

#!/usr/bin/env bash
# Window benchmark: the desktop program's main window (offscreen) and
# orvalis-cli answer the same query over 20,000 and 100,000 photos, in one
# run. Reports per size: the command line's time and peak memory, the
# window's time to the last row, the time until the last screen of
# thumbnails shows after scrolling to the end, the time to sort all rows,
# and the window's peak memory.
# Goals: time to the last row at most 2 x the command line's time + 1 s;
# peak memory under 300 MB at 100,000 hits.
# Usage: bench/window.sh [N...]   (default: 20000 100000)
set -euo pipefail
cd "$(dirname "$0")/.."
sizes=("$@")
[ ${#sizes[@]} -eq 0 ] && sizes=(20000 100000)
work=${BENCH_DIR:-/tmp/orvalis-bench-window}
mkdir -p "$work"

cmake -S . -B build-bench-window -DCMAKE_BUILD_TYPE=Release -DORVALIS_BUILD_UI=ON -DORVALIS_BUILD_TESTS=OFF >/dev/null
cmake --build build-bench-window -j2 --target orvalis-cli orvalis-make-corpus orvalis-bench-window >/dev/null
bin=build-bench-window

for n in "${sizes[@]}"; do
  "$bin/orvalis-make-corpus" "$n" "$work/n$n" samples >/dev/null
  query="SELECT Name, Make, Model FROM $work/n$n/*.jpg WITH subdirs"
  # Warm the cache once.
  "$bin/orvalis-cli" --no-limit "$query" >/dev/null
  cli=$(/usr/bin/time -f '%e s, peak %M KiB' "$bin/orvalis-cli" --no-limit "$query" 2>&1 >/dev/null | tail -n 1)
  hits=$("$bin/orvalis-cli" --no-limit "$query" | wc -l)
  window=$(QT_QPA_PLATFORM=offscreen "$bin/orvalis-bench-window" "$query" 2>/dev/null)
  printf '%d files, %d hits\n  orvalis-cli: %s\n  window:      %s\n' "$n" "$hits" "$cli" "$window"
  rm -rf "$work/n$n"
done

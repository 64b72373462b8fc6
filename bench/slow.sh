#!/usr/bin/env bash
# Slow storage benchmark: orvalis-cli searches for Canon photos with one
# reader (--jobs 1) and with its default readers, while the preloaded shim
# (bench/slow_storage.cpp) makes every open, stat by path and read wait 0.2,
# 1 and 5 ms, over 1,000 photos in 5 folders and 20,000 photos in 100 folders.
# Reports per delay and size: the median wall time of five default runs, the
# time of one run with one reader, files/s of each and their ratio.
#
# files/s counts the search, not the program's start: the median time of the
# same command over an empty folder (loading the libraries, some 30 ms) is
# taken off both times. With one reader and 5 ms, 20,000 files would take
# over three minutes; the one-reader rate of the 1,000 files stands for it
# there (set FULL=1 to measure it).
# Usage: bench/slow.sh [build folder]   (default build-bench, Release)
set -euo pipefail
cd "$(dirname "$0")/.."
bin=${1:-build-bench}
work=${BENCH_DIR:-/tmp/orvalis-bench-slow}
if [ "$bin" = build-bench ]; then
  cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DORVALIS_BUILD_UI=OFF -DORVALIS_BUILD_TESTS=OFF >/dev/null
  cmake --build build-bench -j2 --target orvalis-cli orvalis-make-corpus orvalis-slow-storage >/dev/null
fi
mkdir -p "$work/empty"
sources=(samples)
[ -d ../shared/corpus/exif-samples ] && sources+=(../shared/corpus/exif-samples)
shim="$PWD/$bin/liborvalis-slow-storage.so"

source bench/timing.sh
# median_of K COMMAND...: the median wall time of K runs.
median_of() {
  local k=$1; shift
  local i times=()
  for ((i = 0; i < k; i++)); do times+=("$(seconds "$@")"); done
  printf '%s\n' "${times[@]}" | sort -g | sed -n "$(((k + 1) / 2))p"
}
slow() { local us=$1; shift; env LD_PRELOAD="$shim" ORVALIS_SLOW_US="$us" "$@"; }
query() { echo "SELECT Name FROM $1/*.jpg WHERE Make ~ 'Canon' WITH subdirs"; }
rate() { echo "scale=0; $1 / ($2 - $3)" | bc -l; }

"$bin/orvalis-make-corpus" --per-folder 200 1000 "$work/1k" "${sources[@]}" >/dev/null
"$bin/orvalis-make-corpus" --per-folder 200 20000 "$work/20k" "${sources[@]}" >/dev/null
cat "$work"/20k/*/*/*.jpg "$work"/1k/*/*/*.jpg >/dev/null

printf '%-8s %-7s %10s %10s %10s %12s %12s %7s\n' delay files start 'jobs 1' default 'files/s 1' 'files/s def' ratio
one_rate_1k=""
for us in 200 1000 5000; do
  start=$(median_of 5 slow "$us" "$bin/orvalis-cli" --no-limit "$(query "$work/empty")")
  for size in 1k 20k; do
    n=$([ "$size" = 1k ] && echo 1000 || echo 20000)
    q=$(query "$work/$size")
    if [ "$size" = 20k ] && [ "$us" = 5000 ] && [ -z "${FULL:-}" ]; then
      t_one="-"
      r_one=$one_rate_1k
    else
      t_one=$(seconds slow "$us" "$bin/orvalis-cli" --jobs 1 --no-limit "$q")
      r_one=$(rate "$n" "$t_one" "$start")
      t_one=$(printf '%.3f' "$t_one")
    fi
    [ "$size" = 1k ] && one_rate_1k=$r_one
    t_def=$(median_of 5 slow "$us" "$bin/orvalis-cli" --no-limit "$q")
    r_def=$(rate "$n" "$t_def" "$start")
    printf '%-8s %-7s %10.3f %10s %10.3f %12d %12d %7.1f\n' "$((us / 1000)).$((us % 1000 / 100)) ms" "$n" \
      "$start" "$t_one" "$t_def" "$r_one" "$r_def" "$(echo "$r_def / $r_one" | bc -l)"
  done
done

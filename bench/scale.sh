#!/usr/bin/env bash
# Scale check: a corpus of N photos (default 1,000,000; hard links, 50 a
# folder, 20 folders a parent, so 20,000 folders at a million) searched for
# Canon photos with the default readers, on warm cache. Reports the search's
# time and peak memory, its hits, and the floor's time (open, read 64 KiB and
# close every file, one thread) with the ratio of the two.
# Goal: peak memory within 40 MB plus the hits' rows.
# The corpus takes some 50 MB of directory entries per million files (check
# df first); it is removed at the end unless KEEP=1.
# Usage: bench/scale.sh [N]
set -euo pipefail
cd "$(dirname "$0")/.."
n=${1:-1000000}
work=${BENCH_DIR:-/tmp/orvalis-bench-scale}
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DORVALIS_BUILD_UI=OFF -DORVALIS_BUILD_TESTS=OFF >/dev/null
cmake --build build-bench -j2 --target orvalis-cli orvalis-bench-floor orvalis-make-corpus >/dev/null
bin=build-bench
sources=(samples)
[ -d ../shared/corpus/exif-samples ] && sources+=(../shared/corpus/exif-samples)

"$bin/orvalis-make-corpus" "$n" "$work/c" "${sources[@]}"
query="SELECT Name FROM $work/c/*.jpg WHERE Make ~ 'Canon' WITH subdirs"
# Warm the cache: the floor reads every file, the search lists every folder.
"$bin/orvalis-bench-floor" "$work/c" >/dev/null
hits=$("$bin/orvalis-cli" --no-limit "$query" | wc -l)

report=$(mktemp)
/usr/bin/time -f '%e %M' -o "$report" "$bin/orvalis-cli" --no-limit "$query" >/dev/null
read -r t_search kib <"$report"
/usr/bin/time -f '%e %M' -o "$report" "$bin/orvalis-bench-floor" "$work/c" >/dev/null
read -r t_floor floor_kib <"$report"
rm -f "$report"
printf 'scale: %d files, %d hits, warm cache, %d cores\n' "$n" "$hits" "$(nproc)"
printf 'orvalis-cli (default): %.2f s, %d files/s, peak %.1f MiB\n' "$t_search" \
  "$(echo "scale=0; $n / $t_search" | bc -l)" "$(echo "$kib / 1024" | bc -l)"
printf 'floor: %.2f s, peak %.1f MiB\n' "$t_floor" "$(echo "$floor_kib / 1024" | bc -l)"
printf 'search time / floor time: %.2f\n' "$(echo "$t_search / $t_floor" | bc -l)"
[ -n "${KEEP:-}" ] || rm -rf "$work/c"

#!/usr/bin/env bash
# Search benchmark: builds a corpus of N photos (default 20000) and measures on
# warm cache, side by side on this machine,
#   1. orvalis-cli searching it for Canon photos with one reader (--jobs 1)
#      and with the readers it chooses for the machine,
#   2. the same search with jhead (-model Canon) and with ExifTool, if
#      installed,
#   3. the floor: open, read 64 KiB and close every file,
#   4. a search that names an XMP field, so every XMP packet is parsed,
# and last the peak memory of orvalis-cli at N and at 4 N. Slow storage is
# measured by bench/slow.sh, a million files by bench/scale.sh.
# Usage: bench/run.sh [N]   (set SKIP_EXIFTOOL=1 to leave ExifTool out)
set -euo pipefail
cd "$(dirname "$0")/.."
n=${1:-20000}
bash scripts/setup.sh
# The benchmark's own tools: bc for the arithmetic, GNU time for peak memory,
# jhead and ExifTool for the comparison.
for p in bc time jhead libimage-exiftool-perl; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    sudo=""; [ "$(id -u)" -ne 0 ] && sudo="sudo"
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "$p" >/dev/null || true
  fi
done
work=${BENCH_DIR:-/tmp/orvalis-bench}
mkdir -p "$work"

cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DORVALIS_BUILD_UI=OFF \
  -DORVALIS_BUILD_TESTS=OFF >/dev/null
cmake --build build-bench -j"$(nproc)" --target orvalis-cli orvalis-bench-floor orvalis-make-corpus >/dev/null
bin=build-bench

sources=(samples)
[ -d ../shared/corpus/exif-samples ] && sources+=(../shared/corpus/exif-samples)

source bench/timing.sh
# peak_kib COMMAND...: the command's maximum resident set size in KiB.
peak_kib() { /usr/bin/time -f '%M' "$@" 2>&1 >/dev/null | tail -n 1; }
rate() { echo "scale=0; $1 / $2" | bc -l; }

"$bin/orvalis-make-corpus" "$n" "$work/n" "${sources[@]}"
corpus="$work/n"
query="SELECT Name FROM $corpus/*.jpg WHERE Make ~ 'Canon' WITH subdirs"

# Warm the cache and count the hits once.
"$bin/orvalis-bench-floor" "$corpus" >/dev/null
hits=$("$bin/orvalis-cli" --no-limit "$query" | wc -l)

# The search and the floor take turns, five rounds, and each keeps its best
# time: what else the machine does then weighs on both alike.
min_of() { if [ -z "$1" ] || [ "$(echo "$2 < $1" | bc -l)" = 1 ]; then echo "$2"; else echo "$1"; fi; }
# jhead takes the files as arguments, as many at once as fit.
jhead_search() { find "$corpus" -name '*.jpg' -print0 | xargs -0 jhead -model Canon; }
t_one="" t_orvalis="" t_floor="" t_jhead=""
for _ in 1 2 3 4 5; do
  t_one=$(min_of "$t_one" "$(seconds "$bin/orvalis-cli" --jobs 1 --no-limit "$query")")
  t_orvalis=$(min_of "$t_orvalis" "$(seconds "$bin/orvalis-cli" --no-limit "$query")")
  t_floor=$(min_of "$t_floor" "$(seconds "$bin/orvalis-bench-floor" "$corpus")")
  if command -v jhead >/dev/null; then t_jhead=$(min_of "$t_jhead" "$(seconds jhead_search)"); fi
done
best() {  # best of three runs
  local b=""
  for _ in 1 2 3; do b=$(min_of "$b" "$(seconds "$@")"); done
  echo "$b"
}
# XMP packets are parsed only for a query that asks for an XMP field.
query_xmp="SELECT Name FROM $corpus/*.jpg WHERE XmpRating >= 4 or Make ~ 'Canon' WITH subdirs"
t_xmp=$(best "$bin/orvalis-cli" --no-limit "$query_xmp")

printf 'corpus: %d files, %d hits, warm cache, %d cores\n' "$n" "$hits" "$(nproc)"
printf '%-16s %8.3f s %10s files/s\n' "orvalis --jobs 1" "$t_one" "$(rate "$n" "$t_one")"
printf '%-16s %8.3f s %10s files/s\n' "orvalis" "$t_orvalis" "$(rate "$n" "$t_orvalis")"
printf '%-16s %8.3f s %10s files/s\n' floor "$t_floor" "$(rate "$n" "$t_floor")"
printf 'orvalis time / floor time: %.2f with one reader, %.2f by default (target: at most 1.2)\n' \
  "$(echo "$t_one / $t_floor" | bc -l)" "$(echo "$t_orvalis / $t_floor" | bc -l)"

if [ -n "$t_jhead" ]; then
  printf '%-16s %8.3f s %10s files/s\n' "jhead" "$t_jhead" "$(rate "$n" "$t_jhead")"
  printf 'orvalis files/s / jhead files/s: %.2f (target: at least 1.5)\n' "$(echo "$t_jhead / $t_orvalis" | bc -l)"
else
  echo "jhead: not measured"
fi

printf '%-16s %8.3f s %10s files/s\n' "with XMP" "$t_xmp" "$(rate "$n" "$t_xmp")"
printf 'XMP search time / floor time: %.2f\n' "$(echo "$t_xmp / $t_floor" | bc -l)"

if [ -z "${SKIP_EXIFTOOL:-}" ] && command -v exiftool >/dev/null; then
  t_exiftool=$(seconds exiftool -q -r -if '$Make =~ /Canon/' -p '$FileName' "$corpus")
  printf '%-10s %8.3f s %10s files/s\n' exiftool "$t_exiftool" "$(rate "$n" "$t_exiftool")"
  printf 'orvalis files/s / exiftool files/s: %.0f (target: at least 300)\n' \
    "$(echo "$t_exiftool / $t_orvalis" | bc -l)"
else
  echo "exiftool: not measured"
fi

m1=$(peak_kib "$bin/orvalis-cli" --no-limit "$query")
"$bin/orvalis-make-corpus" $((4 * n)) "$work/4n" "${sources[@]}" >/dev/null
"$bin/orvalis-bench-floor" "$work/4n" >/dev/null
hits4=$("$bin/orvalis-cli" --no-limit "SELECT Name FROM $work/4n/*.jpg WHERE Make ~ 'Canon' WITH subdirs" | wc -l)
m4=$(peak_kib "$bin/orvalis-cli" --no-limit "SELECT Name FROM $work/4n/*.jpg WHERE Make ~ 'Canon' WITH subdirs")
printf 'peak memory: %d KiB at %d files (%d hits), %d KiB at %d files (%d hits)\n' \
  "$m1" "$n" "$hits" "$m4" $((4 * n)) "$hits4"
rm -rf "$work/4n"

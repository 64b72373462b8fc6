#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (build-fuzz/) and runs each for a
# bounded time, starting from the seeds: the photos in samples/ and the shared
# corpus (whole, and their Exif and IPTC segments), fuzz/seeds/ and every kept
# input in fuzz/regressions/. Prints the executions per target; fails when a
# target finds a crash, a hang or an allocation beyond its limit, and leaves
# the input under build-fuzz/fuzz-work/findings/<target>/.
#
#   FUZZ_SECONDS   seconds per target (default 10: under two minutes for all eight)
#   FUZZ_TARGETS   targets to run (default: all), e.g. "exif iptc"
#   FUZZ_JOBS      parallel fuzzing processes per target (default 1)
#
# A longer hunt, e.g. an hour per target on four cores:
#   FUZZ_SECONDS=3600 FUZZ_JOBS=4 bash scripts/fuzz.sh
# The corpus grows in build-fuzz/fuzz-work/corpus/ and is reused next time.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${FUZZ_SECONDS:-10}
targets=${FUZZ_TARGETS:-"segment_walk exif iptc query_compile evaluate list_files xmp language_file"}
fuzz_jobs=${FUZZ_JOBS:-1}
build_jobs=$(nproc 2>/dev/null || echo 2)
corpus_photos=${ORVALIS_CORPUS_DIR:-../shared/corpus}
work=build-fuzz/fuzz-work

CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVALIS_FUZZ=ON \
  -DORVALIS_BUILD_UI=OFF -DORVALIS_BUILD_TESTS=OFF -DORVALIS_WARNINGS_AS_ERRORS=ON >/dev/null
build_targets=(orvalis-fuzz-seeds)
for t in $targets; do build_targets+=("fuzz_$t"); done
for t in "${build_targets[@]}"; do cmake --build build-fuzz -j"$build_jobs" --target "$t" >/dev/null; done

# Seeds, made anew each time from their sources.
rm -rf "$work/seeds"
mkdir -p "$work/seeds"
photos=(samples/*.jpg)
if [ -d "$corpus_photos" ]; then
  while IFS= read -r -d '' f; do photos+=("$f"); done < <(find "$corpus_photos" -type f -iname '*.jp*g' -print0)
fi
mkdir -p "$work/seeds/segment_walk"
i=0
for f in "${photos[@]}"; do cp "$f" "$work/seeds/segment_walk/$((i++))_$(basename "$f")"; done
build-fuzz/orvalis-fuzz-seeds "$work/seeds" "${photos[@]}"
# The shipped language files seed their reader.
mkdir -p "$work/seeds/language_file"
cp lang/*.lng "$work/seeds/language_file/"
for t in $targets; do
  mkdir -p "$work/seeds/$t"
  for dir in fuzz/seeds/$t fuzz/regressions/$t; do
    if [ -d "$dir" ]; then cp "$dir"/* "$work/seeds/$t/" 2>/dev/null || true; fi
  done
done

max_len() {
  case $1 in
    segment_walk) echo 131072 ;;
    exif | iptc | xmp) echo 65533 ;;
    list_files | language_file) echo 16384 ;;
    *) echo 4096 ;;
  esac
}

failed=()
summary=()
for t in $targets; do
  mkdir -p "$work/corpus/$t" "$work/findings/$t" "$work/logs"
  options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=1024 -malloc_limit_mb=256
           -max_len="$(max_len "$t")" -print_final_stats=1 -artifact_prefix="$work/findings/$t/")
  case $t in query_compile | evaluate) options+=(-dict=fuzz/query.dict) ;; esac
  if [ "$fuzz_jobs" -gt 1 ]; then options+=(-fork="$fuzz_jobs" -ignore_crashes=1); fi
  log="$work/logs/$t.log"
  status=0
  ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    "build-fuzz/fuzz_$t" "${options[@]}" "$work/corpus/$t" "$work/seeds/$t" >"$log" 2>&1 || status=$?
  execs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | tail -1 | grep -o '[0-9]*$' || true)
  summary+=("$(printf '%-14s %10s executions in %ss' "$t" "${execs:-?}" "$seconds")")
  if [ "$status" -ne 0 ] || [ -n "$(ls -A "$work/findings/$t")" ]; then
    failed+=("$t")
    echo "fuzz_$t found something (see $log and $work/findings/$t/):" >&2
    grep -E 'ERROR|SUMMARY|Test unit written' "$log" | head -20 >&2 || true
  fi
done

printf '%s\n' "${summary[@]}"
if [ ${#failed[@]} -gt 0 ]; then
  echo "Findings in: ${failed[*]}. Keep each as a named file in fuzz/regressions/<target>/ with its fix." >&2
  exit 1
fi

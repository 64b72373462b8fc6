#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (build-fuzz/) and runs each for a
# bounded time, starting from the seeds: the photos in samples/ and the shared
# corpus (whole, and their Exif and IPTC segments; its HEIF and CR3 files
# for the ISO base media walk), fuzz/seeds/ and every kept
# input in fuzz/regressions/. Prints the executions per target; fails when a
# target finds a crash, a hang or an allocation beyond its limit. Each such
# input is moved into fuzz/regressions/<target>/ as found-<kind>-<hash>, so
# the test KeptFuzzInput runs it from then on: give it a telling name with
# its fix.
#
#   FUZZ_LONG      1: the long hunt, an hour per target on every core
#                  (FUZZ_SECONDS=3600, FUZZ_JOBS=number of cores, unless set)
#   FUZZ_SECONDS   seconds per target (default 10: under two minutes for all nine)
#   FUZZ_TARGETS   targets to run (default: all), e.g. "exif iptc"
#   FUZZ_JOBS      parallel fuzzing processes per target (default 1)
#
# E.g. the long hunt over two targets:
#   FUZZ_LONG=1 FUZZ_TARGETS="segment_walk exif" bash scripts/fuzz.sh
# The corpus grows in build-fuzz/fuzz-work/corpus/ and is reused next time.
set -euo pipefail
cd "$(dirname "$0")/.."

build_jobs=$(nproc 2>/dev/null || echo 2)
if [ "${FUZZ_LONG:-0}" = 1 ]; then
  seconds=${FUZZ_SECONDS:-3600}
  fuzz_jobs=${FUZZ_JOBS:-$build_jobs}
else
  seconds=${FUZZ_SECONDS:-10}
  fuzz_jobs=${FUZZ_JOBS:-1}
fi
targets=${FUZZ_TARGETS:-"segment_walk exif iptc query_compile evaluate list_files xmp language_file container_walk isobmff"}
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
build-fuzz/orvalis-fuzz-seeds "$work/seeds" "${photos[@]}"
# A file of each container kind seeds the container walk; the HEIF and CR3
# files the ISO base media walk.
mkdir -p "$work/seeds/container_walk" "$work/seeds/isobmff"
if [ -d "$corpus_photos/formats" ]; then
  find "$corpus_photos/formats" -type f ! -name '*.json' -exec cp {} "$work/seeds/container_walk/" \;
  find "$corpus_photos/formats" -type f \( -iname '*.heic' -o -iname '*.cr3' \) -exec cp {} "$work/seeds/isobmff/" \;
fi
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
    segment_walk | container_walk | isobmff) echo 131072 ;;
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
  asan=detect_leaks=1:allocator_may_return_null=1
  # A whole photo read twice allocates afresh on every run; with ASan's
  # default quarantine of 256 MB nothing is reused and each run faults in
  # new pages, which halved segment_walk's speed. 16 MB still catches a
  # use after free within a run.
  if [ "$t" = segment_walk ]; then asan+=:quarantine_size_mb=16; fi
  if [ "$fuzz_jobs" -gt 1 ]; then options+=(-fork="$fuzz_jobs" -ignore_crashes=1); fi
  log="$work/logs/$t.log"
  status=0
  ASAN_OPTIONS=$asan UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    "build-fuzz/fuzz_$t" "${options[@]}" "$work/corpus/$t" "$work/seeds/$t" >"$log" 2>&1 || status=$?
  execs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | tail -1 | grep -o '[0-9]*$' || true)
  summary+=("$(printf '%-14s %10s executions in %ss' "$t" "${execs:-?}" "$seconds")")
  if [ "$status" -ne 0 ] || [ -n "$(ls -A "$work/findings/$t")" ]; then
    failed+=("$t")
    echo "fuzz_$t found something (see $log):" >&2
    grep -E 'ERROR|SUMMARY|Test unit written' "$log" | head -20 >&2 || true
    # libFuzzer names its findings crash-, timeout-, oom-, leak- or
    # slow-unit- and the input's hash; kept, they outlive build-fuzz/.
    mkdir -p "fuzz/regressions/$t"
    for finding in "$work/findings/$t"/*; do
      [ -f "$finding" ] || continue
      kept="fuzz/regressions/$t/found-$(basename "$finding")"
      mv "$finding" "$kept"
      echo "  kept as $kept" >&2
    done
  fi
done

printf '%s\n' "${summary[@]}"
if [ ${#failed[@]} -gt 0 ]; then
  echo "Findings in: ${failed[*]}. Each is kept in fuzz/regressions/<target>/found-*: fix it and give it a telling name." >&2
  exit 1
fi

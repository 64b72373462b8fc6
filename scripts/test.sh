#!/usr/bin/env bash
# Checks that the sources are in the project's style (.clang-format), builds
# Orvalis and runs every test: the normal build with all tests, then the
# core tests again under AddressSanitizer and UndefinedBehaviorSanitizer, then
# the engine tests (the query run with its reader threads) under
# ThreadSanitizer, and each fuzz target for a bounded time (FUZZ_SECONDS per
# target, default 10; ORVALIS_SKIP_FUZZ=1 leaves them out).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/check-format.sh

jobs=$(nproc 2>/dev/null || echo 2)

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVALIS_WARNINGS_AS_ERRORS=ON >/dev/null
cmake --build build -j"$jobs"
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j"$jobs"
bash scripts/check-package.sh build

cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DORVALIS_SANITIZE=ON \
  -DORVALIS_BUILD_UI=OFF -DORVALIS_WARNINGS_AS_ERRORS=ON >/dev/null
cmake --build build-sanitize -j"$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
  LSAN_OPTIONS=suppressions=$PWD/tests/leak_suppressions.txt \
  ctest --test-dir build-sanitize --output-on-failure -j"$jobs" -L core

cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVALIS_TSAN=ON \
  -DORVALIS_BUILD_UI=OFF -DORVALIS_WARNINGS_AS_ERRORS=ON >/dev/null
cmake --build build-tsan -j"$jobs" --target engine_tests
TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 build-tsan/engine_tests
if [ "${ORVALIS_SKIP_FUZZ:-0}" != 1 ]; then
  bash scripts/fuzz.sh
fi

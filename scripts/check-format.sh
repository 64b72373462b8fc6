#!/usr/bin/env bash
# Fails when a C++ source file differs from the style in .clang-format, and
# names the files. Fix them with: clang-format -i <file>...
set -euo pipefail
cd "$(dirname "$0")/.."
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  mapfile -t files < <(git ls-files '*.cpp' '*.h')
else
  mapfile -t files < <(find src tests fuzz bench tools help -name '*.cpp' -o -name '*.h' | sort)
fi
if ! clang-format --dry-run --Werror "${files[@]}" 2>/dev/null; then
  echo "Not in the project's style (clang-format -i fixes them):" >&2
  for f in "${files[@]}"; do
    clang-format --dry-run --Werror "$f" >/dev/null 2>&1 || echo "  $f" >&2
  done
  exit 1
fi

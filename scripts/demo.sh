#!/usr/bin/env bash
# Builds Orvalis and shows what it does with an example query.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

jobs=$(nproc 2>/dev/null || echo 2)
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs" --target orvalis-cli

query="SELECT TOP 10 Name, Size FROM x WHERE Size > 1000 WITH subdirs"
echo "orvalis-cli --explain \"$query\""
build/orvalis-cli --explain "$query"

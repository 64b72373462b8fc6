#!/usr/bin/env bash
# Builds the Debian package orvalis_<version>_<arch>.deb in build/ with CPack
# and shows its contents and dependencies.
#   scripts/package.sh            then: sudo apt install ./build/orvalis_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc 2>/dev/null || echo 2)"
(cd build && cpack -G DEB >/dev/null)
package=$(ls build/orvalis_*.deb | head -n 1)
echo "$package"
dpkg-deb -f "$package" Depends
dpkg-deb -c "$package" | awk '{print $6}'

#!/usr/bin/env bash
# The pictures of the windows for the documentation: builds
# orvalis-screenshots and runs it under a virtual X display.
# Usage: tools/screenshots.sh [FOLDER]   (default: docs; BUILD_DIR default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
cmake --build "$build" -j2 --target orvalis-screenshots
xvfb-run -a -s "-screen 0 1024x768x24" "$build/orvalis-screenshots" "${1:-docs}"

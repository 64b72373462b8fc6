#!/usr/bin/env bash
# Builds Orvalis and runs it on the bundled sample photos: the desktop
# program when a display is available, otherwise a few searches with the
# command-line program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

jobs=$(nproc 2>/dev/null || echo 2)
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs" --target orvalis-cli
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -z "${ORVALIS_DEMO_CLI:-}" ]; then
  if cmake --build build -j"$jobs" --target orvalis 2>/dev/null && [ -x build/orvalis ]; then
    cd samples
    exec ../build/orvalis
  fi
fi

cd samples
run() {
  echo
  echo "\$ orvalis-cli \"$1\""
  ../build/orvalis-cli "$1"
}
run "SELECT Name, Make, Model, FNumber FROM *.jpg WHERE Make ~ 'Canon' and FNumber < 4 WITH subdirs"
run "SELECT Name, Keywords, City FROM *.jpg WHERE Keywords ~ 'Urlaub' WITH subdirs"
run "SELECT rownum, Name, dateformat(DateTimeOriginal, 'dd.mm.yyyy') FROM *.jpg WHERE datepart('year', DateTimeOriginal) >= 2022 WITH subdirs"
run "SELECT Name, isnull(JpgComment, UserComment) FROM *.jpg WHERE hassegment('cmmt') == 'true' or isnull(UserComment, '') != ''"
run "SELECT Name, Caption FROM *.jpg WHERE contains('*kirche*') != ''"
run "SELECT Name, GPSLatitude, GPSLongitude, GPSAltitude FROM *.jpg WHERE GPSLatitude < 0 and GPSLongitude < 0"
run "SELECT Name, XmpRating, Label, Subject FROM *.jpg WHERE XmpRating >= 4 and Subject ~ 'Königssee'"
run "SELECT Name, Format, Make, Model, DateTimeOriginal, PixelsX, PixelsY FROM * WHERE hassegment('gps') == 'true' and Format != 'JPEG' WITH subdirs"

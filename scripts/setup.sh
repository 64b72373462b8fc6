#!/usr/bin/env bash
# Installs, with apt-get, whatever a Debian 12 machine lacks for building,
# running and testing Orvalis. Does nothing when everything is there.
set -euo pipefail

packages=(
  g++ cmake make pkg-config
  qt6-base-dev libqt6printsupport6
  libjpeg62-turbo-dev libpcre2-dev
  libexpat1-dev   # XMP packets
  libheif-dev   # pictures of HEIC and AVIF photos (decoders come with libheif1)
  qt6-image-formats-plugins   # pictures of WebP and TIFF photos
  libjemalloc-dev   # the programs' allocator: reader threads hand their stores on
  libgtest-dev
  libxml2-utils   # xmllint: tests check every XML export with a real parser
  qt6-translations-l10n   # Qt's own dialogs in the program's language
  dpkg-dev man-db desktop-file-utils   # the package, its manual page and desktop entry are checked
  poppler-utils   # pdftotext: tests read back what was printed into a PDF file
  clang libclang-rt-14-dev   # libFuzzer and its sanitizers for scripts/fuzz.sh
  clang-format   # scripts/check-format.sh holds the sources to .clang-format
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"

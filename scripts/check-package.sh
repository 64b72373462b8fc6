#!/usr/bin/env bash
# Builds the Debian package from a built tree and checks its contents and
# declared dependencies (without installing it).
#   scripts/check-package.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
(cd "$build" && rm -f orvalis_*.deb && cpack -G DEB >/dev/null)
package=$(ls "$build"/orvalis_*.deb | head -n 1)
fail() { echo "check-package: $*" >&2; exit 1; }
contents=$(dpkg-deb -c "$package" | awk '{print $6}')
for file in ./usr/bin/orvalis ./usr/bin/orvalis-cli ./usr/share/orvalis/help/de/index.htm \
            ./usr/share/applications/orvalis.desktop ./usr/share/man/man1/orvalis-cli.1 \
            ./usr/share/man/man1/orvalis.1 \
            ./usr/share/icons/hicolor/256x256/apps/orvalis.png; do
  grep -qxF "$file" <<<"$contents" || fail "the package lacks $file"
done
depends=$(dpkg-deb -f "$package" Depends)
for library in libqt6widgets6 libjpeg62-turbo libpcre2-8-0 libjemalloc2; do
  grep -q "$library" <<<"$depends" || fail "the package does not depend on $library ($depends)"
done
echo "check-package: $(basename "$package") ok"

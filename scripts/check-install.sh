#!/usr/bin/env bash
# Installs a built tree into a temporary prefix and checks that the installed
# programs run from there and find what they read at run time.
#   scripts/check-install.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
source_dir=$(cd "$(dirname "$0")/.." && pwd)
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null

fail() { echo "check-install: $*" >&2; exit 1; }

"$prefix/bin/orvalis-cli" --help | grep -q "orvalis-cli" || fail "--help of the installed orvalis-cli"
# /LCID:1033 makes the installed command line speak English: it finds the
# language files in share/orvalis/lang as the desktop program does.
english=$("$prefix/bin/orvalis-cli" /LCID:1033 "" 2>&1 || true)
[ "$english" = "There is no query text." ] ||
  fail "the installed orvalis-cli does not speak English with /LCID:1033: $english"
hits=$("$prefix/bin/orvalis-cli" --paths "SELECT Name FROM $source_dir/samples/*.jpg WITH subdirs")
[ -n "$hits" ] || fail "the installed orvalis-cli found nothing in samples/"

for file in share/orvalis/help/de/index.htm share/orvalis/help/en/index.htm \
            share/orvalis/help/de/SyntaxHelp/exif.htm share/orvalis/help/contexts.map \
            share/applications/orvalis.desktop share/icons/hicolor/48x48/apps/orvalis.png \
            share/man/man1/orvalis-cli.1 share/man/man1/orvalis.1 \
            share/bash-completion/completions/orvalis-cli; do
  [ -f "$prefix/$file" ] || fail "missing $file"
done
if [ -d "$source_dir/lang" ]; then
  ls "$prefix"/share/orvalis/lang/*.lng >/dev/null 2>&1 || fail "no language files installed"
fi

# The manual page says what --help says: every option of one is in the other.
for option in $("$prefix/bin/orvalis-cli" --help | grep -o -- '--[a-z][a-z-]*' | sort -u); do
  grep -q -- "${option//-/\\\\-}" "$prefix/share/man/man1/orvalis-cli.1" ||
    fail "$option is in --help but not in the manual page"
done
if command -v man >/dev/null; then
  for page in orvalis-cli.1 orvalis.1; do
    man -l "$prefix/share/man/man1/$page" 2>&1 >/dev/null | grep . && fail "man reports problems in $page"
  done
fi
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$prefix/share/applications/orvalis.desktop" || fail "desktop entry"
fi

# The installed desktop program starts and finds its help: its help log
# (switched on by /debug) records whether the help folder is there.
if [ -x "$prefix/bin/orvalis" ]; then
  home=$(mktemp -d)
  status=0
  HOME="$home" XDG_CONFIG_HOME="$home" QT_QPA_PLATFORM=offscreen \
    timeout 5 "$prefix/bin/orvalis" /debug >/dev/null 2>&1 || status=$?
  rm -rf "$home"
  [ "$status" -eq 124 ] || [ "$status" -eq 0 ] || fail "the installed orvalis ended with $status"
  grep -q "_hhInstalled = True" "$prefix/bin/HHDebug.txt" || fail "the installed orvalis did not find its help"
fi
echo "check-install: ok"

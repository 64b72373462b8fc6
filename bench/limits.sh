#!/usr/bin/env bash
# Peak memory of orvalis-cli on the two inputs built to exhaust it: a short
# query whose texts would grow with the square of its length (400 times
# "pad(Name, 65535) &" over one photo) and a hostile result list (a million
# paths of 4,096 bytes, endless in effect). Each must stay under 128 MB; the
# script prints the peak and the time of each and fails when one does not.
# Usage: bench/limits.sh [path/to/orvalis-cli]   (default build/orvalis-cli)
set -euo pipefail
cd "$(dirname "$0")/.."
cli=${1:-build/orvalis-cli}
limit_kb=$((128 * 1024))
[ -x "$cli" ] || { echo "no $cli: build the target orvalis-cli first" >&2; exit 2; }
[ -x /usr/bin/time ] || { echo "GNU time (/usr/bin/time) is needed" >&2; exit 2; }

failed=0
# measure NAME COMMAND...: runs the command under GNU time, prints its peak
# resident memory and wall time, notes a peak over the limit.
measure() {
  local name=$1; shift
  local report
  report=$(mktemp)
  /usr/bin/time -v -o "$report" "$@" >/dev/null 2>&1 || true
  local kb wall
  kb=$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$report")
  wall=$(sed -n 's/.*Elapsed (wall clock) time (h:mm:ss or m:ss): //p' "$report")
  rm -f "$report"
  printf '%-40s %8d KB peak  %s\n' "$name" "$kb" "$wall"
  if [ "$kb" -ge "$limit_kb" ]; then
    echo "  over the limit of $limit_kb KB" >&2
    failed=1
  fi
}

photo=samples/canon_eos_40d.jpg
query="SELECT $(for _ in $(seq 400); do printf 'pad(Name, 65535) & '; done)Name FROM $photo"
measure "400 x pad(Name, 65535) over one photo" "$cli" "$query"

# The hostile list is streamed, never written to disc.
list() { python3 -c '
import sys
line = b"/" + b"p" * 4094 + b"\n"
out = sys.stdout.buffer
try:
    for _ in range(1000000):
        out.write(line)
except BrokenPipeError:
    pass
'; }
measure "a million paths of 4,096 bytes" bash -c "$(declare -f list); list | \"$cli\" 'SELECT Name FROM \"#results\"'"
exit $failed

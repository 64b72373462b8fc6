# Timing helpers of the benchmark scripts (sourced, not run).
now() { date +%s.%N; }
# seconds COMMAND...: runs the command with its output discarded, prints the wall time.
seconds() {
  local t0 t1
  t0=$(now)
  "$@" >/dev/null 2>&1 || true
  t1=$(now)
  echo "$t1 - $t0" | bc -l
}

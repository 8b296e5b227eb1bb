#!/usr/bin/env bash
# Runs every libFuzzer target for SECONDS each (default 60), in the sanitizer build, where
# clang instruments the libraries for the fuzzer. New inputs collect under
# build/sanitize/fuzz/<target>/corpus; a crash leaves its input there too. The whole output
# goes to build/sanitize/fuzz/last-run.log; the closing table gives each target's executions
# and its rate.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
"$root/scripts/setup.sh"
"$root/scripts/build.sh" sanitize
log=$root/build/sanitize/fuzz/last-run.log
status=0
BRENVIK_FUZZ_SECONDS=$seconds ctest --test-dir "$root/build/sanitize" -L fuzz -V \
  -j "$(nproc 2>/dev/null || echo 2)" > "$log" 2>&1 || status=$?
# ctest -V prefixes each line of a test's output with the test's number.
awk '
  match($0, /Test +#[0-9]+: fuzz\.[^ ]+/) {
    split(substr($0, RSTART, RLENGTH), part, /[#: ]+/)
    name[part[2]] = part[3]
    result[part[2]] = $0 ~ /Passed/ ? "passed" : "FAILED"
  }
  match($0, /^[0-9]+: stat::number_of_executed_units: +[0-9]+/) {
    split($0, part, /[: ]+/); runs[part[1]] = part[4]
  }
  match($0, /^[0-9]+: stat::average_exec_per_sec: +[0-9]+/) {
    split($0, part, /[: ]+/); rate[part[1]] = part[4]
  }
  END {
    for (n in name) printf "%-28s %-7s %10s executions %7s per second\n", name[n], result[n], runs[n], rate[n]
  }' "$log" | sort
if ((status != 0)); then
  echo "fuzz: a target failed; its output and the input it left are in $log" >&2
fi
exit "$status"

#!/usr/bin/env bash
# Runs the plain build's tests under valgrind's memcheck, on demand (not in CI: it takes 4
# to 8 minutes on a 2-core machine, several times the plain run). Every test program is checked, and so is every
# program a test starts (the brenvik tool and the applet module it loads, through the tool
# tests' CMake scripts); programs of the system under /usr/bin are started unchecked. A
# memory error or a definite or indirect leak makes that process exit with 99, so its test
# fails. Findings outside this project's code are suppressed in scripts/valgrind.supp, each
# with its reason.
#
#   ./scripts/valgrind.sh                  every test except the slow install check
#   ./scripts/valgrind.sh -R simboard      any further ctest arguments select tests
#
# One log per process lands in build/plain/valgrind/<pid>.log; the closing summary counts
# the processes, the errors and the logs that hold them.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" plain
tree=$root/build/plain
logs=$tree/valgrind
rm -rf "$logs"
mkdir -p "$logs"

# Allocation functions are replaced in the system's libraries only: a test that counts
# allocations with an operator new of its own (tests/semantics/AllocationTest.cpp) keeps it,
# and its matching delete, instead of valgrind's new paired with the test's free.
options=(--error-exitcode=99 --leak-check=full --errors-for-leak-kinds=definite,indirect
         --soname-synonyms=somalloc=nouserintercepts
         --show-leak-kinds=definite,indirect --num-callers=40 --trace-children=yes
         "--trace-children-skip=/usr/bin/*,/bin/*" "--suppressions=$root/scripts/valgrind.supp"
         "--log-file=$logs/%p.log")
jobs=$(nproc 2>/dev/null || echo 2)
started=$SECONDS
# CTest's memory check wraps each test's own command, with its environment and working
# directory. It looks for logs of its own naming, which the logs per process replace.
set +e
# trigger_fire counts the pulses of an 8 Hz generator in real time, which valgrind's pace
# overruns; it is left out.
ctest --test-dir "$tree" -T memcheck --output-on-failure -j "$jobs" -LE slow \
  -E '^tools\.brenvik\.trigger_fire$' \
  --overwrite "MemoryCheckCommand=$(command -v valgrind)" \
  --overwrite "MemoryCheckCommandOptions=${options[*]}" "$@" 2>&1 |
  grep -v "Cannot find memory tester output file"
status=${PIPESTATUS[0]}
set -e

processes=0
errors=0
failing=()
for log in "$logs"/*.log; do
  [[ -e $log ]] || continue
  processes=$((processes + 1))
  count=$(sed -n 's/.*ERROR SUMMARY: \([0-9]*\) errors.*/\1/p' "$log" | tail -n 1)
  if [[ ${count:-0} -gt 0 ]]; then
    errors=$((errors + count))
    failing+=("$log: $count errors in $(sed -n 's/.*Command: //p' "$log" | head -n 1)")
  fi
done
echo "valgrind: $processes processes checked, $errors errors, in $((SECONDS - started)) s"
for entry in "${failing[@]}"; do echo "  $entry"; done
exit "$status"

#!/usr/bin/env bash
# Runs every libFuzzer target for SECONDS each (default 60), in the sanitizer build, where
# clang instruments the libraries for the fuzzer. New inputs collect under
# build/sanitize/fuzz/<target>/corpus; a crash leaves its input there too.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
"$root/scripts/setup.sh"
"$root/scripts/build.sh" sanitize
BRENVIK_FUZZ_SECONDS=$seconds ctest --test-dir "$root/build/sanitize" -L fuzz \
  --output-on-failure -j "$(nproc 2>/dev/null || echo 2)"

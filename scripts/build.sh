#!/usr/bin/env bash
# Configures and builds one flavour: "plain" (default) or "sanitize" (AddressSanitizer and
# UndefinedBehaviorSanitizer), into build/<flavour>. Warnings are errors here, as in CI.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
flavour=${1:-plain}
case "$flavour" in
  plain) options=() ;;
  sanitize) options=(-DBRENVIK_SANITIZE=ON -DBRENVIK_BENCHMARKS=OFF) ;;
  *) echo "build: unknown flavour '$flavour' (plain or sanitize)" >&2; exit 2 ;;
esac
jobs=$(nproc 2>/dev/null || echo 2)
cmake -S "$root" -B "$root/build/$flavour" -G Ninja -DBRENVIK_WERROR=ON "${options[@]}" >/dev/null
cmake --build "$root/build/$flavour" -j "$jobs"

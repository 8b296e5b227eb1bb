#!/usr/bin/env bash
# Runs every test: the plain build, the AddressSanitizer + UBSan build (which also runs the
# fuzz targets briefly), then the ThreadSanitizer build.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
jobs=$(nproc 2>/dev/null || echo 2)
for flavour in plain sanitize tsan; do
  echo "== $flavour build"
  "$root/scripts/build.sh" "$flavour"
  echo "== $flavour tests"
  ctest --test-dir "$root/build/$flavour" --output-on-failure -j "$jobs"
done

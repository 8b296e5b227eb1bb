#!/usr/bin/env bash
# Runs every test: the plain build, the AddressSanitizer + UBSan build (which also runs the
# fuzz targets briefly), the ThreadSanitizer build, then the Windows build under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
jobs=$(nproc 2>/dev/null || echo 2)
for flavour in plain sanitize tsan windows; do
  echo "== $flavour build"
  "$root/scripts/build.sh" "$flavour"
  if [[ $flavour == windows ]]; then
    # Wine runs headless in a prefix of the build tree, made on the first run (without the
    # Mono and Gecko installers), and one Wine server serves all test programs (one that
    # runs already, e.g. from an earlier run, serves as well).
    export WINEPREFIX=$root/build/windows/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    if [[ ! -f $WINEPREFIX/system.reg ]]; then
      echo "== creating the Wine prefix"
      wineboot --init >/dev/null 2>&1
      wineserver --wait
    fi
    wineserver --persistent=30 2>/dev/null || true
    # Wine's own services start with the first program and stay with the server, holding on
    # to that program's output: started here with none, no test stays open (and counted as
    # running) until the server ends.
    wine cmd.exe /c exit >/dev/null 2>&1 || true
  fi
  echo "== $flavour tests"
  ctest --test-dir "$root/build/$flavour" --output-on-failure -j "$jobs"
done

#!/usr/bin/env bash
# Redoes the README's screenshot of the front end (docs/images/frontend.png) through the
# browser tests' set-up: the plain build's tool, Debian's Chromium and playwright-core.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" plain >/dev/null
cd "$root/tests/browser"
BRENVIK_TOOL=$root/build/plain/bin/brenvik CHROMIUM=$(command -v chromium) \
  node screenshot.mjs "$root/docs/images/frontend.png"

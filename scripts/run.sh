#!/usr/bin/env bash
# Sets up, builds and runs the brenvik tool on the simulated board. Arguments go to the tool.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" plain >/dev/null
exec "$root/build/plain/bin/brenvik" "$@"

#!/usr/bin/env bash
# Sets up, builds and runs the brenvik tool on the simulated board. Without arguments it does
# the product's main job: creates the applet, grabs ten frames from the board's built-in
# camera into build/frames, and says where they are, how fast they came and how to open the
# front end. Arguments go to the tool instead (./scripts/run.sh serve, ./scripts/run.sh list).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" plain >/dev/null
tool=$root/build/plain/bin/brenvik
if [[ $# -gt 0 ]]; then
  exec "$tool" "$@"
fi
frames=$root/build/frames
rm -rf "$frames"
# The camera at 50 frames/s, a pace at which writing the files keeps up.
"$tool" play simboard:picture_period_us=20000 then acquire --frames 10 --output "$frames"
echo "the frames are in $frames"
echo "open the front end: ./scripts/run.sh serve   (then http://127.0.0.1:8080/ in a browser)"

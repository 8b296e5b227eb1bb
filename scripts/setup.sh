#!/usr/bin/env bash
# Installs the Debian packages the build needs, only those that are missing.
set -euo pipefail

packages=(cmake g++ ninja-build libgtest-dev libgmock-dev libbenchmark-dev
          # The sanitizer build uses clang, and its sanitizer runtime.
          clang libclang-rt-14-dev
          # The GenICam XML is checked by xmllint and by Aravis; aravis-0.8.pc also asks
          # pkg-config for libusb and zlib.
          libxml2-utils pkg-config libaravis-dev libusb-1.0-0-dev zlib1g-dev
          # Real GenICam clients of the GigE Vision bridge in its tests and benchmark:
          # arv-tool, the fake camera, and Aravis for the system's Python.
          aravis-tools-cli aravis-tools gir1.2-aravis-0.8 python3-gi
          # The tool draws lookup-table curves as PNG pictures.
          libpng-dev
          # brenvik serve: its HTTP server and JSON, and the browser its page is tested in.
          libcpp-httplib-dev nlohmann-json3-dev chromium
          # The Windows build: MinGW-w64 cross compilers, GoogleTest's sources to build
          # for Windows, and Wine to run its tests (wine64, with the wine launcher).
          g++-mingw-w64-x86-64 googletest wine64 wine
          # scripts/valgrind.sh checks the tests' memory use.
          valgrind
          # The Python module (pybind11, NumPy) and its tests, for Debian's python3.
          pybind11-dev python3-dev python3-numpy python3-pytest)
# Node.js with npm runs the browser tests; a machine that has them from elsewhere keeps them.
command -v npm >/dev/null 2>&1 || packages+=(nodejs npm)
missing=()
for package in "${packages[@]}"; do
  dpkg -s "$package" >/dev/null 2>&1 || missing+=("$package")
done
if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  sudo_cmd=()
  [[ $(id -u) -eq 0 ]] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}"
fi

# The browser tests drive Chromium through playwright-core, from the npm registry (the
# Debian browser above is used; playwright downloads none).
browser_tests=$(cd "$(dirname "$0")/../tests/browser" && pwd)
if [[ ! -d $browser_tests/node_modules/playwright-core ]]; then
  echo "setup: installing playwright-core for the browser tests"
  (cd "$browser_tests" && npm ci --no-audit --no-fund --loglevel=error)
fi

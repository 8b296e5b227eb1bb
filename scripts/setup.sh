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
          # PNG pictures: written through zlib (curves, frames), read by stb_image (the
          # camera port's input images); both for the Windows build too.
          zlib1g-dev libstb-dev libz-mingw-w64-dev
          # brenvik serve: its HTTP server and JSON, and the browser its page is tested in.
          libcpp-httplib-dev nlohmann-json3-dev chromium
          # The Windows build: MinGW-w64 cross compilers, GoogleTest's sources to build
          # for Windows, and Wine to run its tests (wine64, with the wine launcher); xz-utils
          # unpacks cpp-httplib's source below.
          g++-mingw-w64-x86-64 googletest wine64 wine xz-utils
          # scripts/valgrind.sh checks the tests' memory use.
          valgrind
          # The Python module (pybind11, NumPy) and its tests, for Debian's python3.
          pybind11-dev python3-dev python3-numpy python3-pytest)
# Node.js with npm runs the browser tests; a machine that has them from elsewhere keeps them.
command -v npm >/dev/null 2>&1 || packages+=(nodejs npm)
sudo_cmd=()
[[ $(id -u) -eq 0 ]] || sudo_cmd=(sudo)
missing=()
for package in "${packages[@]}"; do
  dpkg -s "$package" >/dev/null 2>&1 || missing+=("$package")
done
if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}"
fi

# The Windows build's HTTP server: Debian's libcpp-httplib-dev splits httplib.h into
# declarations and a Linux library, so the cross build takes the whole header from Debian's
# source package, fetched once into /usr/local/src through lists of its own (the system's apt
# sources stay as they are).
httplib_source=/usr/local/src/cpp-httplib
if [[ ! -f $httplib_source/httplib.h ]]; then
  echo "setup: fetching cpp-httplib's source package for the Windows build"
  work=$(mktemp -d)
  chmod 755 "$work"  # apt downloads as its own user
  trap 'rm -rf "$work"' EXIT
  mkdir -p "$work/lists/partial" "$work/cache/archives/partial"
  release=$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")
  echo "deb-src http://deb.debian.org/debian $release main" >"$work/sources.list"
  apt_options=(-o Dir::Etc::sourcelist="$work/sources.list" -o Dir::Etc::sourceparts=/nonexistent
               -o Dir::State::Lists="$work/lists" -o Dir::Cache="$work/cache")
  apt-get "${apt_options[@]}" update -qq
  (cd "$work" && apt-get "${apt_options[@]}" source --download-only -qq cpp-httplib >/dev/null)
  tar -xJf "$work"/cpp-httplib_*.orig.tar.xz -C "$work" --wildcards '*/httplib.h'
  header=$(find "$work" -name httplib.h -path '*cpp-httplib*' | head -n 1)
  "${sudo_cmd[@]}" install -D -m 644 "$header" "$httplib_source/httplib.h"
  rm -rf "$work"
  trap - EXIT
fi

# The browser tests drive Chromium through playwright-core, from the npm registry (the
# Debian browser above is used; playwright downloads none).
browser_tests=$(cd "$(dirname "$0")/../tests/browser" && pwd)
if [[ ! -d $browser_tests/node_modules/playwright-core ]]; then
  echo "setup: installing playwright-core for the browser tests"
  (cd "$browser_tests" && npm ci --no-audit --no-fund --loglevel=error)
fi

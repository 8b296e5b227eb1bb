#!/usr/bin/env bash
# Installs the Debian packages the build needs, only those that are missing.
set -euo pipefail

packages=(cmake g++ ninja-build libgtest-dev libgmock-dev libbenchmark-dev
          # The sanitizer build uses clang, and its sanitizer runtime.
          clang libclang-rt-14-dev
          # The GenICam XML is checked by xmllint and by Aravis; aravis-0.8.pc also asks
          # pkg-config for libusb and zlib.
          libxml2-utils pkg-config libaravis-dev libusb-1.0-0-dev zlib1g-dev
          # The tool draws lookup-table curves as PNG pictures.
          libpng-dev
          # scripts/valgrind.sh checks the tests' memory use.
          valgrind)
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

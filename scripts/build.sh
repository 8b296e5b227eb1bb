#!/usr/bin/env bash
# Configures and builds one flavour: "plain" (default, the system's compiler), "sanitize"
# (AddressSanitizer and UndefinedBehaviorSanitizer, built with clang so that a second
# compiler keeps the code warning-free), "tsan" (ThreadSanitizer, clang) or "windows" (the
# Windows x86-64 DLLs and programs, cross-built with MinGW-w64), into build/<flavour>.
# Warnings are errors here, as in CI.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
flavour=${1:-plain}
compiler=
case "$flavour" in
  plain) options=() ;;
  sanitize) compiler=clang++
            options=(-DBRENVIK_SANITIZE=ON -DBRENVIK_BENCHMARKS=OFF
                     -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++) ;;
  tsan) compiler=clang++
        options=(-DBRENVIK_TSAN=ON -DBRENVIK_BENCHMARKS=OFF
                 -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++) ;;
  windows) compiler=x86_64-w64-mingw32-g++-posix
           options=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchains/mingw-w64-x86_64.cmake"
                    -DBRENVIK_BENCHMARKS=OFF) ;;
  *) echo "build: unknown flavour '$flavour' (plain, sanitize, tsan or windows)" >&2; exit 2 ;;
esac
tree=$root/build/$flavour
# A tree configured with another compiler is configured afresh: CMake would otherwise drop
# this run's options while it switches.
fresh=()
if [[ -n $compiler && -f $tree/CMakeCache.txt ]] &&
   ! grep -qx "CMAKE_CXX_COMPILER:[A-Z]*=$(command -v "$compiler")" "$tree/CMakeCache.txt"; then
  fresh=(--fresh)
fi
jobs=$(nproc 2>/dev/null || echo 2)
cmake "${fresh[@]}" -S "$root" -B "$tree" -G Ninja -DBRENVIK_WERROR=ON "${options[@]}" >/dev/null
cmake --build "$tree" -j "$jobs"

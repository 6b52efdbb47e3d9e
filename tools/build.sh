#!/usr/bin/env bash
# Configures and builds both configurations: build/native (clang) and build/windows (MinGW-w64).
#   build.sh [windows]   (with "windows", only the Windows programs)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)

cmake -S "$root" -B "$root/build/windows" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$root/build/windows" -j "$jobs" --target Haltiqo
[ "${1:-}" = windows ] && exit 0

cmake --build "$root/build/windows" -j "$jobs"
CC=clang CXX=clang++ cmake -S "$root" -B "$root/build/native" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DHALTIQO_WINDOWS_BUILD="$root/build/windows" >/dev/null
cmake --build "$root/build/native" -j "$jobs"

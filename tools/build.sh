#!/usr/bin/env bash
# Configures and builds the Windows program, its modules, tests and
# benchmarks into WAVA_BUILD_DIR (default: build/), and the download package
# WavaPlaylist-<version>-win32.zip there.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${WAVA_BUILD_DIR:-$root/build}"
# A compiler cache, when the machine has one, shares objects between
# checkouts of the same sources (paths are taken relative to the checkout).
launcher=()
if command -v ccache >/dev/null 2>&1; then
    export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=1
    launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
      -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" >/dev/null
cmake --build "$build" -j "$(nproc)"
cmake --build "$build" --target package >/dev/null

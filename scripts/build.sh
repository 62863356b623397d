#!/usr/bin/env bash
# Configures and builds quorvel.exe (and, unless QUORVEL_TESTS=OFF, its tests)
# with the MinGW-w64 cross compiler into build/.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release \
      -DQUORVEL_TESTS="${QUORVEL_TESTS:-ON}" >/dev/null
cmake --build build -j"$(nproc)"

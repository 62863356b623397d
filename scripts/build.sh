#!/usr/bin/env bash
# Configures and builds with the MinGW-w64 cross compiler into build/: the
# given targets, or everything (program, tests, benchmarks).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --no-warn-unused-cli -S . -B build -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
      -DCMAKE_BUILD_TYPE=Release >/dev/null
if [ $# -gt 0 ]; then
  for target in "$@"; do cmake --build build -j"$(nproc)" --target "$target"; done
else
  cmake --build build -j"$(nproc)"
fi

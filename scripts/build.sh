#!/usr/bin/env bash
# Configures and builds one architecture with the MinGW-w64 cross compiler into
# build/x64 or build/x86: scripts/build.sh [--arch x64|x86] [targets...]
# (default: $QUORVEL_ARCH, else x64), the given targets or everything (program,
# tests, benchmarks). Stops at the first failing step and names it.
set -euo pipefail
cd "$(dirname "$0")/.."
arch=${QUORVEL_ARCH:-x64}
if [ "${1:-}" = --arch ]; then arch=$2; shift 2; fi
case "$arch" in
  x64) toolchain=cmake/mingw-x86_64.cmake ;;
  x86) toolchain=cmake/mingw-i686.cmake ;;
  *) echo "build.sh: unknown architecture '$arch' (x64 or x86)" >&2; exit 2 ;;
esac
dir=build/$arch
step() {  # step "name" command...: runs the command, or says which step failed
  local name=$1; shift
  "$@" || { echo "build.sh: $name failed ($arch)" >&2; exit 1; }
}
step "configuring" cmake --no-warn-unused-cli -S . -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
if [ $# -gt 0 ]; then
  for target in "$@"; do step "building $target" cmake --build "$dir" -j"$(nproc)" --target "$target"; done
else
  step "building" cmake --build "$dir" -j"$(nproc)"
fi

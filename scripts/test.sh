#!/usr/bin/env bash
# Builds and runs every test: the rules natively under AddressSanitizer and
# UndefinedBehaviorSanitizer, then everything else cross-compiled and run under
# Wine against the real controls and shell (headless, null graphics driver).
# Exits non-zero when any test fails.
set -uo pipefail
cd "$(dirname "$0")/.."
scripts/setup-debian.sh || exit 1
status=0

echo "== Rules on the host (sanitizers)"
cmake -S . -B build-native -DCMAKE_BUILD_TYPE=Debug >/dev/null &&
  cmake --build build-native -j"$(nproc)" >/dev/null &&
  (cd build-native && ctest --output-on-failure -j"$(nproc)") || status=1

echo "== Win32 under Wine"
# Tests use a headless prefix of their own, whatever display there is.
(unset DISPLAY; scripts/build.sh >/dev/null && cd build && ctest --output-on-failure -j"$(nproc)") || status=1
exit $status

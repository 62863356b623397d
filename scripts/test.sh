#!/usr/bin/env bash
# Builds and runs every test: the rules natively under AddressSanitizer and
# UndefinedBehaviorSanitizer; then, for the 64-bit program always and for the
# 32-bit one where this machine runs it, everything cross-compiled and run under
# Wine against the real controls and shell (headless, null graphics driver).
# Where 32-bit programs cannot run, the 32-bit program is still built and its
# file checked. Exits non-zero when any step or test fails, or no test ran.
set -uo pipefail
cd "$(dirname "$0")/.."
scripts/setup-debian.sh || exit 1
status=0
fail() { echo "test.sh: $1" >&2; status=1; }
# Tests use a headless prefix of their own, whatever display there is.
unset DISPLAY

. scripts/wine-servers.sh
trap 'exit 1' INT TERM HUP

echo "== Rules on the host (sanitizers)"
if cmake -S . -B build/native -DCMAKE_BUILD_TYPE=Debug >/dev/null && cmake --build build/native -j"$(nproc)" >/dev/null; then
  (cd build/native && ctest --output-on-failure --no-tests=error -j"$(nproc)") || fail "host rule tests failed"
else
  fail "building the host rule tests failed"
fi

for arch in x64 x86; do
  if [ "$arch" = x86 ] && ! scripts/wine-run --arch x86 --check; then
    echo "== 32-bit: this machine cannot run 32-bit programs (Wine's 32-bit loader does not start); building it and checking its file only"
    if scripts/build.sh --arch x86 quorvel >/dev/null; then
      out=$(bash tests/check_resources.sh build/x86/quorvel.exe X86 i686-w64-mingw32-objdump) || { echo "$out"; fail "the 32-bit program file check failed"; }
    else
      fail "building the 32-bit program failed"
    fi
    continue
  fi
  echo "== $arch program under Wine"
  if scripts/build.sh --arch "$arch" >/dev/null; then
    (cd "build/$arch" && ctest --output-on-failure --no-tests=error -j"$(nproc)") || fail "$arch tests failed"
  else
    fail "building the $arch program and its tests failed"
  fi
done
exit $status

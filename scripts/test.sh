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

# wine-run leaves a wineserver running for each prefix it uses, which keeps
# later starts fast while the tests run. The ones this run started (for the
# project's prefixes only) are stopped when it ends, pass or fail.
project_prefix() {
  case "$1" in
    "${QUORVEL_WINEPREFIX:-}" | "${XDG_CACHE_HOME:-$HOME/.cache}"/quorvel-wine-*) return 0 ;;
  esac
  return 1
}
served_prefixes() {  # one line per prefix a wineserver now serves
  local pid
  for pid in $(pgrep wineserver); do
    tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | sed -n 's/^WINEPREFIX=//p'
  done | sort -u
}
served_before=$(served_prefixes)
stop_started_servers() {
  local prefix
  while IFS= read -r prefix; do
    [ -n "$prefix" ] && project_prefix "$prefix" || continue
    grep -qxF -- "$prefix" <<<"$served_before" || WINEPREFIX=$prefix wineserver -k 2>/dev/null
  done <<<"$(served_prefixes)"
}
trap stop_started_servers EXIT
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

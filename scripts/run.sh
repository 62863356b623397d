#!/usr/bin/env bash
# Builds Quorvel and starts it under Wine: the 64-bit program, or the 32-bit one
# with QUORVEL_ARCH=x86. Without a display it runs under Xvfb, saves a
# screenshot to build/screenshot.png once the selection window shows, and
# stops; with a display it runs until closed. Arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
arch=${QUORVEL_ARCH:-x64}
scripts/setup-debian.sh
if ! scripts/wine-run --arch "$arch" --check; then
  echo "run.sh: this machine cannot run the $arch program under Wine; QUORVEL_ARCH=x64 runs everywhere" >&2
  exit 1
fi
scripts/build.sh --arch "$arch" quorvel >/dev/null
if [ -n "${DISPLAY:-}" ]; then
  exec scripts/wine-run --arch "$arch" "build/$arch/quorvel.exe" "$@"
fi
exec scripts/screenshot.sh "$arch" "build/$arch/quorvel.exe" build/screenshot.png "$@"

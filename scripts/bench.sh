#!/usr/bin/env bash
# Builds and runs the benchmarks of the 64-bit program under Wine (headless)
# and prints their figures.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-debian.sh
unset DISPLAY
scripts/build.sh --arch x64 quorvel_bench >/dev/null
scripts/wine-run build/x64/bench/quorvel_bench.exe

#!/usr/bin/env bash
# Builds and runs the benchmarks under Wine (headless) and prints their figures.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-debian.sh
unset DISPLAY
scripts/build.sh quorvel_bench >/dev/null
scripts/wine-run build/bench/quorvel_bench.exe

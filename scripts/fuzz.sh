#!/usr/bin/env bash
# Fuzzes the parsers on the host with clang's libFuzzer under AddressSanitizer
# and UndefinedBehaviorSanitizer: scripts/fuzz.sh [seconds per target, default
# 60] [target names...] (default: every tests/fuzz/<name>.cpp). Each target
# starts from its seed corpus in tests/fuzz/corpus/<name>; the inputs it adds go
# to build/fuzz/corpus/<name>, a finding to build/fuzz/. Installs clang and
# libFuzzer when they are missing. The tests only replay each seed corpus
# (without the fuzzer); this runs for as long as it is told. Exits non-zero on
# the first finding.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
[ $# -gt 0 ] && shift
if ! dpkg -s clang libfuzzer-14-dev >/dev/null 2>&1; then
  echo "== Installing clang and libFuzzer"
  apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq clang libfuzzer-14-dev >/dev/null
fi
cmake -S . -B build/fuzz -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQUORVEL_TESTS=OFF -DQUORVEL_FUZZ=ON >/dev/null
cmake --build build/fuzz -j"$(nproc)" >/dev/null
if [ $# -eq 0 ]; then
  set -- $(for source in tests/fuzz/*.cpp; do basename "$source" .cpp; done)
fi
for name in "$@"; do
  corpus=build/fuzz/corpus/$name
  mkdir -p "$corpus"
  echo "== $name: $seconds seconds"
  log=build/fuzz/$name.log
  if ! "build/fuzz/tests/fuzz/fuzz_$name" -max_total_time="$seconds" -max_len=65536 -artifact_prefix=build/fuzz/ \
         "$corpus" "tests/fuzz/corpus/$name" >"$log" 2>&1; then
    tail -n 40 "$log"
    echo "fuzz.sh: $name found a fault (the input is in build/fuzz/; the whole log in $log)" >&2
    exit 1
  fi
  runs=$(grep -oE 'Done [0-9]+ runs' "$log" | grep -oE '[0-9]+')
  echo "$name: $runs runs without a finding"
done

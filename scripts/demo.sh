#!/usr/bin/env bash
# Drives the real 64-bit program under Xvfb as a user would (the end-to-end
# test with a pause at the end) and saves a screenshot of both windows with
# their lists to build/demo.png.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-debian.sh
scripts/build.sh --arch x64 quorvel quorvel_e2e >/dev/null
exec xvfb-run -a -s "-screen 0 800x600x24" bash -c '
  program=$(scripts/wine-run winepath -w build/x64/quorvel.exe)
  driver=$(scripts/wine-run winepath -w build/x64/tests/quorvel_e2e.exe)
  rm -f build/demo.ready
  scripts/wine-run explorer /desktop=Quorvel,800x600 "$driver" "$program" 5 \
    "$(scripts/wine-run winepath -w build)\\demo.ready" &
  for i in $(seq 1 120); do [ -f build/demo.ready ] && break; sleep 0.5; done
  if [ ! -f build/demo.ready ]; then
    echo "demo.sh: the end-to-end run never reached its pause; no screenshot" >&2
    scripts/wine-run --kill
    exit 1
  fi
  sleep 1
  import -window root build/demo.png
  wait
  echo "Screenshot: build/demo.png"
'

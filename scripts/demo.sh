#!/usr/bin/env bash
# Drives the real program under Xvfb as a user would (the end-to-end test with
# a pause at the end) and saves a screenshot of both windows with their lists
# to build/demo.png.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-debian.sh
scripts/build.sh quorvel quorvel_e2e >/dev/null
exec xvfb-run -a -s "-screen 0 800x600x24" bash -c '
  program=$(scripts/wine-run winepath -w build/quorvel.exe)
  driver=$(scripts/wine-run winepath -w build/tests/quorvel_e2e.exe)
  rm -f build/demo.ready
  scripts/wine-run explorer /desktop=Quorvel,800x600 "$driver" "$program" 5 \
    "$(scripts/wine-run winepath -w build)\\demo.ready" &
  for i in $(seq 1 120); do [ -f build/demo.ready ] && break; sleep 0.5; done
  sleep 1
  import -window root build/demo.png
  wait
  echo "Screenshot: build/demo.png"
'

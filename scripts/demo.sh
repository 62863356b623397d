#!/usr/bin/env bash
# Drives the real 64-bit program under Xvfb as a user would (the end-to-end
# test with pauses at the end) and saves two screenshots: both windows with
# their lists (build/demo.png), and the main list's pop-up menu open
# (build/demo-menu.png).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-debian.sh
scripts/build.sh --arch x64 quorvel quorvel_e2e >/dev/null
exec xvfb-run -a -s "-screen 0 800x600x24" bash -c '
  program=$(scripts/wine-run winepath -w build/x64/quorvel.exe)
  driver=$(scripts/wine-run winepath -w build/x64/tests/quorvel_e2e.exe)
  here=$(scripts/wine-run winepath -w build)
  rm -f build/demo.ready build/demo-menu.ready
  scripts/wine-run explorer /desktop=Quorvel,800x600 "$driver" "$program" 4 "$here\\demo.ready" "$here\\demo-menu.ready" &
  for shot in demo demo-menu; do
    for i in $(seq 1 120); do [ -f "build/$shot.ready" ] && break; sleep 0.5; done
    if [ ! -f "build/$shot.ready" ]; then
      echo "demo.sh: the end-to-end run never reached its pause for $shot.png; no screenshot" >&2
      scripts/wine-run --kill
      exit 1
    fi
    sleep 1
    import -window root "build/$shot.png"
    echo "Screenshot: build/$shot.png"
  done
  wait
'

#!/usr/bin/env bash
# Builds Quorvel and starts it under Wine. Without a display it runs under
# Xvfb, saves a screenshot to build/screenshot.png and stops after a few
# seconds; with a display it runs until closed. Arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-debian.sh
scripts/build.sh quorvel >/dev/null
if [ -n "${DISPLAY:-}" ]; then
  exec scripts/wine-run build/quorvel.exe "$@"
fi
# Wine's own desktop window draws the title bars that Xvfb, having no window
# manager, would not.
exec xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  scripts/wine-run explorer /desktop=Quorvel,1024x768 "$(scripts/wine-run winepath -w build/quorvel.exe)" "$@" &
  for i in $(seq 1 60); do
    xdotool search --name "^Quorvel - Wine desktop$" >/dev/null 2>&1 && break
    sleep 0.5
  done
  sleep 2
  import -window root build/screenshot.png
  echo "Screenshot: build/screenshot.png"
  wineserver -k 2>/dev/null || true
' run "$@"

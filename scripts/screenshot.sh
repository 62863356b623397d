#!/usr/bin/env bash
# Starts a build of Quorvel under Xvfb and saves a screenshot once its selection
# window shows: scripts/screenshot.sh x64|x86 program.exe shot.png [arguments...]
# The window counts as shown when the banner's violet is on the screen; when
# Wine cannot start the program, or the window does not show within
# QUORVEL_SHOW_SECONDS (60), it says so, saves no screenshot and exits 1.
set -euo pipefail
cd "$(dirname "$0")/.."
arch=$1 program=$2 shot=$3
shift 3
if [ ! -f "$program" ]; then
  echo "screenshot.sh: no program at $program" >&2
  exit 1
fi
rm -f "$shot"
# Wine's own desktop window draws the title bars that Xvfb, having no window
# manager, would not.
exec xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  arch=$1 program=$2 shot=$3
  shift 3
  log=$(mktemp)
  trap "rm -f \"$log\" \"$shot.tmp.png\"" EXIT
  scripts/wine-run --arch "$arch" explorer /desktop=Quorvel,1024x768 \
    "$(scripts/wine-run --arch "$arch" winepath -w "$program")" "$@" >"$log" 2>&1 &
  started=$!
  shown=0
  for i in $(seq 1 $((2 * ${QUORVEL_SHOW_SECONDS:-60}))); do
    sleep 0.5
    import -window root "$shot.tmp.png" 2>/dev/null || continue
    # The banner is violet, 0x00FF0080: red 128, green 0, blue 255.
    violet=$(convert "$shot.tmp.png" -fill black +opaque "#8000FF" -fill white -opaque "#8000FF" \
             -format "%[fx:mean>0]" info: 2>/dev/null || echo 0)
    if [ "$violet" = 1 ]; then shown=1; break; fi
    if ! kill -0 "$started" 2>/dev/null; then break; fi
  done
  if [ "$shown" = 1 ]; then
    sleep 1  # let the window finish painting
    import -window root "$shot"
  fi
  scripts/wine-run --arch "$arch" --kill
  wait "$started" 2>/dev/null || true
  if [ "$shown" != 1 ]; then
    echo "screenshot.sh: the selection window of $program never showed under Wine ($arch); no screenshot." >&2
    sed "s/^/  wine: /" "$log" | tail -n 20 >&2
    exit 1
  fi
  echo "Screenshot: $shot"
' screenshot "$arch" "$program" "$shot" "$@"

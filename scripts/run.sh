#!/usr/bin/env bash
# Starts VELMORA from the build folder. Without a display it says so and
# runs on a private virtual display with a compositing manager, saving a
# screenshot of that display every few seconds.
set -uo pipefail
build="${1:-build}"
exe="$build/velmora"
[ -x "$exe" ] || { echo "run.sh: $exe is missing; build first" >&2; exit 1; }
shift || true

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec "$exe" "$@"
fi

echo "No display found (DISPLAY is '${DISPLAY:-}'): running VELMORA on a private virtual display."
num=90
while [ -e "/tmp/.X${num}-lock" ] || [ -e "/tmp/.X11-unix/X${num}" ]; do num=$((num + 1)); done
Xvfb ":$num" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
. "$(dirname "$0")/processes.sh"
cleanup() { started "$xvfb" ${comp:+"$comp"} ${shooter:+"$shooter"}; end_all; }
trap cleanup EXIT INT TERM
export DISPLAY=":$num"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
xcompmgr >/dev/null 2>&1 &
comp=$!
shot="$(cd "$build" && pwd)/velmora-screen.png"
echo "A screenshot of that display is written to $shot every 5 seconds. Press Ctrl+C to stop."
( while sleep 5; do import -window root "$shot.tmp.png" 2>/dev/null && mv -f "$shot.tmp.png" "$shot"; done ) &
shooter=$!
"$exe" "$@"

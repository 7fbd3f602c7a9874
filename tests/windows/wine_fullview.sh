#!/usr/bin/env bash
# velmora.exe under Wine: a double-click on the main bar with the real
# pointer opens the Full View, shown and shaped by its region, centred on
# the screen with its top edge at 3000 twips (200 pixels).
#   wine_fullview.sh STATE-DIR WINDOWS-BUILD-DIR VELMORA-INI
set -u

state=${1:?usage: wine_fullview.sh STATE-DIR WINDOWS-BUILD-DIR VELMORA-INI}
winbuild=${2:?usage: wine_fullview.sh STATE-DIR WINDOWS-BUILD-DIR VELMORA-INI}
ini=${3:?usage: wine_fullview.sh STATE-DIR WINDOWS-BUILD-DIR VELMORA-INI}
here=$(cd "$(dirname "$0")" && pwd)
run_for=25
. "$here/wine_run.sh"
[ -f "$ini" ] || { echo "FAIL: $ini is missing"; exit 1; }

make_program fullview-program
cp "$ini" "$program/velmora.ini"
start_velmora "$run_for"

# The main bar: wait until it is shown, then double-click its skin below the
# buttons, with the pointer over it first so that it is awake.
check frmMain >/dev/null
bar=$(x_window_of frmMain)
if [ -n "$bar" ]; then
    eval "$(xdotool getwindowgeometry --shell "$bar" | grep -E '^(X|Y)=')"
    xdotool mousemove $((X + 30)) $((Y + 24)) && sleep 0.3
    xdotool mousemove $((X + 31)) $((Y + 24)) && sleep 0.3
    xdotool click --repeat 2 --delay 80 1
fi

if check --shaped frmFULLVIEW; then
    pass "the double-click on the main bar showed frmFULLVIEW with its region"
else
    fail "no shaped Full View after the double-click on the main bar"
fi

view=$(x_window_of frmFULLVIEW)
place=""
if [ -n "$view" ]; then
    eval "$(xdotool getwindowgeometry --shell "$view" | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
    place="${WIDTH}x${HEIGHT} at $X,$Y"
fi
screen_width=$(xdpyinfo | awk '/dimensions:/ { split($2, d, "x"); print d[1]; exit }')
if [ "$place" = "580x272 at $(( (screen_width - 580) / 2 )),200" ]; then
    pass "frmFULLVIEW is $place, centred on the $screen_width-pixel screen"
else
    fail "frmFULLVIEW is '${place}' on a ${screen_width:-?}-pixel screen"
fi

wait_exit "$app" $((run_for + 60))
if [ "$exit_code" -eq 0 ]; then
    pass "velmora.exe exited 0 with the Full View open"
else
    fail "velmora.exe ended with $exit_code (124: still running)"; cat "$program/velmora.out"
fi

finish_run

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
session="$here/wine_session.sh"
run_for=25

failures=0
passes=0
pass() { echo "PASS: $*"; passes=$((passes + 1)); }
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

for f in "$winbuild/velmora.exe" "$winbuild/velmora_win_tests.exe" "$ini"; do
    [ -f "$f" ] || { echo "FAIL: $f is missing"; exit 1; }
done

program="$state/fullview-program"
rm -rf "$program"
mkdir -p "$program/logs"
cp -r "$winbuild/skins" "$program/skins"
cp "$ini" "$program/velmora.ini"
folder=$("$session" run "$state" winepath -w "$program" | tr -d '\r')

cleanup() {
    [ -n "${app:-}" ] && kill "$app" 2>/dev/null
    wait 2>/dev/null
}
trap cleanup EXIT

"$session" run "$state" "$winbuild/velmora.exe" --program-folder "$folder" --run-for "$run_for" >"$state/fullview.out" 2>&1 &
app=$!

export DISPLAY
DISPLAY=$(cat "$state/display")
# The main bar: wait until it is shown, then double-click its skin below the
# buttons, with the pointer over it first so that it is awake.
"$session" run "$state" "$winbuild/velmora_win_tests.exe" --check-windows frmMain >/dev/null
bar=$(xdotool search --name '^frmMain$' 2>/dev/null | head -n 1)
if [ -n "$bar" ]; then
    eval "$(xdotool getwindowgeometry --shell "$bar" | grep -E '^(X|Y)=')"
    xdotool mousemove $((X + 30)) $((Y + 24)) && sleep 0.3
    xdotool mousemove $((X + 31)) $((Y + 24)) && sleep 0.3
    xdotool click --repeat 2 --delay 80 1
fi

if timeout 90 "$session" run "$state" "$winbuild/velmora_win_tests.exe" --check-windows --shaped frmFULLVIEW; then
    pass "the double-click on the main bar showed frmFULLVIEW with its region"
else
    fail "no shaped Full View after the double-click on the main bar"
fi

view=$(xdotool search --name '^frmFULLVIEW$' 2>/dev/null | head -n 1)
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

code=124
for _ in $(seq $(( (run_for + 60) * 10 ))); do
    if ! kill -0 "$app" 2>/dev/null; then
        wait "$app"
        code=$?
        break
    fi
    sleep 0.1
done
app=""
if [ "$code" -eq 0 ]; then
    pass "velmora.exe exited 0 with the Full View open"
else
    fail "velmora.exe ended with $code"; cat "$state/fullview.out"
fi

echo "$passes passed, $failures failed"
[ "$failures" -eq 0 ]

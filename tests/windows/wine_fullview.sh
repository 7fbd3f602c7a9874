#!/usr/bin/env bash
# velmora.exe under Wine from the shipped velmora.ini (a row behind the
# clock), with the real pointer: the titles reach X11 in UTF-8; a quick drag
# of the clock moves it the whole way, the row lines up behind it again and
# its real place is saved; a double-click on the clock opens its information
# box, one on a CPU module the Full View, whose usage graph keeps moving
# (40 columns in 5 s) while the page estimates the clock; single clicks glue
# no window to the pointer; a double-click on the main bar opens the Full View,
# shaped, centred on the screen with its top edge at 3000 twips (200 pixels);
# the end of the session then ends the program with 0.
#   wine_fullview.sh STATE-DIR WINDOWS-BUILD-DIR VELMORA-INI
set -u

state=${1:?usage: wine_fullview.sh STATE-DIR WINDOWS-BUILD-DIR VELMORA-INI}
winbuild=${2:?usage: wine_fullview.sh STATE-DIR WINDOWS-BUILD-DIR VELMORA-INI}
ini=${3:?usage: wine_fullview.sh STATE-DIR WINDOWS-BUILD-DIR VELMORA-INI}
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine_run.sh"
[ -f "$ini" ] || { echo "FAIL: $ini is missing"; exit 1; }

make_program fullview-program
cp "$ini" "$program/velmora.ini"
start_velmora 200

where() { xdotool getwindowgeometry --shell "$1" | grep -E '^(X|Y)=' | cut -d= -f2 | tr '\n' ' '; }
# A double-click at window point (DX, DY), with the pointer there first so
# that the window is awake.
double_click() {  # X-WINDOW DX DY
    local x y
    read -r x y < <(where "$1")
    xdotool mousemove $((x + $2)) $((y + $3)); sleep 0.3
    xdotool mousemove $((x + $2 + 1)) $((y + $3)); sleep 0.3
    xdotool click --repeat 2 --delay 80 1
}

check frmClock frmCPU0 frmMain >/dev/null
clock=$(x_window_of frmClock) cpu=$(x_window_of frmCPU0) bar=$(x_window_of frmMain)
if [ -z "$clock" ] || [ -z "$cpu" ] || [ -z "$bar" ]; then
    fail "the clock, CPU 0 or the main bar is not shown under its title (ids '$clock' '$cpu' '$bar')"
    finish_run
    exit 1
fi
if [ "$(xprop -id "$cpu" _NET_WM_NAME)" = '_NET_WM_NAME(UTF8_STRING) = "VELMORA v2 – CPU 0"' ]; then
    pass "the windows carry their titles to X11 in UTF-8 (\"VELMORA v2 – CPU 0\")"
else
    fail "CPU 0's title in X11: $(xprop -id "$cpu" _NET_WM_NAME)"
fi

# A quick drag of the clock, the first thing done to it: the pointer leaves
# the window between two steps, before the window has followed.
read -r cx cy < <(where "$clock")
read -r px py < <(where "$cpu")
xdotool mousemove $((cx + 30)) $((cy + 15)); sleep 0.3
xdotool mousedown 1; sleep 0.05
for step in 1 2 3 4 5; do xdotool mousemove $((cx + 30 + 20 * step)) $((cy + 15 + 40 * step)); sleep 0.05; done
xdotool mouseup 1
check --move-loop frmClock ended >/dev/null
want="$((cx + 100)) $((cy + 200)) "
for _ in $(seq 30); do [ "$(where "$clock")" = "$want" ] && break; sleep 0.1; done
read -r cx2 cy2 < <(where "$clock")
if [ "$cx2 $cy2 " = "$want" ]; then pass "the quick drag moved the clock by 100,200 to $cx2,$cy2"
else fail "the quick drag by 100,200 left the clock at $cx2,$cy2 (from $cx,$cy)"; fi
for _ in $(seq 30); do read -r px2 py2 < <(where "$cpu"); [ "$((px2 - cx2)) $((py2 - cy2))" = "$((px - cx)) $((py - cy))" ] && break; sleep 0.1; done
if [ "$((px2 - cx2)) $((py2 - cy2))" = "$((px - cx)) $((py - cy))" ]; then
    pass "CPU 0 lined up behind the clock again at $px2,$py2"
else
    fail "CPU 0 is at $px2,$py2, not lined up behind the clock at $cx2,$cy2 (it was $((px - cx)),$((py - cy)) from it)"
fi
saved=$(grep -iE '^Pos[XY]9=' "$program/velmora.ini" | tr -d '\r' | cut -d= -f2 | tr '\n' ' ')
if [ "$saved" = "$((cx2 * 15)) $((cy2 * 15)) " ]; then pass "the clock's real place was saved in twips ($saved)"
else fail "the saved place is '$saved', not the clock's $((cx2 * 15)) $((cy2 * 15))"; fi

double_click "$clock" 30 15
if check --shown frmAboutZenthe --key frmAboutZenthe 27 --gone frmAboutZenthe >/dev/null; then
    pass "a double-click on the clock opened its information box (Esc closed it)"
else
    fail "a double-click on the clock did not open its information box, or Esc did not close it"
fi
double_click "$cpu" 30 15
if check --shaped frmFULLVIEW >/dev/null; then
    pass "a double-click on CPU 0 opened the Full View"
else
    fail "a double-click on CPU 0 did not open the Full View"
fi
# It opens on processor 0's page, whose speed estimate runs once a second:
# the interface must keep drawing the usage graph meanwhile.
graph=$(check --graph frmFULLVIEW)
rc=$?
line=$(echo "$graph" | grep -m1 -E '^(PASS|FAIL) ' | sed 's/^[A-Z]* frmFULLVIEW: //')
if [ "$rc" -eq 0 ]; then pass "on processor 0's page $line"
else fail "on processor 0's page ${line:-the graph could not be read}"; fi
if check --key frmFULLVIEW 27 --gone frmFULLVIEW >/dev/null; then pass "Esc closed the Full View"
else fail "Esc did not close the Full View"; fi

# Ten single clicks, the pointer moved away after each: every window stays
# where it was, so the move loop each click starts has ended with it.
before="$(where "$clock")$(where "$cpu")$(where "$bar")"
glued=0
for window in "$cpu" "$bar" "$clock" "$cpu" "$bar" "$clock" "$cpu" "$bar" "$clock" "$cpu"; do
    read -r x y < <(where "$window")
    xdotool mousemove $((x + 30)) $((y + 24)); sleep 0.2
    xdotool click 1; sleep 0.2
    for step in 1 2 3; do xdotool mousemove $((x + 30 + 40 * step)) $((y + 24 + 60 * step)); sleep 0.05; done
    sleep 0.25  # 0.6 s apart: each click is a new one
    read -r x2 y2 < <(where "$window")
    [ "$x2 $y2" = "$x $y" ] || { glued=$((glued + 1)); echo "note: after a click $(xdotool getwindowname "$window") moved from $x,$y to $x2,$y2"; }
done
if [ "$glued" -eq 0 ] && [ "$(where "$clock")$(where "$cpu")$(where "$bar")" = "$before" ] && check --gone frmFULLVIEW >/dev/null; then
    pass "ten single clicks left every window where it was and opened nothing"
else
    fail "$glued of ten single clicks moved their window, or the row moved ($before -> $(where "$clock")$(where "$cpu")$(where "$bar")), or the Full View opened"
fi

# The main bar, wherever the row now is.
double_click "$bar" 30 24
view=""
check --shaped frmFULLVIEW >/dev/null && view=$(x_window_of frmFULLVIEW)
place=""
if [ -n "$view" ]; then
    pass "the double-click on the main bar showed frmFULLVIEW with its region"
    eval "$(xdotool getwindowgeometry --shell "$view" | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
    place="${WIDTH}x${HEIGHT} at $X,$Y"
else
    fail "no shaped Full View after the double-click on the main bar"
fi
screen_width=$(xdpyinfo | awk '/dimensions:/ { split($2, d, "x"); print d[1]; exit }')
if [ "$place" = "580x272 at $(( (screen_width - 580) / 2 )),200" ]; then
    pass "frmFULLVIEW is $place, centred on the $screen_width-pixel screen"
else
    fail "frmFULLVIEW is '${place}' on a ${screen_width:-?}-pixel screen"
fi

check --end-session frmMain >/dev/null
wait_exit "$app" 30
if [ "$exit_code" -eq 0 ]; then
    pass "the end of the session ended velmora.exe with 0, the Full View open"
else
    fail "velmora.exe ended with $exit_code (124: still running 30 s after the end of the session)"; cat "$program/velmora.out"
fi

finish_run

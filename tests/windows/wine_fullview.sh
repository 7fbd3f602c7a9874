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

here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine_run.sh"
# shellcheck source=../support/pointer.sh
. "$here/../support/pointer.sh"

make_program fullview-program "$ini"
start_velmora 200

check frmClock frmCPU0 frmMain >/dev/null
# Found by their titles, so these reach X11 whole, in UTF-8 ("VELMORA v2 – CPU 0").
clock=$(x_window_of frmClock) cpu=$(x_window_of frmCPU0) bar=$(x_window_of frmMain)
if [ -z "$clock" ] || [ -z "$cpu" ] || [ -z "$bar" ]; then
    fail "the clock, CPU 0 or the main bar is not shown under its title (ids '$clock' '$cpu' '$bar')"
    finish_run
    exit 1
fi

# A quick drag of the clock, the first thing done to it: the pointer leaves
# the window between two steps, before the window has followed.
drag_clock "$clock" "$cpu" 0.05 0
check --move-loop frmClock ended >/dev/null
row_followed "$clock" "$cpu" "$program/velmora.ini" 30

double_click "$clock" 30 15
verdict "a double-click on the clock opened its information box (Esc closed it)" \
    "a double-click on the clock did not open its information box, or Esc did not close it" \
    quiet check --shown frmAboutZenthe --key frmAboutZenthe 27 --gone frmAboutZenthe
double_click "$cpu" 30 15
verdict "a double-click on CPU 0 opened the Full View" "a double-click on CPU 0 did not open the Full View" \
    quiet check --shaped frmFULLVIEW
# It opens on processor 0's page, whose speed estimate runs once a second:
# the interface must keep drawing the usage graph meanwhile.
graph=$(check --graph frmFULLVIEW)
rc=$?
line=$(echo "$graph" | grep -m1 -E '^(PASS|FAIL) ' | sed 's/^[A-Z]* frmFULLVIEW: //')
if [ "$rc" -eq 0 ]; then pass "on processor 0's page $line"
else fail "on processor 0's page ${line:-the graph could not be read}"; fi
verdict "Esc closed the Full View" "Esc did not close the Full View" quiet check --key frmFULLVIEW 27 --gone frmFULLVIEW

# Ten single clicks: every window stays where it was, so the move loop
# each click starts has ended with it.
before="$(where "$clock")$(where "$cpu")$(where "$bar")"
single_clicks "$cpu" "$bar" "$clock" "$cpu" "$bar" "$clock" "$cpu" "$bar" "$clock" "$cpu"
if [ "$glued" -eq 0 ] && [ "$(where "$clock")$(where "$cpu")$(where "$bar")" = "$before" ] && check --gone frmFULLVIEW >/dev/null; then
    pass "ten single clicks left every window where it was and opened nothing"
else
    fail "$glued of ten single clicks moved their window, or the row moved ($before -> $(where "$clock")$(where "$cpu")$(where "$bar")), or the Full View opened"
fi

# The main bar, wherever the row now is.
double_click "$bar" 30 24
place=""
if quiet check --shaped frmFULLVIEW && view=$(x_window_of frmFULLVIEW); then
    eval "$(xdotool getwindowgeometry --shell "$view" | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
    place="${WIDTH}x${HEIGHT} at $X,$Y"
fi
screen_width=$(xdpyinfo | awk '/dimensions:/ { split($2, d, "x"); print d[1]; exit }')
verdict "the main bar's double-click showed frmFULLVIEW shaped, $place, centred on the $screen_width-pixel screen" \
    "after the main bar's double-click the shaped Full View is '${place}' on a ${screen_width:-?}-pixel screen" \
    [ "$place" = "580x272 at $(( (screen_width - 580) / 2 )),200" ]

end_session "the Full View open"

finish_run

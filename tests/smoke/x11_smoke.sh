#!/usr/bin/env bash
# X11 smoke test of the Linux backend, on a private Xvfb with xcompmgr.
#   x11_smoke.sh VELMORA-BINARY VELMORA-INI DESKTOP-PROBE
# The program runs on a folder of its own with a copy of VELMORA-INI and
# the skins; DESKTOP-PROBE finds the windows by their form names.
# SMOKE_DRAG_X / SMOKE_DRAG_Y pick the window point to drag by (default:
# the middle of the largest part of its shape).
# Every wait is bounded; whatever the script started is ended on the way out.
set -u

usage="usage: x11_smoke.sh VELMORA-BINARY VELMORA-INI DESKTOP-PROBE"
binary=${1:?$usage}
ini=${2:?$usage}
probe=${3:?$usage}
here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(cd "$here/../.." && pwd)
# shellcheck source=../../scripts/processes.sh
. "$source_dir/scripts/processes.sh"
# --run-for counts from the start, start-up included (under a second without
# the splash's pauses): room for the checks before it ends a drag.
run_for=12

begin_test smoke
# shellcheck source=../desktop/desktop_run.sh
. "$source_dir/tests/desktop/desktop_run.sh"
start_desktop bare
program_folder "$ini"

# Waits (5 s at most) until the main bar stands at X Y.
await_main_bar_at() {
    for _ in $(seq 50); do
        read -r x y _ < <(where frmMain)
        [ "$x $y" = "$1 $2" ] && return 0
        sleep 0.1
    done
    return 1
}

start_velmora "$run_for" --display "$DISPLAY"
if ! await frmMain shown 60; then
    fail "no window named frmMain appeared"
else
    pass "window frmMain exists ($("$probe" find frmMain))"
    sleep 1  # let it settle: region, alpha and position are set after creation
    window=$("$probe" find frmMain)

    read -r _ count _ width height _ shaped _ inside_x inside_y < <("$probe" shape frmMain)
    if [ "${shaped:-0}" = 1 ]; then
        pass "frmMain is shaped ($count rectangles in ${width}x${height})"
    else
        fail "frmMain is not shaped (rectangles: ${count:-none}, size ${width:-?}x${height:-?})"
    fi

    props=$(xprop -id "$window")
    if grep -q '^_NET_WM_WINDOW_OPACITY' <<<"$props"; then
        pass "frmMain has $(grep '^_NET_WM_WINDOW_OPACITY' <<<"$props")"
    else
        fail "frmMain has no _NET_WM_WINDOW_OPACITY"
    fi

    if grep -qi '^[[:space:]]*ALWAYSOT[[:space:]]*=[[:space:]]*1' "$ini"; then
        if grep -q '_NET_WM_STATE_ABOVE' <<<"$props"; then
            pass "frmMain is kept above (_NET_WM_STATE_ABOVE)"
        else
            fail "ALWAYSOT=1 but frmMain lacks _NET_WM_STATE_ABOVE"
        fi
        # And it really is the top of the stack among mapped windows.
        top=$(xwininfo -root -children | awk '/^ +0x/ {print $1}' | while read -r id; do
            xwininfo -id "$id" | grep -q 'IsViewable' && echo "$id"; done | head -n 1)
        if [ "$((top))" = "$((window))" ]; then
            pass "frmMain is the topmost viewable window"
        else
            echo "note: topmost viewable window is $top (a popup may be above frmMain)"
        fi
    fi

    # A drag whose button stays down: --run-for must end the program from
    # inside the move. (The release, and the place it saves, are the
    # gestures' checks.)
    read -r x0 y0 _ < <(where frmMain)
    dx=${SMOKE_DRAG_X:-$inside_x}
    dy=${SMOKE_DRAG_Y:-$inside_y}
    xdotool mousemove $((x0 + dx)) $((y0 + dy)); sleep 0.2
    xdotool mousedown 1; sleep 0.2
    for step in 1 2 3 4; do xdotool mousemove $((x0 + dx + 10 * step)) $((y0 + dy + 8 * step)); sleep 0.1; done
    if await_main_bar_at $((x0 + 40)) $((y0 + 32)); then pass "the drag moved frmMain from $x0,$y0 by 40,32"
    else fail "the drag by (40,32) from $x0,$y0 left frmMain at $(where frmMain)"; fi
fi

# The program ends by itself after --run-for, also with a drag under way.
wait_exit "$app" $((run_for + 60)); code=$exit_code
xdotool mouseup 1
if [ "$code" = 0 ]; then
    pass "velmora exited with 0 (--run-for ended it during a drag)"
else
    fail "velmora ended with $code (124: still running $((run_for + 60)) s after start)"
fi

# SIGTERM, as a session's end sends it, during a drag: an orderly end with 0.
start_velmora 120 --display "$DISPLAY"
if ! await frmMain shown 60; then
    fail "no frmMain on the second start"
else
    # Meanwhile a second copy shows its "already running" notice, which
    # nobody answers: --run-for 3 still ends it, with 0.
    first=$app
    start_velmora 3 --display "$DISPLAY"
    wait_exit "$app" 20; code=$exit_code
    if [ "$code" = 0 ]; then
        pass "a second copy with --run-for 3 ended with 0 while the first ran"
    else
        fail "a second copy with --run-for 3 ended with $code (124: still running after 20 s)"
        kill -KILL -- "-$app" 2>/dev/null
    fi
    app=$first
    sleep 1
    read -r x0 y0 _ < <(where frmMain)
    xdotool mousemove $((x0 + ${SMOKE_DRAG_X:-10})) $((y0 + ${SMOKE_DRAG_Y:-10})); sleep 0.2
    xdotool mousedown 1; sleep 0.3
    kill -TERM "$app"
    wait_exit "$app" 10; code=$exit_code
    xdotool mouseup 1
    if [ "$code" = 0 ]; then
        pass "SIGTERM during a drag ended velmora with 0"
    else
        fail "SIGTERM during a drag: velmora ended with $code (124: still running after 10 s)"
    fi
fi

finish_desktop "x11 smoke"

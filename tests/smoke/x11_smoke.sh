#!/usr/bin/env bash
# X11 smoke test of the Linux backend, on a private Xvfb with xcompmgr.
#   x11_smoke.sh VELMORA-BINARY PROGRAM-FOLDER SHAPE-CHECK-BINARY DESKTOP-PROBE
# PROGRAM-FOLDER holds velmora.ini (and skins/); it is copied, never changed.
# DESKTOP-PROBE finds the windows by their form names (tests/desktop).
# SMOKE_DRAG_X / SMOKE_DRAG_Y pick the window point to drag by (default:
# the middle of the largest part of its shape).
# Every wait is bounded; whatever the script started is ended on the way out.
set -u

usage="usage: x11_smoke.sh VELMORA-BINARY PROGRAM-FOLDER SHAPE-CHECK DESKTOP-PROBE"
binary=${1:?$usage}
folder=${2:?$usage}
checker=${3:?$usage}
probe=${4:?$usage}
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../../scripts/processes.sh
. "$here/../../scripts/processes.sh"
# --run-for counts from the start, start-up included (under a second without
# the splash's pauses): room for the checks before it ends a drag.
run_for=12

begin_test smoke

start_xvfb "$work" || exit 1
export DISPLAY=$xvfb_display
start_group xcompmgr >"$work/xcompmgr.log" 2>&1

cp -r "$folder" "$work/program"
mkdir -p "$work/config" "$work/runtime"
chmod 700 "$work/runtime"

# Starts velmora for SECONDS; $app is its pid.
start_velmora() {
    XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" \
        start_group "$binary" --program-folder "$work/program" --display "$DISPLAY" --run-for "$1" \
        --skip-splash-pauses >>"$work/velmora.out" 2>&1
    app=$!
}

# The id of the main bar once it is shown (60 s at most: a busy machine is slow).
find_main_bar() {
    local id=""
    for _ in $(seq 600); do
        id=$("$probe" find frmMain)
        [ -n "$id" ] && break
        sleep 0.1
    done
    echo "$id"
}

geometry() { xwininfo -id "$window" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4} END {print x, y}'; }

# Waits (5 s at most) until the main bar stands at X Y.
wait_geometry() {
    for _ in $(seq 50); do
        [ "$(geometry)" = "$1 $2" ] && return 0
        sleep 0.1
    done
    return 1
}

start_velmora "$run_for"
window=$(find_main_bar)
if [ -z "$window" ]; then
    fail "no window named frmMain appeared"
else
    pass "window frmMain exists ($window)"
    sleep 1  # let it settle: region, alpha and position are set after creation

    read -r _ count _ width height _ shaped _ inside_x inside_y < <("$checker" "$window")
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

    if grep -qi '^[[:space:]]*ALWAYSOT[[:space:]]*=[[:space:]]*1' "$folder/velmora.ini"; then
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

    read -r x0 y0 < <(geometry)
    dx=${SMOKE_DRAG_X:-$inside_x}
    dy=${SMOKE_DRAG_Y:-$inside_y}
    px=$((x0 + dx)); py=$((y0 + dy))
    xdotool mousemove "$px" "$py"; sleep 0.2
    xdotool mousedown 1; sleep 0.2
    for step in 1 2 3 4; do xdotool mousemove $((px + 10 * step)) $((py + 8 * step)); sleep 0.1; done
    wait_geometry $((x0 + 40)) $((y0 + 32))
    xdotool mouseup 1; sleep 0.3
    read -r x1 y1 < <(geometry)
    if [ "$x1" = $((x0 + 40)) ] && [ "$y1" = $((y0 + 32)) ]; then
        pass "drag moved frmMain from $x0,$y0 to $x1,$y1"
    else
        fail "drag by (40,32) from $x0,$y0 left frmMain at $x1,$y1"
    fi

    # Hold the button on the bar again and keep it down: --run-for must end
    # the program from inside the move.
    xdotool mousemove $((x1 + dx)) $((y1 + dy)); sleep 0.2
    xdotool mousedown 1; sleep 0.2
    xdotool mousemove $((x1 + dx + 5)) $((y1 + dy + 5))
fi

# The program ends by itself after --run-for, also with a drag under way.
wait_exit "$app" $((run_for + 60)); code=$exit_code
xdotool mouseup 1
if [ "$code" = 0 ]; then
    pass "velmora exited with 0 (--run-for ended it during a drag)"
else
    fail "velmora ended with $code (124: still running $((run_for + 60)) s after start)"
fi
# The dropped position is saved in twips (15 per pixel on this display).
if [ -n "$window" ] && [ -n "${x1:-}" ]; then
    saved=$(grep -i '^PosX8=' "$work/program/velmora.ini" | tail -n 1 | cut -d= -f2 | tr -d '\r')
    if [ "$saved" = $((x1 * 15)) ]; then
        pass "the dropped position was saved (PosX8=$saved)"
    else
        fail "after the drag PosX8 is '${saved}', expected $((x1 * 15))"
    fi
fi

# SIGTERM, as a session's end sends it, during a drag: an orderly end with 0.
start_velmora 120
window=$(find_main_bar)
if [ -z "$window" ]; then
    fail "no frmMain on the second start"
else
    # Meanwhile a second copy shows its "already running" notice, which
    # nobody answers: --run-for 3 still ends it, with 0.
    first=$app
    start_velmora 3
    wait_exit "$app" 20; code=$exit_code
    if [ "$code" = 0 ]; then
        pass "a second copy with --run-for 3 ended with 0 while the first ran"
    else
        fail "a second copy with --run-for 3 ended with $code (124: still running after 20 s)"
        kill -KILL -- "-$app" 2>/dev/null
    fi
    app=$first
    sleep 1
    read -r x0 y0 < <(geometry)
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

if [ -s "$work/velmora.out" ]; then
    echo "--- velmora output ---"
    cat "$work/velmora.out"
fi

if [ "$failures" -gt 0 ]; then
    echo "x11 smoke: $failures check(s) failed"
    exit 1
fi
echo "x11 smoke: all checks passed"

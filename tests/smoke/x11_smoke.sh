#!/usr/bin/env bash
# X11 smoke test of the Linux backend, on a private Xvfb with xcompmgr.
#   x11_smoke.sh VELMORA-BINARY PROGRAM-FOLDER [SHAPE-CHECK-BINARY]
# PROGRAM-FOLDER holds velmora.ini (and skins/); it is copied, never changed.
# Without SHAPE-CHECK-BINARY the helper is compiled from shape_check.cpp.
# SMOKE_DRAG_X / SMOKE_DRAG_Y pick the window point to drag by (default:
# the middle of the largest part of its shape).
set -u

binary=${1:?usage: x11_smoke.sh VELMORA-BINARY PROGRAM-FOLDER [SHAPE-CHECK]}
folder=${2:?usage: x11_smoke.sh VELMORA-BINARY PROGRAM-FOLDER [SHAPE-CHECK]}
checker=${3:-}
here=$(cd "$(dirname "$0")" && pwd)
run_for=10

work=$(mktemp -d /tmp/velmora-smoke.XXXXXX)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

failures=0
pass() { echo "PASS: $*"; }
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# A display number nobody uses.
display=97
while [ -e "/tmp/.X${display}-lock" ] || [ -e "/tmp/.X11-unix/X${display}" ]; do display=$((display + 1)); done
export DISPLAY=":${display}"
Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
xdpyinfo >/dev/null 2>&1 || { echo "FAIL: Xvfb did not start on $DISPLAY"; exit 1; }
xcompmgr >"$work/xcompmgr.log" 2>&1 &
pids+=($!)

if [ -z "$checker" ]; then
    checker="$work/shape_check"
    g++ -std=c++20 -O1 -o "$checker" "$here/shape_check.cpp" -lX11 -lXext || { echo "FAIL: cannot build shape_check"; exit 1; }
fi

cp -r "$folder" "$work/program"
mkdir -p "$work/config" "$work/runtime"
chmod 700 "$work/runtime"
XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" \
    "$binary" --program-folder "$work/program" --display "$DISPLAY" --run-for "$run_for" \
    >"$work/velmora.out" 2>&1 &
app=$!
pids+=($app)

window=""
for _ in $(seq 100); do
    window=$(xdotool search --name '^frmMain$' 2>/dev/null | head -n 1)
    [ -n "$window" ] && break
    sleep 0.1
done
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

    geometry() { xwininfo -id "$window" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4} END {print x, y}'; }
    read -r x0 y0 < <(geometry)
    dx=${SMOKE_DRAG_X:-$inside_x}
    dy=${SMOKE_DRAG_Y:-$inside_y}
    px=$((x0 + dx)); py=$((y0 + dy))
    xdotool mousemove "$px" "$py"; sleep 0.2
    xdotool mousedown 1; sleep 0.2
    for step in 1 2 3 4; do xdotool mousemove $((px + 10 * step)) $((py + 8 * step)); sleep 0.1; done
    xdotool mouseup 1; sleep 0.5
    read -r x1 y1 < <(geometry)
    if [ "$x1" = $((x0 + 40)) ] && [ "$y1" = $((y0 + 32)) ]; then
        pass "drag moved frmMain from $x0,$y0 to $x1,$y1"
    else
        fail "drag by (40,32) from $x0,$y0 left frmMain at $x1,$y1"
    fi
fi

# The program ends by itself after --run-for.
for _ in $(seq $(( (run_for + 10) * 10 ))); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$app" 2>/dev/null; then
    fail "velmora still running $((run_for + 10)) s after start"
else
    wait "$app"
    code=$?
    if [ "$code" = 0 ]; then pass "velmora exited with 0"; else fail "velmora exited with $code"; fi
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
if [ -s "$work/velmora.out" ]; then
    echo "--- velmora output ---"
    cat "$work/velmora.out"
fi

if [ "$failures" -gt 0 ]; then
    echo "x11 smoke: $failures check(s) failed"
    exit 1
fi
echo "x11 smoke: all checks passed"

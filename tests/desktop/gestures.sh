#!/usr/bin/env bash
# The mouse and keyboard gestures a user makes, on the desktops users run:
#   gestures.sh bare|openbox|mutter VELMORA-BINARY DESKTOP-PROBE
# bare: Xvfb with xcompmgr and no window manager; openbox: the same with
# openbox managing the windows; mutter: GNOME's compositor, headless, with
# the program on its Xwayland. The program starts once with the shipped
# velmora.ini and every gesture runs against that run. Every wait is
# bounded, and whatever the script started is ended on the way out.
set -u

desktop=${1:?usage: gestures.sh bare|openbox|mutter VELMORA-BINARY DESKTOP-PROBE}
binary=${2:?usage: gestures.sh bare|openbox|mutter VELMORA-BINARY DESKTOP-PROBE}
probe=${3:?usage: gestures.sh bare|openbox|mutter VELMORA-BINARY DESKTOP-PROBE}
here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(cd "$here/../.." && pwd)
# shellcheck source=../../scripts/processes.sh
. "$source_dir/scripts/processes.sh"

# GNOME's compositor runs this script again inside its session, where
# DISPLAY names its Xwayland; it ends when the script does.
if [ "$desktop" = mutter ]; then
    runtime=$(mktemp -d /tmp/velmora-mutter.XXXXXX)
    chmod 700 "$runtime"
    XDG_RUNTIME_DIR="$runtime" start_group timeout 150 dbus-run-session -- \
        mutter --headless --wayland --virtual-monitor 1280x1024 -- \
        "$0" inside-mutter "$binary" "$probe" >"$runtime/session.log" 2>&1
    wait_exit "$!" 170
    code=$exit_code
    # What the inner run printed, without the compositor's own chatter.
    grep -E '^(PASS|FAIL|note|gestures|---)' "$runtime/session.log" || tail -n 20 "$runtime/session.log"
    grep -q '^gestures: all checks passed' "$runtime/session.log" || code=1
    end_all
    rm -rf "$runtime"
    exit "$code"
fi

begin_test gestures

case "$desktop" in
bare | openbox)
    start_xvfb "$work" || exit 1
    export DISPLAY=$xvfb_display
    if [ "$desktop" = openbox ]; then
        start_group openbox >"$work/openbox.log" 2>&1
        manager=$!
        for _ in $(seq 100); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window && break; sleep 0.1; done
    fi
    start_group xcompmgr >"$work/xcompmgr.log" 2>&1
    ;;
inside-mutter) desktop=mutter ;;
*) echo "gestures.sh: unknown desktop '$desktop' (bare, openbox or mutter)"; exit 2 ;;
esac

mkdir -p "$work/program/logs" "$work/config" "$work/runtime"
chmod 700 "$work/runtime"
cp "$source_dir/app/velmora.ini" "$work/program/velmora.ini"
cp -r "$source_dir/skins" "$work/program/skins"
XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" \
    start_group "$binary" --program-folder "$work/program" --run-for 120 --skip-splash-pauses >"$work/velmora.out" 2>&1
app=$!

# Waits (SECONDS, default 5) until ROLE is shown, or gone with "gone".
await() {
    local role=$1 want=${2:-shown} seconds=${3:-5}
    for _ in $(seq $((seconds * 10))); do
        if "$probe" find "$role" >/dev/null; then [ "$want" = shown ] && return 0
        else [ "$want" = gone ] && return 0; fi
        sleep 0.1
    done
    return 1
}
await_focus() {
    for _ in $(seq 30); do [ "$("$probe" focus)" = "$1" ] && return 0; sleep 0.1; done
    return 1
}
where() { "$probe" where "$1"; }

# A double-click at window point (DX, DY), with the pointer there first so
# that the window is awake.
double_click() {  # ROLE DX DY
    local x y
    read -r x y _ < <(where "$1")
    xdotool mousemove $((x + $2)) $((y + $3)); sleep 0.3
    xdotool mousemove $((x + $2 + 1)) $((y + $3)); sleep 0.3
    xdotool click --repeat 2 --delay 80 1
}
# The window manager's close request where there is one, else the request itself.
close_request() {
    if [ "$desktop" = bare ]; then "$probe" close "$1"; else wmctrl -i -c "$("$probe" find "$1")"; fi
}

# Whether NAME (PID) still runs, and if so its threads' stacks.
where_is() {
    if ! kill -0 "$2" 2>/dev/null; then echo "note: $1 has ended"; return; fi
    echo "note: $1 is still running; where it is:"
    command -v gdb >/dev/null &&
        timeout 30 gdb -p "$2" -batch -ex 'thread apply all bt' 2>/dev/null | grep -E '^(#|Thread)' | head -40
}

if ! await frmMain shown 60; then
    fail "the main bar did not appear within 60 s"
    # What there is to see instead: the program's output, whether it still
    # runs, the windows on the display and the manager's own log.
    cat "$work/velmora.out"
    where_is velmora "$app"
    timeout 10 xwininfo -root -tree 2>&1 | head -40
    # Windows the program made but nobody mapped point at the manager.
    if [ -n "${manager:-}" ]; then
        where_is openbox "$manager"
        tail -n 20 "$work/openbox.log"
    fi
    exit 1
fi
sleep 1  # the row is placed and shaped after the windows appear
echo "note: on $desktop, the main bar is at $(where frmMain)"

# The Full View from the main bar: it has the keyboard, and Esc closes it.
double_click frmMain 30 24
if await frmFULLVIEW shown; then
    pass "a double-click on the main bar opened the Full View"
    if await_focus frmFULLVIEW; then pass "the Full View took the keyboard"
    else fail "the Full View does not have the keyboard (it is on '$("$probe" focus)')"; fi
    xdotool key Escape
    if await frmFULLVIEW gone; then pass "Esc closed the Full View"; else fail "Esc did not close the Full View"; fi
else
    fail "a double-click on the main bar did not open the Full View"
fi

# From a processor module, closed by the close request.
double_click frmCPU0 30 15
if await frmFULLVIEW shown; then
    pass "a double-click on CPU 0 opened the Full View"
    close_request frmFULLVIEW
    if await frmFULLVIEW gone; then pass "the close request closed the Full View"
    else fail "the close request did not close the Full View"; fi
else
    fail "a double-click on CPU 0 did not open the Full View"
fi

# The clock's information box, closed with Alt+F4.
double_click frmClock 30 15
if await frmAboutZenthe shown; then
    pass "a double-click on the clock opened its information box"
    if await_focus frmAboutZenthe; then
        xdotool key alt+F4
        if await frmAboutZenthe gone; then pass "Alt+F4 closed the clock's information box"
        else fail "Alt+F4 did not close the clock's information box"; fi
    else
        fail "the clock's information box does not have the keyboard (it is on '$("$probe" focus)')"
        close_request frmAboutZenthe
    fi
else
    fail "a double-click on the clock did not open its information box"
fi

# Single clicks glue nothing to the pointer: after each, the pointer moves
# away and the window stays where it was.
glued=0
for role in frmCPU0 frmMain frmCPU0 frmMain frmCPU0 frmMain frmCPU0 frmMain frmCPU0 frmMain; do
    read -r x y _ < <(where "$role")
    xdotool mousemove $((x + 30)) $((y + 24)); sleep 0.2
    xdotool click 1; sleep 0.2
    for step in 1 2 3; do xdotool mousemove $((x + 30 + 40 * step)) $((y + 24 + 60 * step)); sleep 0.05; done
    sleep 0.4  # longer than a double-click: the next click is a new one
    read -r x2 y2 _ < <(where "$role")
    if [ "$x2 $y2" != "$x $y" ]; then
        glued=$((glued + 1))
        echo "note: after a click $role moved from $x,$y to $x2,$y2"
    fi
done
if [ "$glued" = 0 ]; then pass "ten single clicks left every window where it was"
else fail "$glued of ten single clicks moved their window with no button held"; fi
if "$probe" find frmFULLVIEW >/dev/null; then fail "single clicks opened the Full View"; close_request frmFULLVIEW; fi

# A drag of the clock takes the row with it, lined up behind it again.
read -r cx cy _ < <(where frmClock)
read -r px py _ < <(where frmCPU0)
xdotool mousemove $((cx + 30)) $((cy + 15)); sleep 0.3
xdotool mousedown 1; sleep 0.1
for step in 1 2 3 4 5; do xdotool mousemove $((cx + 30 + 20 * step)) $((cy + 15 + 40 * step)); sleep 0.1; done
sleep 0.3
xdotool mouseup 1
want="$((cx + 100)) $((cy + 200))"
for _ in $(seq 30); do read -r cx2 cy2 _ < <(where frmClock); [ "$cx2 $cy2" = "$want" ] && break; sleep 0.1; done
if [ "$cx2 $cy2" = "$want" ]; then pass "the drag moved the clock by 100,200 to $want"
else fail "the drag by 100,200 left the clock at $cx2,$cy2 (from $cx,$cy)"; fi
sleep 0.5
read -r px2 py2 _ < <(where frmCPU0)
if [ "$((px2 - cx2)) $((py2 - cy2))" = "$((px - cx)) $((py - cy))" ]; then
    pass "CPU 0 lined up behind the clock again at $px2,$py2"
else
    fail "CPU 0 is at $px2,$py2, not lined up behind the clock at $cx2,$cy2 (it was $((px - cx)),$((py - cy)) from it)"
fi
saved=$(grep -iE '^Pos[XY]9=' "$work/program/velmora.ini" | tr -d '\r' | cut -d= -f2 | tr '\n' ' ')
if [ "$saved" = "$((cx2 * 15)) $((cy2 * 15)) " ]; then pass "the clock's new place was saved in twips ($saved)"
else fail "the saved place is '$saved', not the clock's $((cx2 * 15)) $((cy2 * 15))"; fi

kill -TERM "$app" 2>/dev/null
wait_exit "$app" 10
[ "$exit_code" = 0 ] || fail "velmora ended with $exit_code after SIGTERM (124: still running)"
if [ "$failures" -gt 0 ]; then
    echo "--- velmora output ---"
    cat "$work/velmora.out"
    echo "gestures: $failures check(s) failed on $desktop"
    exit 1
fi
echo "gestures: all checks passed on $desktop"

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
# shellcheck source=desktop_run.sh
. "$here/desktop_run.sh"
# shellcheck source=../support/pointer.sh
. "$here/../support/pointer.sh"

case "$desktop" in
bare | openbox) start_desktop "$desktop" ;;
inside-mutter) desktop=mutter ;;
*) echo "gestures.sh: unknown desktop '$desktop' (bare, openbox or mutter)"; exit 2 ;;
esac

program_folder "$source_dir/app/velmora.ini"
start_velmora 120

await_focus() {
    for _ in $(seq 30); do [ "$("$probe" focus)" = "$1" ] && return 0; sleep 0.1; done
    return 1
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
single_clicks frmCPU0 frmMain frmCPU0 frmMain frmCPU0 frmMain frmCPU0 frmMain frmCPU0 frmMain
if [ "$glued" = 0 ]; then pass "ten single clicks left every window where it was"
else fail "$glued of ten single clicks moved their window with no button held"; fi
if "$probe" find frmFULLVIEW >/dev/null; then fail "single clicks opened the Full View"; close_request frmFULLVIEW; fi

# A drag of the clock takes the row with it, lined up behind it again.
drag_clock frmClock frmCPU0 0.1 0.3
row_followed frmClock frmCPU0 "$work/program/velmora.ini" 5

kill -TERM "$app" 2>/dev/null
wait_exit "$app" 10
[ "$exit_code" = 0 ] || fail "velmora ended with $exit_code after SIGTERM (124: still running)"
finish_desktop gestures "on $desktop"
